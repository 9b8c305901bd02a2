// The elements of a DOM node list taken at one moment, for walks that change the tree while the
// set of elements they visit stays the same.
#pragma once

#include <string_view>
#include <vector>
#include <xercesc/dom/DOM.hpp>

namespace inideploy {

std::vector<xercesc::DOMElement*> ElementsNamed(const xercesc::DOMElement* root, std::wstring_view tagName);
std::vector<xercesc::DOMElement*> ElementsNamed(const xercesc::DOMDocument* root, std::wstring_view tagName);

}  // namespace inideploy
