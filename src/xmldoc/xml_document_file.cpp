#include "xmldoc/xml_document_file.h"

#include <algorithm>
#include <string_view>
#include <xercesc/dom/DOMConfiguration.hpp>
#include <xercesc/dom/DOMException.hpp>
#include <xercesc/dom/DOMImplementation.hpp>
#include <xercesc/dom/DOMImplementationRegistry.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLUni.hpp>
#include <xercesc/util/XMLUniDefs.hpp>

#include "runtime/printf_format.h"
#include "xmldoc/nesting_limit.h"
#include "xmldoc/platform_file_manager.h"
#include "xmldoc/standard_output.h"
#include "xmldoc/unresolved_grammar.h"
#include "xmldoc/wsx_dom_error_handler.h"
#include "xmldoc/xml_text.h"

XERCES_CPP_NAMESPACE_USE

namespace xmldoc {

int schemaUnresolved = 0;

namespace {

// Far above what any description uses (they use no entities of their own), far below what it
// takes to exhaust memory through nested expansions.
constexpr XMLSize_t kEntityExpansionLimit = 10000;

}  // namespace

XmlDocumentFile::XmlDocumentFile() {
  try {
    XMLPlatformUtils::Initialize("en_US");
    UsePlatformFileManager();
    initialised_ = 1;
  } catch (const XMLException& exception) {
    WriteToStandardOutput(ToWide(exception.getMessage()) + L"\n");
  }
}

XmlDocumentFile::~XmlDocumentFile() {
  if (initialised_ != 0) {
    ReleaseParser();
    XMLPlatformUtils::Terminate();
    initialised_ = 0;
  }
}

void XmlDocumentFile::ReleaseParser() {
  if (parser_ != nullptr) parser_->release();
  parser_ = nullptr;
  document_ = nullptr;
  delete nestingLimit_;
  nestingLimit_ = nullptr;
  delete errorHandler_;
  errorHandler_ = nullptr;
}

DOMDocument* XmlDocumentFile::Parse(const std::wstring& path, const ParameterNames& parameters) {
  if (initialised_ == 0) return nullptr;
  path_ = path;
  // One object is meant for one parse; a second one starts over rather than leaking the first.
  ReleaseParser();

  DOMImplementation* implementation = DOMImplementationRegistry::getDOMImplementation(ToXml(L"LS").c_str());
  parser_ = implementation->createLSParser(DOMImplementationLS::MODE_SYNCHRONOUS, nullptr, &memory_, nullptr);
  errorHandler_ = new wsxDOMErrorHandler();
  DOMConfiguration* config = parser_->getDomConfig();
  config->setParameter(XMLUni::fgDOMErrorHandler, static_cast<DOMErrorHandler*>(errorHandler_));
  for (const std::wstring& name : parameters) {
    std::basic_string<XMLCh> xmlName = ToXml(name);
    if (config->canSetParameter(xmlName.c_str(), true)) config->setParameter(xmlName.c_str(), true);
  }
  securityManager_.setEntityExpansionLimit(kEntityExpansionLimit);
  config->setParameter(XMLUni::fgXercesSecurityManager, static_cast<SecurityManager*>(&securityManager_));
  nestingLimit_ = new NestingLimit(*errorHandler_);
  parser_->setFilter(nestingLimit_);

  // Some builds of the parser join a relative reference (an external DTD beside the document) to
  // the document's location at forward slashes only; the Windows file API takes either separator.
  std::basic_string<XMLCh> uri = ToXml(path);
  std::replace(uri.begin(), uri.end(), XMLCh{chBackSlash}, XMLCh{chForwardSlash});
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (schemaUnresolved != 0 && config->canSetParameter(XMLUni::fgXercesSchema, false)) {
      config->setParameter(XMLUni::fgXercesSchema, false);
    }
    errorHandler_->ClearFailed();
    nestingLimit_->Reset();
    memory_.Reset();
    parser_->resetDocumentPool();
    try {
      document_ = parser_->parseURI(uri.c_str());
    } catch (const XMLException& exception) {
      document_ = nullptr;
      WriteToStandardOutput(runtime::Printf(L"Exception message is: \n%s\n", ToWide(exception.getMessage())));
      return nullptr;
    } catch (const DOMException& exception) {
      document_ = nullptr;
      WriteToStandardOutput(runtime::Printf(L"Exception message is: \n%s\n", ToWide(exception.getMessage())));
      return nullptr;
    } catch (const OutOfMemoryException&) {
      // Left to the caller like any other exception, with the reason where the caller reads it.
      document_ = nullptr;
      if (memory_.Exhausted()) {
        errorHandler_->Stop(
            runtime::Printf(L"FATAL ERROR, node #document\nthe document needs more than %d MB of memory",
                            BoundedMemory::kLimitBytes >> 20));
      }
      throw;
    }
    if (!errorHandler_->Failed()) break;
    document_ = nullptr;
    if (!IsUnresolvedGrammar(errorHandler_->Message())) break;
    schemaUnresolved = 1;
  }
  return document_;
}

std::wstring XmlDocumentFile::LastErrorText() const {
  return errorHandler_ != nullptr ? errorHandler_->Message() : std::wstring();
}

}  // namespace xmldoc
