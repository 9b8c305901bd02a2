#include "inideploy/element_list.h"

#include "inideploy/dom_helpers.h"

namespace inideploy {

namespace {

std::vector<xercesc::DOMElement*> Snapshot(const xercesc::DOMNodeList* list) {
  // The length walks the whole subtree and resets the list's cursor: asked once, the items then
  // come in one forward pass.
  XMLSize_t length = list->getLength();
  std::vector<xercesc::DOMElement*> elements;
  elements.reserve(length);
  for (XMLSize_t index = 0; index < length; ++index) elements.push_back(ElementAt(list, index));
  return elements;
}

}  // namespace

std::vector<xercesc::DOMElement*> ElementsNamed(const xercesc::DOMElement* root, std::wstring_view tagName) {
  return Snapshot(ElementsByTagName(root, tagName));
}

std::vector<xercesc::DOMElement*> ElementsNamed(const xercesc::DOMDocument* root, std::wstring_view tagName) {
  return Snapshot(ElementsByTagName(root, tagName));
}

}  // namespace inideploy
