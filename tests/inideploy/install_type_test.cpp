// Which installations write INI files, and what a repair does to the files already there.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ini_deployment_test.h"

namespace inideploy_test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

constexpr char kDescription[] = R"(
  <File Name="Pelmo.ini" Path="[UserDataCacheFolder]" Unicode="yes">
    <Section Name="Keys">
      <Data Key="Kept" Overwrite="no">new</Data>
      <Data Key="Fresh">new</Data>
    </Section>
    <Section Name="Install">
      <Data Key="InstallGUID"><Condition>NOT Installed or Reinstalled</Condition>[NewGuid]</Data>
      <Data Key="ReInstallGUID"><Condition>Installed and NOT Reinstalled</Condition>[ReGuid]</Data>
    </Section>
  </File>)";

constexpr char kExistingIni[] = "[Old]\r\nStale=1\r\n[Keys]\r\nKept=user\r\n";

struct InstallCase {
  const char* name;
  friend void PrintTo(const InstallCase& c, std::ostream* out) { *out << c.name; }
  Properties situation;
  // The product INI file afterwards; empty: untouched.
  std::wstring expected;
  bool rebuiltAsUnicode;
};

class InstallTypeTest : public IniDeploymentTest, public ::testing::WithParamInterface<InstallCase> {};

TEST_P(InstallTypeTest, WritesOnlyForInstallationsThatNeedIniFiles) {
  const InstallCase& c = GetParam();
  PutDescription(std::wstring(kDocumentFolder) + L"inifile.xml", kDescription);
  WriteBytes(kProductIni, kExistingIni);
  Properties properties = FirstInstall(c.situation);
  properties[L"NewGuid"] = L"N";
  properties[L"ReGuid"] = L"R";

  std::wstring actionData = Prepare(properties);
  Write(actionData);

  if (c.expected.empty()) {
    EXPECT_EQ(actionData, L"");
    EXPECT_THAT(Log(), HasSubstr(L"  => Unknown InstallType - skipping ini file writes\r\n"));
    EXPECT_EQ(ReadBytes(kProductIni), kExistingIni);
    return;
  }
  EXPECT_THAT(Log(), Not(HasSubstr(L"skipping ini file writes")));
  EXPECT_EQ(IniText(kProductIni), c.expected);
  if (c.rebuiltAsUnicode) {
    EXPECT_THAT(ReadBytes(kProductIni), StartsWith("\xFF\xFE"));
  } else {
    EXPECT_THAT(ReadBytes(kProductIni), StartsWith("[Old]"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Situations, InstallTypeTest,
    ::testing::Values(InstallCase{"FirstInstallation",
                                  {},
                                  L"[Old]\nStale=1\n[Keys]\nKept=user\nFresh=new\n[Install]\nInstallGUID=N\n",
                                  false},
                      InstallCase{"FeatureChange",
                                  {{L"Installed", L"1"}, {L"CP_ADDREMOVE", L"1"}},
                                  L"[Old]\nStale=1\n[Keys]\nKept=user\nFresh=new\n[Install]\nReInstallGUID=R\n",
                                  false},
                      InstallCase{"Repair",
                                  {{L"Installed", L"1"}, {L"REINSTALLMODE", L"ecmus"}, {L"Reinstalled", L"TRUE"}},
                                  L"[Keys]\nKept=new\nFresh=new\n[Install]\nInstallGUID=N\n",
                                  true},
                      InstallCase{"Uninstall", {{L"Installed", L"1"}, {L"REMOVE", L"ALL"}}, L"", false},
                      InstallCase{"Patch", {{L"Installed", L"1"}, {L"PATCH", L"C:\\p.msp"}}, L"", false}),
    CaseName<InstallCase>);

}  // namespace
}  // namespace inideploy_test
