#include "ini_deployment_test.h"

#include <filesystem>

#include "actions/exports.h"
#include "runtime/custom_action_session.h"

namespace inideploy_test {

namespace {

constexpr char kGrammar[] = R"(<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE IniFile [
<!ELEMENT IniFile (File+)>
<!ELEMENT File (Section+)>
<!ATTLIST File Name CDATA #REQUIRED Path CDATA #REQUIRED Unicode (yes|no) "no" AddACE (yes|no) "no">
<!ELEMENT Section (Data*)>
<!ATTLIST Section Name CDATA #REQUIRED>
<!-- Inner text will be resolved against Windows Installer properties and written as the value -->
<!ELEMENT Data (#PCDATA | Condition)*>
<!ATTLIST Data Key CDATA #REQUIRED Product (PLX|PLM|ALL) "ALL" Overwrite (yes|no) "yes">
<!-- Inner text will be evaluated as a Windows Installer condition -->
<!ELEMENT Condition (#PCDATA)>
]>
)";

using testing_support::WithCrLf;

std::wstring Trimmed(const std::wstring& text) {
  std::size_t begin = text.find_first_not_of(L" \t\r");
  if (begin == std::wstring::npos) return {};
  return text.substr(begin, text.find_last_not_of(L" \t\r") - begin + 1);
}

}  // namespace

std::string DescriptionDocument(const std::string& files) {
  return "\xEF\xBB\xBF" + WithCrLf(kGrammar + ("<IniFile>\n" + files + "\n</IniFile>\n"));
}

void IniDeploymentTest::SetUp() {
  MachineTest::SetUp();
  // Every test starts as a fresh load of the library would.
  runtime::TheSession().dwInstallType = 0;
  MakeFolder(kUserFolder);
  MakeFolder(kInstallFolder);
}

Properties IniDeploymentTest::FirstInstall(const Properties& overrides) const {
  Properties properties{
      {L"INI_FILE_DOCUMENT", kDocumentFolder},
      {L"UserDataCacheFolder", kUserFolder},
      {L"INSTALLDIR", kInstallFolder},
      {L"ProductTLA", L"PLM"},
      {L"PLM_DISCIPLINE", L"All"},
      {L"PELMOLANGUAGE", L"ENU"},
  };
  for (const auto& [name, value] : overrides) properties[name] = value;
  return properties;
}

std::wstring IniDeploymentTest::Prepare(const Properties& properties) {
  MSIHANDLE session = Immediate(properties);
  EXPECT_EQ(PlmPrepareWriteIni(session), 0u);
  return standin::Property(session, L"PlmWriteIni").value_or(L"");
}

void IniDeploymentTest::Write(const std::wstring& customActionData) {
  EXPECT_EQ(PlmWriteIni(Deferred(customActionData)), 0u);
}

void IniDeploymentTest::Install(const Properties& properties) { Write(Prepare(properties)); }

void IniDeploymentTest::PutDescription(const std::wstring& path, const std::string& files) const {
  WriteBytes(path, DescriptionDocument(files));
}

std::wstring IniDeploymentTest::Log() const { return testing_support::FromUtf16(ReadBytes(kLog)); }

std::vector<IniSection> IniDeploymentTest::ReadIni(const std::wstring& path) const {
  std::string bytes = ReadBytes(path);
  std::wstring text;
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    text = testing_support::FromUtf16(bytes.substr(2));
  } else {
    for (char c : bytes) text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  }
  std::vector<IniSection> sections;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    if (line.empty()) continue;
    if (line.front() == L'[' && line.back() == L']') {
      sections.push_back({line.substr(1, line.size() - 2), {}});
    } else if (!sections.empty()) {
      sections.back().lines.push_back(line);
    }
  }
  return sections;
}

std::wstring IniDeploymentTest::IniText(const std::wstring& path) const {
  std::wstring text;
  for (const IniSection& section : ReadIni(path)) {
    text += L"[" + section.name + L"]\n";
    for (const std::wstring& line : section.lines) text += line + L"\n";
  }
  return text;
}

std::vector<std::wstring> IniDeploymentTest::SectionNames(const std::wstring& path) const {
  std::vector<std::wstring> names;
  for (const IniSection& section : ReadIni(path)) names.push_back(section.name);
  return names;
}

std::wstring IniDeploymentTest::Value(const std::wstring& path, const std::wstring& section,
                                      const std::wstring& key) const {
  for (const IniSection& stored : ReadIni(path)) {
    if (stored.name != section) continue;
    for (const std::wstring& line : stored.lines) {
      if (line.rfind(key + L"=", 0) == 0) return line.substr(key.size() + 1);
    }
  }
  return L"<missing>";
}

std::vector<std::wstring> IniDeploymentTest::Fields(const std::wstring& customActionData) {
  return runtime::SplitCustomActionData(customActionData);
}

void IniDeploymentTest::MakeFolder(const std::wstring& windowsPath) const {
  std::filesystem::create_directories(Host(windowsPath));
}

bool IniDeploymentTest::EveryUserMay(const std::wstring& path, DWORD access) {
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl, nullptr,
                            &descriptor) != ERROR_SUCCESS) {
    return false;
  }
  ULONG count = 0;
  PEXPLICIT_ACCESS_W entries = nullptr;
  bool granted = false;
  if (GetExplicitEntriesFromAclW(dacl, &count, &entries) == ERROR_SUCCESS) {
    for (ULONG index = 0; index < count; ++index) {
      const EXPLICIT_ACCESS_W& entry = entries[index];
      if (entry.grfAccessMode != GRANT_ACCESS || (entry.grfAccessPermissions & access) != access ||
          entry.Trustee.TrusteeForm != TRUSTEE_IS_SID) {
        continue;
      }
      LPWSTR sid = nullptr;
      if (ConvertSidToStringSidW(reinterpret_cast<PSID>(entry.Trustee.ptstrName), &sid)) {
        granted = granted || std::wstring(sid) == L"S-1-5-11";
        LocalFree(sid);
      }
    }
    LocalFree(entries);
  }
  LocalFree(descriptor);
  return granted;
}

}  // namespace inideploy_test
