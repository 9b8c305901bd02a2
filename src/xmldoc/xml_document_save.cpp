// Writes the document of an XmlDocumentFile back over the file it was parsed from.
#include <memory>
#include <xercesc/dom/DOMConfiguration.hpp>
#include <xercesc/dom/DOMException.hpp>
#include <xercesc/dom/DOMImplementation.hpp>
#include <xercesc/dom/DOMImplementationRegistry.hpp>
#include <xercesc/dom/DOMLSOutput.hpp>
#include <xercesc/dom/DOMLSSerializer.hpp>
#include <xercesc/framework/LocalFileFormatTarget.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLUni.hpp>

#include "platform/win32.h"
#include "runtime/printf_format.h"
#include "xmldoc/standard_output.h"
#include "xmldoc/xml_document_file.h"
#include "xmldoc/xml_text.h"

XERCES_CPP_NAMESPACE_USE

namespace xmldoc {

namespace {

constexpr int kReadAndWrite = 6;

struct Releaser {
  template <typename T>
  void operator()(T* object) const {
    object->release();
  }
};

bool Writable(const std::wstring& path) { return _waccess(path.c_str(), kReadAndWrite) == 0; }

}  // namespace

bool XmlDocumentFile::Save(const std::wstring& encoding, const std::wstring& lineEnd) {
  if (initialised_ == 0) return false;
  // A read-only target is made writable; a missing one is never created.
  if (!Writable(path_)) {
    SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!Writable(path_)) {
      WriteToStandardOutput(runtime::Printf(L"%s is is not writable\n", path_));
      return false;
    }
  }
  // Without a parsed document there is nothing to write, and the target keeps its content.
  if (document_ == nullptr) return false;

  DOMImplementation* implementation = DOMImplementationRegistry::getDOMImplementation(ToXml(L"LS").c_str());
  std::unique_ptr<DOMLSSerializer, Releaser> serializer(
      implementation->createLSSerializer(XMLPlatformUtils::fgMemoryManager));
  std::unique_ptr<DOMLSOutput, Releaser> output(implementation->createLSOutput(XMLPlatformUtils::fgMemoryManager));

  DOMConfiguration* config = serializer->getDomConfig();
  for (const XMLCh* name :
       {XMLUni::fgDOMWRTBOM, XMLUni::fgDOMWRTFormatPrettyPrint, XMLUni::fgDOMWRTDiscardDefaultContent}) {
    if (config->canSetParameter(name, true)) config->setParameter(name, true);
  }
  if (!encoding.empty()) output->setEncoding(ToXml(encoding).c_str());
  if (!lineEnd.empty()) serializer->setNewLine(ToXml(lineEnd).c_str());

  SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
  try {
    LocalFileFormatTarget target(ToXml(path_).c_str(), XMLPlatformUtils::fgMemoryManager);
    output->setByteStream(&target);
    // A serializer that gives up (an encoding it does not know, a character the encoding cannot
    // hold) has not written the document: that is a failed save, not a successful one.
    return serializer->write(document_, output.get());
  } catch (const XMLException& exception) {
    WriteToStandardOutput(runtime::Printf(L"Exception message is: \n%s\n", ToWide(exception.getMessage())));
  } catch (const DOMException& exception) {
    WriteToStandardOutput(runtime::Printf(L"Exception message is: \n%s\n", ToWide(exception.getMessage())));
  } catch (...) {
    WriteToStandardOutput(L"Unexpected Exception \n");
  }
  return false;
}

}  // namespace xmldoc
