// Stops a parse whose elements nest deeper than any real document does. The parser maps namespace
// prefixes by walking all open elements, so the time of a parse grows with the square of the
// nesting depth: a few hundred kilobytes of nested tags would otherwise keep it busy for minutes.
#pragma once

#include <cstddef>
#include <xercesc/dom/DOMLSParserFilter.hpp>

namespace xmldoc {

class wsxDOMErrorHandler;

class NestingLimit : public xercesc::DOMLSParserFilter {
 public:
  static constexpr std::size_t kMaximumDepth = 1000;

  // The reason for a stop goes to the handler, as the parser's own reports do.
  explicit NestingLimit(wsxDOMErrorHandler& handler) : handler_(handler) {}

  // Every node is accepted unchanged; only the depth is counted.
  FilterAction startElement(xercesc::DOMElement* element) override;
  FilterAction acceptNode(xercesc::DOMNode* node) override;
  xercesc::DOMNodeFilter::ShowType getWhatToShow() const override;

  void Reset() { depth_ = 0; }

 private:
  wsxDOMErrorHandler& handler_;
  std::size_t depth_ = 0;
};

}  // namespace xmldoc
