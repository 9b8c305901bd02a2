#include "actions/custom_properties.h"

#include <array>
#include <string_view>

#include "fsutil/file_path.h"
#include "runtime/install_type.h"

namespace actions {

namespace {

// The editions that carry discipline switches, and the switches each one turns on.
struct EditionSwitches {
  std::wstring_view code;
  std::array<const wchar_t*, 4> values;  // architecture, electrical, mechanical, structural
};
constexpr std::array<const wchar_t*, 4> kSwitchProperties{L"PLM_APP_ARCH_BOOL", L"PLM_APP_ELEC_BOOL",
                                                          L"PLM_APP_MECH_BOOL", L"PLM_APP_STRU_BOOL"};
constexpr std::array<EditionSwitches, 2> kEditions{{
    {L"PLM", {L"1", L"0", L"0", L"0"}},
    {L"PLQ", {L"0", L"1", L"1", L"0"}},
}};

wchar_t AsciiUpper(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

// Text that UuidToStringW allocated, freed however the copy of it ends.
struct RpcText {
  RPC_WSTR text = nullptr;
  RpcText() = default;
  RpcText(const RpcText&) = delete;
  RpcText& operator=(const RpcText&) = delete;
  ~RpcText() {
    if (text != nullptr) RpcStringFreeW(&text);
  }
};

void SetReinstalled(runtime::CustomActionSession& session) {
  const bool repair = runtime::IsRepair(session.dwInstallType) || runtime::IsRegistryRepair(session.dwInstallType);
  session.SetProperty(L"Reinstalled", repair ? L"TRUE" : L"");
  session.EvaluateCondition(L"Reinstalled");  // traced only
}

void SetIdentityPath(runtime::CustomActionSession& session) {
  std::wstring releaseName = session.GetProperty(L"RELEASENAME");
  std::wstring manufacturer = session.GetProperty(L"Manufacturer");
  session.SetProperty(L"PLM_IDEN_PAR_PATH", session.FormatText(manufacturer + L"\\Pelmo\\" + releaseName));
}

// Other editions, the light one included, keep whatever switches the installation gives them.
void SetDisciplineSwitches(runtime::CustomActionSession& session) {
  std::wstring edition = session.GetProperty(L"ProductTLA");
  for (const EditionSwitches& known : kEditions) {
    if (!EqualsIgnoringCase(edition, known.code)) continue;
    for (std::size_t i = 0; i < kSwitchProperties.size(); ++i) {
      session.SetProperty(kSwitchProperties[i], known.values[i]);
    }
    return;
  }
}

// A deployment brings its own GUID for the installation; the reinstall GUID is new on every run.
void SetInstallationGuids(runtime::CustomActionSession& session) {
  std::wstring deploymentGuid = session.GetProperty(L"DEPLOYMENT_GUID");
  session.SetProperty(L"PLM_PELINI_GUID", deploymentGuid.empty() ? NewGuidString() : deploymentGuid);
  session.SetProperty(L"PLM_PELINI_RE_GUID", NewGuidString());
}

// The installer answers the profile folder under this exact name, percent sign included. The
// replacement is case-sensitive on purpose: it only rewrites the folder exactly as the installer
// spells it.
void SetProjectPath(runtime::CustomActionSession& session) {
  std::wstring profileFolder = session.GetProperty(L"%USERPROFILE");
  std::wstring projectPath = session.GetProperty(L"PLM_S_PROJPATH");
  fsutil::ReplaceAll(projectPath, profileFolder, L"%USERPROFILE%");
  session.SetProperty(L"PLM_S_PROJPATH", projectPath);
}

}  // namespace

std::wstring NewGuidString() {
  UUID guid{};
  UuidCreate(&guid);
  RpcText text;
  if (UuidToStringW(&guid, &text.text) != RPC_S_OK || text.text == nullptr) return {};
  std::wstring upper(reinterpret_cast<const wchar_t*>(text.text));
  for (wchar_t& c : upper) c = AsciiUpper(c);
  return L"{" + upper + L"}";
}

void SetCustomProperties(runtime::CustomActionSession& session) {
  SetReinstalled(session);
  SetIdentityPath(session);
  SetDisciplineSwitches(session);
  SetInstallationGuids(session);
  SetProjectPath(session);
}

}  // namespace actions
