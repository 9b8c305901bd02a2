// Turns each report of the XML parser into one short text and stops the parser at the first
// report that is more than a warning.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <xercesc/dom/DOMErrorHandler.hpp>

namespace xmldoc {

class wsxDOMErrorHandler : public xercesc::DOMErrorHandler {
 public:
  wsxDOMErrorHandler() = default;
  wsxDOMErrorHandler(const wsxDOMErrorHandler&) = delete;
  wsxDOMErrorHandler& operator=(const wsxDOMErrorHandler&) = delete;
  ~wsxDOMErrorHandler() override = default;

  // True lets the parser go on (a warning), false stops it.
  bool handleError(const xercesc::DOMError& error) override;

  // The text of the latest report: severity, line, related node, a line break, the parser's text.
  const std::wstring& Message() const { return message_; }
  // Whether the latest report was more severe than a warning.
  bool Failed() const { return failed_ != 0; }
  void ClearFailed() { failed_ = 0; }
  // A stop of the parse that the parser itself does not report (a guard of this layer).
  void Stop(std::wstring message) {
    message_ = std::move(message);
    failed_ = 1;
  }

 private:
  std::wstring message_;
  std::int32_t failed_ = 0;
};

}  // namespace xmldoc
