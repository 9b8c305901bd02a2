// Bad input never fails the installation and never loses what is already on the machine.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ini_deployment_test.h"

namespace inideploy_test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr char kExisting[] = "[S]\r\nK=old\r\n";

struct DescriptionCase {
  const char* name;
  friend void PrintTo(const DescriptionCase& c, std::ostream* out) { *out << c.name; }
  std::string document;
};

class BadDescriptionTest : public IniDeploymentTest, public ::testing::WithParamInterface<DescriptionCase> {};

TEST_P(BadDescriptionTest, IsReportedAndWritesNothing) {
  WriteBytes(std::wstring(kDocumentFolder) + L"inifile.xml", GetParam().document);
  WriteBytes(kProductIni, kExisting);
  std::wstring actionData = Prepare(FirstInstall());
  std::wstring tempDocument = Fields(actionData).at(0);
  Write(actionData);

  std::wstring log = Log();
  EXPECT_THAT(log, HasSubstr(L"  => Setting CustomActionData for PlmWriteIni to " + actionData + L"\r\n"));
  EXPECT_THAT(log, HasSubstr(L" !=> Failed to open " + tempDocument + L"\r\n-> WriteIni"));
  EXPECT_THAT(log, HasSubstr(L" => Inifile Temp Document: " + tempDocument + L"\r\n"));
  EXPECT_THAT(log.substr(log.find(L"WriteIni()")), HasSubstr(L" !=> Failed to open " + tempDocument));
  EXPECT_THAT(log, Not(HasSubstr(L"PlmWriteIni complete")));
  EXPECT_EQ(ReadBytes(kProductIni), kExisting);
}

INSTANTIATE_TEST_SUITE_P(
    Descriptions, BadDescriptionTest,
    ::testing::Values(DescriptionCase{"NotXml", "<IniFile><File Name="},
                      DescriptionCase{"FileWithoutSection",
                                      DescriptionDocument(R"(<File Name="Pelmo.ini" Path="[UserDataCacheFolder]"/>)")},
                      DescriptionCase{"UnknownProduct", DescriptionDocument(R"(
  <File Name="Pelmo.ini" Path="[UserDataCacheFolder]">
    <Section Name="S"><Data Key="K" Product="plx">new</Data></Section>
  </File>)")}),
    CaseName<DescriptionCase>);

struct ActionDataCase {
  const char* name;
  friend void PrintTo(const ActionDataCase& c, std::ostream* out) { *out << c.name; }
  std::wstring customActionData;
  std::wstring logLines;
};

class BadActionDataTest : public IniDeploymentTest, public ::testing::WithParamInterface<ActionDataCase> {};

TEST_P(BadActionDataTest, IsReportedAndWritesNothing) {
  WriteBytes(kProductIni, kExisting);
  Write(GetParam().customActionData);
  EXPECT_THAT(Log(), HasSubstr(GetParam().logLines));
  EXPECT_THAT(Log(), Not(HasSubstr(L"PlmWriteIni complete")));
  EXPECT_EQ(ReadBytes(kProductIni), kExisting);
}

INSTANTIATE_TEST_SUITE_P(
    ActionData, BadActionDataTest,
    ::testing::Values(
        ActionDataCase{"Empty", L"", L" => Deploy Ini: \r\n !=> No document provided\r\n !=> \r\n"},
        ActionDataCase{"Blanks", L" ; ; ; ;", L" => Deploy Ini: \r\n !=> No document provided\r\n !=> \r\n"},
        ActionDataCase{"LeadingSeparators", L";;;C:\\x.ini;", L" !=> No document provided\r\n"},
        ActionDataCase{"Garbled", L"garbage\x1F;\u00e9;;", L" !=> Failed to open garbage\x1F\r\n"},
        ActionDataCase{"MissingDocument", L"C:\\Temp\\gone.xml; ; ;",
                       L" => Inifile Temp Document: C:\\Temp\\gone.xml\r\n => Standlone language pack: \r\n"
                       L" => Target Ini File: \r\n => Deploy Ini: \r\n !=> Failed to open C:\\Temp\\gone.xml\r\n"}),
    CaseName<ActionDataCase>);

constexpr char kTwoFiles[] = R"(
  <File Name="Pelmo.ini" Path="[UserDataCacheFolder]" Unicode="yes">
    <Section Name="S"><Data Key="K">new</Data></Section>
  </File>
  <File Name="Identity.ini" Path="[INSTALLDIR]">
    <Section Name="S"><Data Key="K">new</Data></Section>
  </File>)";

TEST_F(IniDeploymentTest, MissingFolderSkipsOnlyThatFile) {
  PutDescription(std::wstring(kDocumentFolder) + L"inifile.xml", kTwoFiles);
  Install(FirstInstall({{L"UserDataCacheFolder", L"C:\\Nowhere\\"}}));

  EXPECT_THAT(Log(),
              HasSubstr(L"  ==> File: C:\\Nowhere\\Pelmo.ini\r\n  !=> Failed to create C:\\Nowhere\\Pelmo.ini\r\n"
                        L"  ==> File: "));
  EXPECT_FALSE(Exists(L"C:\\Nowhere"));
  EXPECT_EQ(IniText(std::wstring(kInstallFolder) + L"Identity.ini"), L"[S]\nK=new\n");
  EXPECT_THAT(Log(), HasSubstr(L"PlmWriteIni complete"));
}

TEST_F(IniDeploymentTest, ReadOnlyOrHeldFilesStayIntact) {
  PutDescription(std::wstring(kDocumentFolder) + L"inifile.xml", kTwoFiles);
  std::wstring identity = std::wstring(kInstallFolder) + L"Identity.ini";
  WriteBytes(kProductIni, kExisting);
  WriteBytes(identity, kExisting);
  ASSERT_TRUE(SetFileAttributesW(identity.c_str(), FILE_ATTRIBUTE_READONLY));
  HANDLE held =
      CreateFileW(kProductIni, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);

  Install(FirstInstall());
  CloseHandle(held);

  EXPECT_EQ(ReadBytes(kProductIni), kExisting);
  EXPECT_EQ(ReadBytes(identity), kExisting);
  EXPECT_THAT(Log(), HasSubstr(L"PlmWriteIni complete"));
}

}  // namespace
}  // namespace inideploy_test
