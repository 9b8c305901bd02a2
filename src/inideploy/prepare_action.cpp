#include "inideploy/prepare_action.h"

#include <string>

#include "fsutil/file_path.h"
#include "inideploy/deploy_ini_copy.h"
#include "inideploy/description_source.h"
#include "inideploy/local_files.h"
#include "inideploy/resolve_description.h"
#include "inideploy/write_ini_action_data.h"
#include "runtime/install_type.h"
#include "xmldoc/xml_document_file.h"

namespace inideploy {

namespace {

// First installations, feature changes and repairs write INI files; removals and patches do not.
bool WritesIniFiles(runtime::CustomActionSession& session) {
  session.EvaluateCondition(L"Reinstalled");
  std::uint32_t installType = session.dwInstallType;
  return (installType & (runtime::IT_NEWINSTALL | runtime::IT_ADDREMOVE)) != 0 || runtime::IsRepair(installType);
}

void ResolveWorkingCopy(runtime::CustomActionSession& session, const std::wstring& tempDocument,
                        const std::wstring& slpValue) {
  xmldoc::XmlDocumentFile file;
  xercesc::DOMDocument* document = nullptr;
  if (!xmldoc::OpenXmlDocument(file, tempDocument, document)) {
    session.LogLine(L" !=> Failed to open %s", tempDocument);
    return;
  }
  ResolutionContext context;
  context.standaloneLanguagePack = slpValue == L"1";
  context.repair = runtime::IsRepair(session.dwInstallType);
  context.userTemplateName = session.GetProperty(L"PELMOUTNAME");
  context.userTemplatePath = session.GetProperty(L"PELMOUTPATH");
  ResolveDescription(session, document, context);
  file.Save(L"UTF-16", L"\r\n");
}

}  // namespace

void PrepareWriteIni(runtime::CustomActionSession& session) {
  WriteIniActionData data;
  data.slpValue = session.GetProperty(L"SLP_PROP");

  const DescriptionKind& kind = ChooseDescriptionKind(session);
  std::wstring documentFolderValue = session.GetProperty(kind.documentProperty);
  std::wstring sourceFolderValue = session.GetProperty(kind.sourceProperty);
  session.LogLine(L"%s", std::wstring(kind.logLine));
  std::wstring documentFolder = session.FormatText(documentFolderValue);
  std::wstring firstPath = fsutil::FilePath(documentFolder).Combine(DescriptionFileName(session, kind));

  if (!WritesIniFiles(session)) {
    session.LogLine(L"  => Unknown InstallType - skipping ini file writes");
    return;
  }

  LocatedDescription description = LocateDescription(session, firstPath, sourceFolderValue);
  data.tempDocument = NewTempFile(L"xml");
  if (!description.path.empty() && !data.tempDocument.empty()) {
    fsutil::FilePath(description.path).Copy(data.tempDocument, true);
  }
  data.deployIniCopy = CopyDeploymentIni(session);
  if (description.foundInSourceFolder) data.targetDocument = firstPath;

  // The write action gets its data even when the working copy cannot be resolved below.
  std::wstring actionData = ToCustomActionData(data);
  session.LogLine(L"  => Setting CustomActionData for PlmWriteIni to %s", actionData);
  session.SetProperty(L"PlmWriteIni", std::wstring_view{actionData});

  ResolveWorkingCopy(session, data.tempDocument, data.slpValue);
}

}  // namespace inideploy
