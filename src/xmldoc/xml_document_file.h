// One XML file parsed into a DOM tree: the XML library's platform initialisation, the parser that
// owns the document, the error handler and the path the document came from.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMLSParser.hpp>
#include <xercesc/util/SecurityManager.hpp>

#include "xmldoc/bounded_memory.h"

namespace xmldoc {

class NestingLimit;
class wsxDOMErrorHandler;

// Set to 1 the first time a parse fails because its grammar (an external DTD or schema) cannot be
// fetched, and never cleared: from then on every parse in the process runs without schema
// validation, and every successful load says so.
extern int schemaUnresolved;

class XmlDocumentFile {
 public:
  // The parser parameters a parse switches on, where the parser accepts them.
  using ParameterNames = std::array<std::wstring, 5>;

  // Initialises the XML library; on failure its message goes to standard output and every Parse
  // and Save of this object fails.
  XmlDocumentFile();
  // Releases the handler, the parser with every document it produced, and the library.
  ~XmlDocumentFile();
  XmlDocumentFile(const XmlDocumentFile&) = delete;
  XmlDocumentFile& operator=(const XmlDocumentFile&) = delete;

  // Parses and validates the file; null on failure (LastErrorText then tells why). The document
  // stays valid as long as this object.
  xercesc::DOMDocument* Parse(const std::wstring& path, const ParameterNames& parameters);
  // The text of the parser's latest report, empty when nothing was parsed.
  std::wstring LastErrorText() const;
  // Writes the document back over the parsed file; an empty encoding or line end keeps the
  // serializer's default.
  bool Save(const std::wstring& encoding, const std::wstring& lineEnd);

  xercesc::DOMDocument* Document() const { return document_; }
  const std::wstring& Path() const { return path_; }

 private:
  void ReleaseParser();

  std::uint32_t initialised_ = 0;
  xercesc::DOMLSParser* parser_ = nullptr;
  xercesc::DOMDocument* document_ = nullptr;
  wsxDOMErrorHandler* errorHandler_ = nullptr;
  std::wstring path_;
  // Bound entity expansion, memory and nesting, so that a hostile document cannot exhaust the
  // installer's memory or time. The memory outlives the parser and its documents.
  BoundedMemory memory_;
  xercesc::SecurityManager securityManager_;
  NestingLimit* nestingLimit_ = nullptr;
};

// Loads and validates the file for an action: writes the failure messages to standard output and
// returns false when the file is missing or does not load. The caller sets document to null first.
bool OpenXmlDocument(XmlDocumentFile& file, const std::wstring& path, xercesc::DOMDocument*& document);

}  // namespace xmldoc
