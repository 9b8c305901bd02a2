// Small operations on the description's DOM tree, in wide strings.
#pragma once

#include <string>
#include <string_view>
#include <xercesc/dom/DOM.hpp>

namespace inideploy {

// The first direct child that is an element with exactly this tag name, or null.
xercesc::DOMElement* FindChildElement(const xercesc::DOMNode* node, std::wstring_view tagName);

// The first direct text or CDATA child that is not blank, trimmed; empty when there is none.
std::wstring GetElementText(const xercesc::DOMNode* node);

// Replaces the element's value (as GetElementText reads it) and keeps the white space around it.
void SetElementText(xercesc::DOMElement* element, const std::wstring& value);

// An attribute's value; empty when the element has none and the document gives no default.
std::wstring GetAttribute(const xercesc::DOMElement* element, std::wstring_view name);
void SetAttribute(xercesc::DOMElement* element, std::wstring_view name, const std::wstring& value);

// The descendant elements with this tag name, in document order (a live list).
xercesc::DOMNodeList* ElementsByTagName(const xercesc::DOMElement* element, std::wstring_view tagName);
xercesc::DOMNodeList* ElementsByTagName(const xercesc::DOMDocument* document, std::wstring_view tagName);

// Item of a list of elements, as an element.
xercesc::DOMElement* ElementAt(const xercesc::DOMNodeList* list, XMLSize_t index);

}  // namespace inideploy
