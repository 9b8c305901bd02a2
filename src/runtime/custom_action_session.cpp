#include "runtime/custom_action_session.h"

#include <array>

#include "runtime/action_log.h"
#include "runtime/install_type.h"

namespace runtime {

namespace {

CustomActionSession session;

constexpr std::wstring_view kRule =
    L"________________________________________________________________________________";

constexpr std::array<const wchar_t*, 19> kRunModeTexts{
    L"MSIRUNMODE_ADMIN ",           L"MSIRUNMODE_ADVERTISE ",        L"MSIRUNMODE_MAINTENANCE ",
    L"MSIRUNMODE_ROLLBACKENABLED ", L"MSIRUNMODE_LOGENABLED ",       L"MSIRUNMODE_OPERATIONS ",
    L"MSIRUNMODE_REBOOTATEND ",     L"MSIRUNMODE_REBOOTNOW ",        L"MSIRUNMODE_CABINET ",
    L"MSIRUNMODE_SOURCESHORTNAMES ", L"MSIRUNMODE_TARGETSHORTNAMES ", L"MSIRUNMODE_RESERVED11 ",
    L"MSIRUNMODE_WINDOWS9X ",       L"MSIRUNMODE_ZAWENABLED ",       L"MSIRUNMODE_RESERVED14 ",
    L"MSIRUNMODE_RESERVED15 ",      L"MSIRUNMODE_SCHEDULED ",        L"MSIRUNMODE_ROLLBACK ",
    L"MSIRUNMODE_COMMIT ",
};

constexpr DWORD kFirstPropertyBuffer = 260;
constexpr DWORD kFormatBuffer = 2080;

// The text of a buffer up to its first null.
std::wstring BufferText(const std::vector<wchar_t>& buffer) {
  std::size_t length = 0;
  while (length < buffer.size() && buffer[length] != L'\0') ++length;
  return std::wstring(buffer.data(), length);
}

}  // namespace

CustomActionSession& TheSession() { return session; }

std::vector<std::wstring> SplitCustomActionData(std::wstring_view value) {
  std::vector<std::wstring> fields;
  std::wstring_view rest = value;
  while (!rest.empty()) {
    std::size_t end = rest.find(L';');
    std::wstring_view field = rest.substr(0, end);
    fields.emplace_back(field);
    rest.remove_prefix(field.size());
    while (!rest.empty() && rest.front() == L';') rest.remove_prefix(1);
    while (!rest.empty() && rest.back() == L';') rest.remove_suffix(1);
  }
  return fields;
}

void CustomActionSession::Begin(MSIHANDLE hInstall, const std::wstring& actionName,
                                const std::wstring& logFileName) {
  std::wstring header =
      Printf(L"%s\n%s()", std::wstring(kRule.substr(0, actionName.size())), actionName);
  if (hInstall != 0) installHandle = hInstall;

  std::vector<wchar_t> folder(MAX_PATH, L'\0');
  GetTempPathW(MAX_PATH, folder.data());
  std::wstring temp = BufferText(folder);
  logPath = temp + (!temp.empty() && temp.back() == L'\\' ? L"" : L"\\") + logFileName;

  PrepareActionLog(logPath);

  SYSTEMTIME now{};
  GetSystemTime(&now);
  WriteLogLine(Printf(L"-> %s Start: %02d:%02d:%02d:%03d", actionName, now.wHour, now.wMinute, now.wSecond,
                      now.wMilliseconds));

  std::wstring runModes;
  for (std::size_t mode = 0; mode < kRunModeTexts.size(); ++mode) {
    if (MsiGetMode(hInstall, static_cast<MSIRUNMODE>(mode)) == TRUE) runModes += kRunModeTexts[mode];
  }
  WriteLogLine(header);
  LogLine(L"  => Run mode: %s", runModes);

  active = TRUE;
  if (MsiGetMode(hInstall, MSIRUNMODE_SCHEDULED) != TRUE) ComputeInstallType();

  std::wstring data = GetProperty(L"CustomActionData");
  customActionData = SplitCustomActionData(data);
}

void CustomActionSession::WriteLogLine(const std::wstring& message) { AppendLogLine(logPath, message); }

const std::wstring* CustomActionSession::CustomActionDataField(std::size_t index) const {
  return index < customActionData.size() ? &customActionData[index] : nullptr;
}

std::wstring CustomActionSession::GetProperty(std::wstring_view name) {
  if (!active) return {};
  std::wstring key(name);
  std::vector<wchar_t> buffer(kFirstPropertyBuffer, L'\0');
  DWORD length = kFirstPropertyBuffer;
  UINT result = MsiGetPropertyW(installHandle, key.c_str(), buffer.data(), &length);
  if (result == ERROR_MORE_DATA) {
    ++length;
    buffer.assign(length, L'\0');
    MsiGetPropertyW(installHandle, key.c_str(), buffer.data(), &length);
  }
  std::wstring value = BufferText(buffer);
  LogLine(L"    => Get: %s: %s", key, value);
  return value;
}

UINT CustomActionSession::SetProperty(std::wstring_view name, std::wstring_view value) {
  if (!active) return 0xFFFFFFFFu;
  std::wstring key(name);
  std::wstring text(value);
  LogLine(L"    => Set: %s: %s", key, text);
  return MsiSetPropertyW(installHandle, key.c_str(), text.c_str());
}

BOOL CustomActionSession::EvaluateCondition(std::wstring_view condition) {
  if (!active) return FALSE;
  std::wstring text(condition);
  BOOL result = MsiEvaluateConditionW(installHandle, text.c_str()) == MSICONDITION_TRUE ? TRUE : FALSE;
  LogLine(L"    => Condition \"%s\" evaluates as %s", text, std::wstring(result ? L"TRUE" : L"FALSE"));
  return result;
}

std::wstring CustomActionSession::FormatText(const std::wstring& text) {
  if (!active) return {};
  if (text.empty() || text.find(L'[') == std::wstring::npos) return text;

  struct RecordHolder {
    MSIHANDLE handle;
    ~RecordHolder() { MsiCloseHandle(handle); }
  } record{MsiCreateRecord(1)};
  MsiRecordSetStringW(record.handle, 0, text.c_str());

  std::vector<wchar_t> buffer(kFormatBuffer, L'\0');
  DWORD length = kFormatBuffer;
  // A long expansion must come back whole: a cut value would reach a user's INI file unnoticed.
  if (MsiFormatRecordW(installHandle, record.handle, buffer.data(), &length) == ERROR_MORE_DATA) {
    ++length;
    buffer.assign(length, L'\0');
    MsiFormatRecordW(installHandle, record.handle, buffer.data(), &length);
  }
  std::wstring expanded = BufferText(buffer);
  LogLine(L"    => msiString: \"%s\" formatted to: %s", text, expanded);
  return expanded;
}

void CustomActionSession::ComputeInstallType() {
  std::wstring reinstallMode = GetProperty(L"REINSTALLMODE");
  BOOL notInstalled = EvaluateCondition(L"NOT Installed");
  BOOL installed = EvaluateCondition(L"Installed");
  BOOL secondary = EvaluateCondition(L"QOBE_SECONDARY_INSTALL");
  BOOL uninstall = EvaluateCondition(L"REMOVE=\"ALL\"");
  BOOL patch = EvaluateCondition(L"%s OR %s", std::wstring(L"PATCH"), std::wstring(L"BEXPATCHFEATURES"));
  BOOL patchRemove = EvaluateCondition(L"MSIPATCHREMOVE");
  BOOL deployment = EvaluateCondition(L"NIWSELECTION=\"1\"");
  BOOL addRemove = EvaluateCondition(L"CP_ADDREMOVE");
  BOOL newUser = EvaluateCondition(L"THISUSERHASNOTRUNTHEPRODUTCYET");
  bool repairFiles = reinstallMode.find_first_of(L"ae") != std::wstring::npos;
  bool repairRegistry = reinstallMode.find_first_of(L"um") != std::wstring::npos;

  if (installed) dwInstallType = IT_REINSTALL;
  if (uninstall) dwInstallType |= IT_UNINSTALL;
  if (repairFiles) dwInstallType |= IT_REPAIRFIL;
  if (secondary) dwInstallType |= IT_SECONDARY;
  if (repairRegistry) dwInstallType |= IT_REPAIRREG;
  if (patch) dwInstallType |= IT_PATCH;
  if (patchRemove) dwInstallType |= IT_PATCHREMOVE;
  if (notInstalled) dwInstallType |= IT_NEWINSTALL;
  if (deployment) dwInstallType |= IT_DEPLOYMENT;
  if (addRemove) dwInstallType |= IT_ADDREMOVE;
  if (newUser) dwInstallType |= IT_NEWUSER;

  LogLine(L"    => dwInstallType: %s", InstallTypeNames(dwInstallType));
}

}  // namespace runtime
