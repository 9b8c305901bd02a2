// The descriptions the library carries, written on a first installation.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ini_deployment_test.h"

namespace inideploy_test {
namespace {

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

const std::vector<std::wstring> kFullProductLanguages{L"CHS", L"CHT", L"CSY", L"DEU", L"ENU", L"ENG", L"ESP",
                                                      L"FRA", L"ITA", L"JPN", L"KOR", L"PLK", L"PTB", L"RUS"};

class FullProductTest : public IniDeploymentTest {
 protected:
  // The embedded description: no description file in any folder.
  Properties Product(const std::wstring& product, const std::wstring& discipline) const {
    return FirstInstall({{L"INI_FILE_DOCUMENT", L""},
                         {L"ProductTLA", product},
                         {L"PLM_DISCIPLINE", discipline},
                         {L"PLM_S_PROJPATH", L"%USERPROFILE%\\Projects"},
                         {L"PLM_S_TEMPLATECONTENT", L"C:\\Templates\\"},
                         {L"PLM_ARCH_TEMPLATENAME_DEU", L"Architektur"},
                         {L"PLM_CONS_TEMPLATENAME_DEU", L"Bau"},
                         {L"PLM_PELINI_GUID", L"{11111111-2222-3333-4444-555555555555}"},
                         {L"PRODUCTCOMMON", L"C:\\ProgramData\\Pelmo\\"}});
  }

  // "Section: key key ..." per section of the file.
  std::wstring KeyNames(const std::wstring& path) const {
    std::wstring text;
    for (const IniSection& section : ReadIni(path)) {
      text += section.name + L":";
      for (const std::wstring& line : section.lines) text += L" " + line.substr(0, line.find(L'='));
      text += L"\n";
    }
    return text;
  }
};

struct ProductCase {
  const char* name;
  friend void PrintTo(const ProductCase& c, std::ostream* out) { *out << c.name; }
  std::wstring product;
  std::wstring discipline;
  bool lookupTables;
  bool materialLibrary;
  // The DefaultTemplate that survives, by the start of its German value; empty: none survives.
  std::wstring germanTemplateStart;
};

class FullProductCaseTest : public FullProductTest, public ::testing::WithParamInterface<ProductCase> {};

TEST_P(FullProductCaseTest, FirstInstallationWritesExactlyTheSurvivingKeys) {
  const ProductCase& c = GetParam();
  Install(Product(c.product, c.discipline));

  std::wstring expected = L"Pelmo.ini:\nColors:\nDirectories: ProjectPath ImportLineweightsNameDWG";
  if (c.materialLibrary) expected += L" MaterialLibraryFiles";
  expected += L" IESFileLocation";
  if (c.lookupTables) expected += L" LookupTableLocation";
  expected += L"\n";
  for (const std::wstring& language : kFullProductLanguages) {
    expected += L"Directories" + language + L": FamilyTemplatePath DataLibraryLocations";
    if (!c.germanTemplateStart.empty()) expected += L" DefaultTemplate";
    expected += L"\n";
  }
  expected +=
      L"SamplesDEU: DefaultSamples\nSamplesJPN: DefaultSamples\nUserInterface:\nLanguage: Select\n"
      L"Applications: Mechanical Electrical Architectural Structural\nInstallationSettings: Language Usage\n"
      L"Install: InstallGUID\n";
  EXPECT_EQ(KeyNames(kProductIni), expected);

  EXPECT_THAT(Log(), HasSubstr(L"  => Extracted from DLL C:\\Temp\\bex"));
  EXPECT_THAT(ReadBytes(kProductIni), StartsWith("\xFF\xFE"));
  EXPECT_EQ(Value(kProductIni, L"Directories", L"ProjectPath"), L"%USERPROFILE%\\Projects");
  EXPECT_EQ(Value(kProductIni, L"InstallationSettings", L"Usage"), c.discipline);
  EXPECT_EQ(Value(kProductIni, L"Install", L"InstallGUID"), L"{11111111-2222-3333-4444-555555555555}");
  if (!c.germanTemplateStart.empty()) {
    EXPECT_THAT(Value(kProductIni, L"DirectoriesDEU", L"DefaultTemplate"), StartsWith(c.germanTemplateStart));
  }
  std::wstring identity = std::wstring(kInstallFolder) + L"Identity.ini";
  EXPECT_EQ(IniText(identity), L"[Folders]\nCommonAppData=C:\\ProgramData\\Pelmo\\\n");
  EXPECT_THAT(ReadBytes(identity), Not(StartsWith("\xFF\xFE")));
}

INSTANTIATE_TEST_SUITE_P(
    Products, FullProductCaseTest,
    ::testing::Values(ProductCase{"LightEdition", L"PLX", L"All", false, true, L"Architektur=C:\\Templates\\"},
                      ProductCase{"FullProductAllDisciplines", L"PLM", L"All", true, true, L"Bau=C:\\Templates\\"},
                      ProductCase{"FullProductStructural", L"PLM", L"Structural", true, true, L""},
                      ProductCase{"FullProductConceptual", L"PLM", L"Conceptual", true, false, L""}),
    CaseName<ProductCase>);

TEST_F(FullProductTest, EngineEditionWritesItsOwnDescription) {
  const std::wstring folderSuffix = L".D53D7C22_D946_4B75_9B91_DA5476E29581";
  Install({{L"PELMOENGINE", L"1"},
           {L"UserDataCacheFolder" + folderSuffix, kUserFolder},
           {L"PRODUCTCOMMON" + folderSuffix, L"C:\\Engine\\"}});

  EXPECT_THAT(Log(), HasSubstr(L"  => Writing ini files for Pelmo Engine\r\n"));
  EXPECT_THAT(Log(), HasSubstr(L"  => Extracted from DLL C:\\Temp\\bex"));
  std::vector<std::wstring> expected{L"Pelmo.ini", L"Directories"};
  for (const wchar_t* language : {L"ENU", L"CHS", L"CHT", L"CSY", L"DEU", L"ESP", L"FRA", L"ITA", L"JPN", L"KOR",
                                  L"PLK", L"PTB", L"RUS", L"ENG"}) {
    expected.push_back(std::wstring(L"Directories") + language);
  }
  expected.push_back(L"Install");
  EXPECT_THAT(SectionNames(kProductIni), ElementsAreArray(expected));
  EXPECT_EQ(Value(kProductIni, L"DirectoriesFRA", L"FamilyTemplatePath"), L"C:\\Engine\\Family Templates");
  EXPECT_EQ(Value(kProductIni, L"Directories", L"LookupTableLocation"), L"C:\\Engine\\Lookup Tables");
}

}  // namespace
}  // namespace inideploy_test
