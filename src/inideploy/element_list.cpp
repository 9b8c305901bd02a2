#include "inideploy/element_list.h"

#include "inideploy/dom_helpers.h"

namespace inideploy {

namespace {

std::vector<xercesc::DOMElement*> Snapshot(const xercesc::DOMNodeList* list) {
  std::vector<xercesc::DOMElement*> elements;
  elements.reserve(list->getLength());
  for (XMLSize_t index = 0; index < list->getLength(); ++index) elements.push_back(ElementAt(list, index));
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
