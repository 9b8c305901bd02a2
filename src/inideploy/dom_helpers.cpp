#include "inideploy/dom_helpers.h"

#include <cwctype>
#include <vector>

#include "fsutil/file_path.h"
#include "xmldoc/xml_text.h"

namespace inideploy {

using xercesc::DOMElement;
using xercesc::DOMNode;

namespace {

bool IsTextLike(const DOMNode* node) {
  auto type = node->getNodeType();
  return type == DOMNode::TEXT_NODE || type == DOMNode::CDATA_SECTION_NODE;
}

std::wstring Trimmed(const std::wstring& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && std::iswspace(static_cast<wint_t>(text[begin]))) ++begin;
  while (end > begin && std::iswspace(static_cast<wint_t>(text[end - 1]))) --end;
  return text.substr(begin, end - begin);
}

void SetText(DOMNode* node, const std::wstring& text) { node->setTextContent(xmldoc::ToXml(text).c_str()); }

// Appends a text child after the element's other children. The DOM makes text nodes only through
// setTextContent, which first drops every child: the children are taken out and put back.
void AppendTextChild(DOMElement* element, const std::wstring& value) {
  std::vector<DOMNode*> children;
  for (DOMNode* child = element->getFirstChild(); child != nullptr; child = child->getNextSibling()) {
    children.push_back(child);
  }
  for (DOMNode* child : children) element->removeChild(child);
  SetText(element, value);
  DOMNode* text = element->getFirstChild();
  if (text != nullptr) element->removeChild(text);
  for (DOMNode* child : children) element->appendChild(child);
  if (text != nullptr) element->appendChild(text);
}

}  // namespace

DOMElement* FindChildElement(const DOMNode* node, std::wstring_view tagName) {
  auto name = xmldoc::ToXml(tagName);
  for (DOMNode* child = node->getFirstChild(); child != nullptr; child = child->getNextSibling()) {
    if (child->getNodeType() != DOMNode::ELEMENT_NODE) continue;
    auto* element = static_cast<DOMElement*>(child);
    if (name == element->getTagName()) return element;
  }
  return nullptr;
}

std::wstring GetElementText(const DOMNode* node) {
  for (DOMNode* child = node->getFirstChild(); child != nullptr; child = child->getNextSibling()) {
    if (!IsTextLike(child)) continue;
    std::wstring text = Trimmed(xmldoc::ToWide(child->getTextContent()));
    if (!text.empty()) return text;
  }
  return {};
}

void SetElementText(DOMElement* element, const std::wstring& value) {
  DOMNode* lastText = nullptr;
  bool replaced = false;
  for (DOMNode* child = element->getFirstChild(); child != nullptr; child = child->getNextSibling()) {
    if (!IsTextLike(child)) continue;
    lastText = child;
    std::wstring raw = xmldoc::ToWide(child->getTextContent());
    std::wstring trimmed = Trimmed(raw);
    if (trimmed.empty()) {
      SetText(child, L"");
      continue;
    }
    fsutil::ReplaceAll(raw, trimmed, value);
    SetText(child, raw);
    replaced = true;
  }
  if (replaced) return;
  if (lastText != nullptr) {
    SetText(lastText, value);
  } else {
    AppendTextChild(element, value);
  }
}

std::wstring GetAttribute(const DOMElement* element, std::wstring_view name) {
  return xmldoc::ToWide(element->getAttribute(xmldoc::ToXml(name).c_str()));
}

void SetAttribute(DOMElement* element, std::wstring_view name, const std::wstring& value) {
  element->setAttribute(xmldoc::ToXml(name).c_str(), xmldoc::ToXml(value).c_str());
}

xercesc::DOMNodeList* ElementsByTagName(const DOMElement* element, std::wstring_view tagName) {
  return element->getElementsByTagName(xmldoc::ToXml(tagName).c_str());
}

xercesc::DOMNodeList* ElementsByTagName(const xercesc::DOMDocument* document, std::wstring_view tagName) {
  return document->getElementsByTagName(xmldoc::ToXml(tagName).c_str());
}

DOMElement* ElementAt(const xercesc::DOMNodeList* list, XMLSize_t index) {
  return static_cast<DOMElement*>(list->item(index));
}

}  // namespace inideploy
