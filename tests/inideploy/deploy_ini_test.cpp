// The administrator's deployment INI file: where it is found and how it replaces the product INI file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "ini_deployment_test.h"

namespace inideploy_test {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

constexpr char kGeneratingDescription[] = R"(
  <File Name="Pelmo.ini" Path="[UserDataCacheFolder]" Unicode="yes">
    <Section Name="Directories"><Data Key="P">generated</Data></Section>
  </File>)";

constexpr char kDeployIni[] = "[Partitions]\r\nServer=s1\r\n[Custom]\r\nK=V\r\n";

struct PathCase {
  const char* name;
  friend void PrintTo(const PathCase& c, std::ostream* out) { *out << c.name; }
  std::wstring vorq;
  std::wstring deployName;
  std::wstring database;
  // Where the deployment file is looked for; empty: no deployment file is named.
  std::wstring expectedPath;
};

class DeployIniPathTest : public IniDeploymentTest, public ::testing::WithParamInterface<PathCase> {};

TEST_P(DeployIniPathTest, FindsTheDeploymentFileNextToTheMedia) {
  const PathCase& c = GetParam();
  PutDescription(std::wstring(kDocumentFolder) + L"inifile.xml", kGeneratingDescription);
  if (!c.expectedPath.empty()) WriteBytes(c.expectedPath, kDeployIni);
  std::wstring actionData = Prepare(FirstInstall(
      {{L"VORQ", c.vorq}, {L"PELMOINIDEPLOY", c.deployName}, {L"OriginalDatabase", c.database}, {L"Site", L"site"}}));

  std::vector<std::wstring> fields = Fields(actionData);
  std::wstring log = Log();
  EXPECT_THAT(log, HasSubstr(L"  => sDeployIniPath is " + c.database + L"\r\n"));
  if (c.expectedPath.empty()) {
    EXPECT_EQ(fields.size(), 3u) << actionData;
    EXPECT_THAT(log, Not(HasSubstr(L"sDeployIniDocument")));
    return;
  }
  ASSERT_EQ(fields.size(), 4u) << actionData;
  EXPECT_THAT(log, HasSubstr(L" => sDeployIniDocument is: " + c.expectedPath + L"\r\n"));
  EXPECT_THAT(fields[3], StartsWith(L"C:\\Temp\\bex"));
  EXPECT_THAT(fields[3], EndsWith(L".ini"));
  EXPECT_EQ(ReadBytes(fields[3]), kDeployIni);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, DeployIniPathTest,
    ::testing::Values(PathCase{"CustomSettingsThreeLevelsUp", L"", L"deploy.ini", L"D:\\Media\\A\\B\\x.msi",
                               L"D:\\Media\\CustomSettings\\deploy.ini"},
                      PathCase{"NameIsFormattedText", L"", L"[Site].ini", L"D:\\Media\\A\\B\\x.msi",
                               L"D:\\Media\\CustomSettings\\site.ini"},
                      PathCase{"VorqFourLevelsUpLastComponentOnly", L"1", L"E:\\Elsewhere\\deploy.ini",
                               L"D:\\Media\\A\\B\\C\\x.msi", L"D:\\Media\\deploy.ini"},
                      PathCase{"NoNameNoFourthField", L"", L"", L"D:\\Media\\A\\B\\x.msi", L""}),
    CaseName<PathCase>);

struct ApplyCase {
  const char* name;
  friend void PrintTo(const ApplyCase& c, std::ostream* out) { *out << c.name; }
  std::string deployIni;
  std::wstring expected;
};

class DeployIniApplyTest : public IniDeploymentTest, public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(DeployIniApplyTest, ReplacesTheProductIniAndKeepsTheGeneratedOneBeside) {
  const ApplyCase& c = GetParam();
  PutDescription(std::wstring(kDocumentFolder) + L"inifile.xml", kGeneratingDescription);
  WriteBytes(L"D:\\Media\\CustomSettings\\deploy.ini", c.deployIni);
  std::wstring actionData =
      Prepare(FirstInstall({{L"PELMOINIDEPLOY", L"deploy.ini"}, {L"OriginalDatabase", L"D:\\Media\\A\\B\\x.msi"}}));
  // The copy starts readable by its owner only, so that what every user may read was granted.
  std::wstring deployCopy = Fields(actionData).at(3);
  std::filesystem::permissions(Host(deployCopy),
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  Write(actionData);

  std::wstring generated = std::wstring(kProductIni) + L".gen";
  EXPECT_EQ(IniText(kProductIni), c.expected);
  EXPECT_EQ(IniText(generated), L"[Directories]\nP=generated\n");
  EXPECT_THAT(Log(), HasSubstr(L"  => Copied " + std::wstring(kProductIni) + L" to " + generated + L".\r\n"));
  EXPECT_TRUE(EveryUserMay(deployCopy, GENERIC_READ));
  EXPECT_TRUE(EveryUserMay(kProductIni, GENERIC_READ));
}

INSTANTIATE_TEST_SUITE_P(
    DeploymentFiles, DeployIniApplyTest,
    ::testing::Values(ApplyCase{"StoredUsernameRemoved",
                                "[Partitions]\r\nUsername=admin\r\nServer=s1\r\n[Custom]\r\nK=V\r\n",
                                L"[Partitions]\nServer=s1\n[Custom]\nK=V\n"},
                      ApplyCase{"EmptyUsernameKept", "[Partitions]\r\nUsername=\r\nServer=s1\r\n",
                                L"[Partitions]\nUsername=\nServer=s1\n"}),
    CaseName<ApplyCase>);

// A named deployment file that is missing leaves an empty copy: laying it over the product INI
// file would throw away everything this installation generated.
TEST_F(IniDeploymentTest, MissingDeploymentFileKeepsTheGeneratedProductIni) {
  PutDescription(std::wstring(kDocumentFolder) + L"inifile.xml", kGeneratingDescription);
  std::wstring actionData =
      Prepare(FirstInstall({{L"PELMOINIDEPLOY", L"deploy.ini"}, {L"OriginalDatabase", L"D:\\Media\\A\\B\\x.msi"}}));
  std::wstring deployCopy = Fields(actionData).at(3);
  Write(actionData);

  EXPECT_EQ(IniText(kProductIni), L"[Directories]\nP=generated\n");
  EXPECT_THAT(ReadBytes(kProductIni), StartsWith("\xFF\xFE"));
  EXPECT_THAT(Log(), HasSubstr(L"  !=> Deploy Ini " + deployCopy + L" is empty, keeping " + kProductIni + L"\r\n"));
  EXPECT_THAT(Log(), Not(HasSubstr(L"Copied " + deployCopy)));
  EXPECT_THAT(Log(), HasSubstr(L"PlmWriteIni complete"));
}

}  // namespace
}  // namespace inideploy_test
