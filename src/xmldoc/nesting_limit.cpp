#include "xmldoc/nesting_limit.h"

#include <xercesc/dom/DOMElement.hpp>

#include "runtime/printf_format.h"
#include "xmldoc/wsx_dom_error_handler.h"
#include "xmldoc/xml_text.h"

namespace xmldoc {

xercesc::DOMLSParserFilter::FilterAction NestingLimit::startElement(xercesc::DOMElement* element) {
  if (++depth_ <= kMaximumDepth) return FILTER_ACCEPT;
  handler_.Stop(runtime::Printf(L"FATAL ERROR, node %s\nelements are nested more than %d levels deep",
                                ToWide(element->getNodeName()), kMaximumDepth));
  return FILTER_INTERRUPT;
}

xercesc::DOMLSParserFilter::FilterAction NestingLimit::acceptNode(xercesc::DOMNode*) {
  --depth_;
  return FILTER_ACCEPT;
}

xercesc::DOMNodeFilter::ShowType NestingLimit::getWhatToShow() const { return xercesc::DOMNodeFilter::SHOW_ELEMENT; }

}  // namespace xmldoc
