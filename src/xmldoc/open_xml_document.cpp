#include <xercesc/util/XMLUni.hpp>

#include "platform/win32.h"
#include "runtime/printf_format.h"
#include "xmldoc/standard_output.h"
#include "xmldoc/xml_document_file.h"
#include "xmldoc/xml_text.h"

namespace xmldoc {

bool OpenXmlDocument(XmlDocumentFile& file, const std::wstring& path, xercesc::DOMDocument*& document) {
  if (_waccess(path.c_str(), 0) != 0) {
    WriteToStandardOutput(runtime::Printf(L"   !=> File not avaliable to parse: %s\n", path));
    return false;
  }

  const XmlDocumentFile::ParameterNames parameters = {
      L"namespaces",
      ToWide(xercesc::XMLUni::fgXercesSchema),
      L"datatype-normalization",
      L"validate-if-schema",
      ToWide(xercesc::XMLUni::fgXercesSchemaFullChecking),
  };
  try {
    document = file.Parse(path, parameters);
  } catch (...) {
    // Whatever escapes the parser (memory exhaustion, for one) is a failed load like any other.
    document = nullptr;
  }

  if (document == nullptr) {
    WriteToStandardOutput(runtime::Printf(L" !=> Failed to load %s\n", path));
    WriteToStandardOutput(runtime::Printf(L"     > %s\n", file.LastErrorText()));
    return false;
  }
  if (schemaUnresolved != 0) {
    WriteToStandardOutput(
        runtime::Printf(L" !=> Unresolved Schema! Schema validation disabled when loading %s\n", path));
  }
  return true;
}

}  // namespace xmldoc
