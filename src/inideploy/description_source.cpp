#include "inideploy/description_source.h"

#include "fsutil/file_path.h"
#include "inideploy/embedded_description.h"
#include "inideploy/local_files.h"
#include "platform/win32.h"

namespace inideploy {

namespace {

constexpr DescriptionKind kFullProduct{L"INI_FILE_DOCUMENT", L"SRC_INI_FILE_DOCUMENT",
                                       L"  => Writing ini files for Pelmo", false};
constexpr DescriptionKind kEngine{L"JQ_INI_FILE_DOCUMENT", L"SRC_JQ_INI_FILE_DOCUMENT",
                                  L"  => Writing ini files for Pelmo Engine", true};

constexpr wchar_t kDescriptionFileName[] = L"inifile.xml";

bool EngineSelected(runtime::CustomActionSession& session) { return session.GetProperty(L"PELMOENGINE") == L"1"; }

}  // namespace

const DescriptionKind& ChooseDescriptionKind(runtime::CustomActionSession& session) {
  return EngineSelected(session) ? kEngine : kFullProduct;
}

std::wstring DescriptionFileName(runtime::CustomActionSession& session, const DescriptionKind& kind) {
  if (!kind.engineEdition) return kDescriptionFileName;
  return session.GetProperty(L"JQ_TLA") + kDescriptionFileName;
}

LocatedDescription LocateDescription(runtime::CustomActionSession& session, const std::wstring& firstPath,
                                     const std::wstring& sourceFolderValue) {
  if (Exists(firstPath)) return {firstPath, false};
  session.LogLine(L"  => Failed to find %s.", firstPath);

  std::wstring sourceFolder = session.FormatText(sourceFolderValue);
  WORD resourceId = EngineSelected(session) ? kEngineDescription : kFullProductDescription;
  std::wstring candidate = fsutil::FilePath(sourceFolder).Combine(fsutil::FilePath(firstPath).FileName());
  session.LogLine(L"  => Looking for %s", candidate);
  if (Exists(candidate)) return {candidate, true};

  std::wstring extracted = ExtractEmbeddedDescription(resourceId);
  if (!extracted.empty()) session.LogLine(L"  => Extracted from DLL %s", extracted);
  return {extracted, false};
}

}  // namespace inideploy
