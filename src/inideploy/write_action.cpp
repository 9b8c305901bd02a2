#include "inideploy/write_action.h"

#include "fsutil/file_path.h"
#include "inideploy/deploy_ini_apply.h"
#include "inideploy/ini_file_writer.h"
#include "inideploy/write_ini_action_data.h"
#include "xmldoc/xml_document_file.h"

namespace inideploy {

void WriteIni(runtime::CustomActionSession& session) {
  WriteIniActionData data = ReadWriteIniActionData(session);
  session.LogLine(L" => Inifile Temp Document: %s", data.tempDocument);
  session.LogLine(L" => Standlone language pack: %s", data.slpValue);
  session.LogLine(L" => Target Ini File: %s", data.targetDocument);
  session.LogLine(L" => Deploy Ini: %s", data.deployIniCopy.value_or(L""));

  if (data.tempDocument.empty()) {
    session.LogLine(L" !=> No document provided");
    session.LogLine(L" !=> %s", data.tempDocument);
    return;
  }
  xmldoc::XmlDocumentFile file;
  xercesc::DOMDocument* document = nullptr;
  if (!xmldoc::OpenXmlDocument(file, data.tempDocument, document)) {
    session.LogLine(L" !=> Failed to open %s", data.tempDocument);
    return;
  }

  std::wstring productIni = WriteIniFiles(session, document, data.slpValue == L"1");
  if (data.deployIniCopy) ApplyDeploymentIni(session, *data.deployIniCopy, productIni);
  if (!data.targetDocument.empty()) fsutil::FilePath(data.tempDocument).Copy(data.targetDocument, true);
  session.LogLine(L"PlmWriteIni complete");
}

}  // namespace inideploy
