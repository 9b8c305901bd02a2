#include "xmldoc/wsx_dom_error_handler.h"

#include <xercesc/dom/DOMError.hpp>
#include <xercesc/dom/DOMLocator.hpp>
#include <xercesc/dom/DOMNode.hpp>

#include "runtime/printf_format.h"
#include "xmldoc/xml_text.h"

namespace xmldoc {

namespace {

const wchar_t* SeverityWord(short severity) {
  switch (severity) {
    case xercesc::DOMError::DOM_SEVERITY_WARNING:
      return L"WARNING";
    case xercesc::DOMError::DOM_SEVERITY_ERROR:
      return L"ERROR";
    case xercesc::DOMError::DOM_SEVERITY_FATAL_ERROR:
      return L"FATAL ERROR";
    default:
      return L"";
  }
}

}  // namespace

bool wsxDOMErrorHandler::handleError(const xercesc::DOMError& error) {
  const xercesc::DOMLocator* location = error.getLocation();
  const xercesc::DOMNode* node = location != nullptr ? location->getRelatedNode() : nullptr;
  std::uint64_t line = location != nullptr ? location->getLineNumber() : 0;
  short severity = error.getSeverity();

  std::wstring nodePart = node != nullptr ? runtime::Printf(L", node %s", ToWide(node->getNodeName())) : L"";
  message_ =
      runtime::Printf(L"%s on line %d%s\n%s", SeverityWord(severity), line, nodePart, ToWide(error.getMessage()));

  bool warning = severity == xercesc::DOMError::DOM_SEVERITY_WARNING;
  failed_ = warning ? 0 : 1;
  return warning;
}

}  // namespace xmldoc
