// The write action's two branches: the normal one and the standalone language pack's.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ini_deployment_test.h"

namespace inideploy_test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

constexpr char kOverwriteDescription[] = R"(
  <File Name="Pelmo.ini" Path="[UserDataCacheFolder]" Unicode="yes">
    <Section Name="DirectoriesFRA">
      <Data Key="Kept" Overwrite="no">new</Data>
      <Data Key="KeptEmpty" Overwrite="no">new</Data>
      <Data Key="Replaced" Overwrite="yes">new</Data>
      <Data Key="ReplacedByDefault">new</Data>
      <Data Key="Added" Overwrite="no">new</Data>
    </Section>
  </File>)";

class OverwriteTest : public IniDeploymentTest, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(OverwriteTest, KeepsExistingKeysMarkedOverwriteNo) {
  PutDescription(std::wstring(kDocumentFolder) + L"inifile.xml", kOverwriteDescription);
  WriteBytes(kProductIni, "[DirectoriesFRA]\r\nKept=user\r\nKeptEmpty=\r\nReplaced=user\r\nReplacedByDefault=user\r\n");
  Install(FirstInstall({{L"SLP_PROP", GetParam()}}));

  EXPECT_EQ(IniText(kProductIni),
            L"[DirectoriesFRA]\nKept=user\nKeptEmpty=\nReplaced=new\nReplacedByDefault=new\nAdded=new\n");
  std::wstring log = Log();
  EXPECT_THAT(log, HasSubstr(L"      ==> Key: Kept\r\n        ==> Exists, will not overwrite.\r\n"));
  EXPECT_THAT(log, HasSubstr(L"      ==> Key: KeptEmpty\r\n        ==> Exists, will not overwrite.\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Branches, OverwriteTest, ::testing::Values(L"", L"1"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& info) {
                           return std::string(*info.param == L'1' ? "LanguagePack" : "Normal");
                         });

TEST_F(IniDeploymentTest, ExistingFileIsUpdatedInPlaceKeepingKeylessSectionsAndOpenedToEveryUser) {
  PutDescription(std::wstring(kDocumentFolder) + L"inifile.xml", R"(
  <File Name="Pelmo.ini" Path="[UserDataCacheFolder]" Unicode="yes" AddACE="yes">
    <Section Name="UserSettings"/>
    <Section Name="Added"/>
    <Section Name="Keep"><Data Key="B">b</Data><Data Key="Blank"></Data></Section>
  </File>)");
  WriteBytes(kProductIni, "[UserSettings]\r\nOld=1\r\n[Keep]\r\nA=1\r\nBlank=was set\r\n");
  Install(FirstInstall());

  // A keyless section of the description is created when missing; a user's keys in it stay.
  EXPECT_EQ(IniText(kProductIni), L"[UserSettings]\nOld=1\n[Keep]\nA=1\nBlank=\nB=b\n[Added]\n");
  EXPECT_THAT(ReadBytes(kProductIni), StartsWith("[UserSettings]"));
  EXPECT_THAT(Log(), HasSubstr(L"      ==> Key: Blank\r\n    ==> ACE: GRANT_ACCESS GENERIC_WRITE\r\n"));
  EXPECT_TRUE(EveryUserMay(kProductIni, GENERIC_WRITE));
}

constexpr char kLanguagePackDescription[] = R"(
  <File Name="Pelmo.ini" Path="[UserDataCacheFolder]" Unicode="yes">
    <Section Name="Directories"><Data Key="Base">pack</Data></Section>
    <Section Name="DirectoriesFRA"><Data Key="Lib">fr</Data></Section>
    <Section Name="DirectoriesDEU"><Data Key="Lib">de</Data></Section>
    <Section Name="DirectoriesITA">
      <Data Key="Template"><Condition>PLM_DISCIPLINE="All"</Condition>every discipline</Data>
      <Data Key="Lib">it</Data>
    </Section>
    <Section Name="Other"><Data Key="X">pack</Data></Section>
    <Section Name="Empty"/>
  </File>
  <File Name="Identity.ini" Path="[INSTALLDIR]">
    <Section Name="Folders"><Data Key="A">pack</Data></Section>
  </File>)";

TEST_F(IniDeploymentTest, LanguagePackAddsOnlyItsLanguageSectionsToTheParentsFile) {
  PutDescription(std::wstring(kDocumentFolder) + L"inifile.xml", kLanguagePackDescription);
  WriteBytes(kProductIni, "\xFF\xFE" + testing_support::Utf16(L"[Directories]\r\nBase=parent\r\n"
                                                              L"[InstallationSettings]\r\nUsage=Structural\r\n"
                                                              L"[DirectoriesDEU]\r\nDirectoriesDEU\r\n"
                                                              L"[Other]\r\nX=parent\r\n"));
  // Repair as well: a language pack never deletes the parent's file.
  Install(FirstInstall({{L"SLP_PROP", L"1"}, {L"Installed", L"1"}, {L"REINSTALLMODE", L"ecmus"}}));

  EXPECT_EQ(IniText(kProductIni),
            L"[Directories]\nBase=parent\n[InstallationSettings]\nUsage=Structural\n[Other]\nX=parent\n"
            L"[DirectoriesFRA]\nLib=fr\n[DirectoriesITA]\nLib=it\n");
  EXPECT_THAT(ReadBytes(kProductIni), StartsWith("\xFF\xFE"));
  EXPECT_FALSE(Exists(std::wstring(kInstallFolder) + L"Identity.ini"));
  std::wstring log = Log();
  EXPECT_THAT(log, HasSubstr(L"    => Set: PLM_DISCIPLINE: Structural\r\n"));
  EXPECT_THAT(log, HasSubstr(L"   => This is a standalone language pack.\r\n"));
  EXPECT_THAT(log, HasSubstr(L"    ==> Removing Section: DirectoriesDEU\r\n"));
  EXPECT_THAT(log, HasSubstr(L"    ==> Section: DirectoriesFRA\r\n      ==> Key: Lib\r\n"
                             L"    ==> Adding Section: DirectoriesFRA\r\n"));
  EXPECT_THAT(log, Not(HasSubstr(L"==> Section: Directories\r\n")));
  EXPECT_THAT(log, Not(HasSubstr(L"Identity.ini")));
}

TEST_F(IniDeploymentTest, LanguagePackWithoutParentFileTakesEveryDisciplineAndStartsNoUnicodeFile) {
  PutDescription(std::wstring(kDocumentFolder) + L"inifile.xml", kLanguagePackDescription);
  Install(FirstInstall({{L"SLP_PROP", L"1"}}));

  EXPECT_THAT(Log(), HasSubstr(L"    => Set: PLM_DISCIPLINE: All\r\n"));
  EXPECT_EQ(
      IniText(kProductIni),
      L"[DirectoriesFRA]\nLib=fr\n[DirectoriesDEU]\nLib=de\n[DirectoriesITA]\nTemplate=every discipline\nLib=it\n");
  EXPECT_THAT(ReadBytes(kProductIni), Not(StartsWith("\xFF\xFE")));
}

}  // namespace
}  // namespace inideploy_test
