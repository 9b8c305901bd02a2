// Language sections: the installed language's section and one copy per other language.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ini_deployment_test.h"

namespace inideploy_test {
namespace {

using ::testing::ElementsAreArray;

constexpr char kLanguageDescription[] = R"(
  <File Name="Pelmo.ini" Path="[UserDataCacheFolder]" Unicode="yes">
    <Section Name="First"><Data Key="A">1</Data></Section>
    <Section Name="Lib[ALL_LANGUAGES]">
      <Data Key="Folder">
        [Root][ALL_LANGUAGES]\[ALL_LANGNAMES]
      </Data>
    </Section>
    <Section Name="Own[PELMOLANGUAGE]">
      <Data Key="Folder"><![CDATA[[Root][ALL_LANGUAGES]\[ALL_LANGNAMES]]]></Data>
    </Section>
    <Section Name="Last"><Data Key="B">2</Data></Section>
  </File>)";

const std::vector<std::pair<std::wstring, std::wstring>> kTable{
    {L"CHS", L"Chinese"},    {L"CHT", L"Traditional Chinese"},
    {L"CSY", L"Czech"},      {L"DEU", L"German"},
    {L"ENU", L"English"},    {L"ENG", L"English"},
    {L"ESP", L"Spanish"},    {L"FRA", L"French"},
    {L"ITA", L"Italian"},    {L"JPN", L"Japanese"},
    {L"KOR", L"Korean"},     {L"PLK", L"Polish"},
    {L"PTB", L"Portuguese"}, {L"RUS", L"Russian"}};

struct LanguageCase {
  const char* name;
  friend void PrintTo(const LanguageCase& c, std::ostream* out) { *out << c.name; }
  std::wstring language;
  std::wstring genericOnly;
  // The installed language's section, or empty when it goes.
  std::wstring ownSection;
};

class LanguageTokensTest : public IniDeploymentTest, public ::testing::WithParamInterface<LanguageCase> {};

TEST_P(LanguageTokensTest, LaysOutLanguageSectionsAfterTheOthers) {
  const LanguageCase& c = GetParam();
  PutDescription(std::wstring(kDocumentFolder) + L"inifile.xml", kLanguageDescription);
  Install(FirstInstall({{L"PELMOLANGUAGE", c.language},
                        {L"CP_GENERIC_ONLY", c.genericOnly},
                        {L"Root", L"C:\\Lib\\"},
                        {L"ALL_LANGNAMES", L"(property)"}}));

  std::vector<std::wstring> expected{L"First"};
  if (!c.ownSection.empty()) expected.push_back(c.ownSection);
  expected.push_back(L"Last");
  bool everyLanguage = c.genericOnly == L"1";
  for (const auto& [code, name] : kTable) {
    if (code == c.language && !everyLanguage) continue;
    expected.push_back(L"Lib" + code);
    EXPECT_EQ(Value(kProductIni, L"Lib" + code, L"Folder"), L"C:\\Lib\\" + code + L"\\" + name);
  }
  EXPECT_THAT(SectionNames(kProductIni), ElementsAreArray(expected));
  // The installed language's section is no copy: its [ALL_LANGNAMES] stays a property reference.
  if (!c.ownSection.empty()) {
    EXPECT_EQ(Value(kProductIni, c.ownSection, L"Folder"), L"C:\\Lib\\" + c.language + L"\\(property)");
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageTokensTest,
                         ::testing::Values(LanguageCase{"German", L"DEU", L"", L"OwnDEU"},
                                           LanguageCase{"BritishEnglishGenericOff", L"ENG", L"0", L"OwnENG"},
                                           LanguageCase{"GenericOnly", L"DEU", L"1", L""},
                                           LanguageCase{"NoLanguage", L"", L"", L"Own"},
                                           LanguageCase{"LanguageOutsideTheTable", L"XYZ", L"", L"OwnXYZ"}),
                         CaseName<LanguageCase>);

}  // namespace
}  // namespace inideploy_test
