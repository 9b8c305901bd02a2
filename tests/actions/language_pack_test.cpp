// The standalone language pack actions driven through installer sessions of the stand-in, with the
// parent product installed or not.
#include <array>

#include "actions/exports.h"
#include "property_action_test.h"

namespace actions_test {
namespace {

using Properties = std::map<std::wstring, std::wstring>;
using ::testing::ElementsAre;

const std::wstring kParent = L"{6A0E3F7C-1B2D-4C5E-8F90-A1B2C3D4E5F6}";

class LanguagePackTest : public PropertyActionTest {};

struct ParentCase {
  const char* situation;
  std::optional<std::wstring> parentCode;  // PARENTPRODUCTCODE of the language pack
  std::optional<Properties> parent;        // nullopt: not installed
  std::optional<std::wstring> discipline;  // nullopt: removed
  std::wstring installDir;
};

TEST_F(LanguagePackTest, TakesDisciplineAndInstallFolderFromTheParent) {
  const ParentCase cases[] = {
      {"parent folder with trailing backslash", kParent,
       Properties{{L"PLM_DISCIPLINE", L"Structure"}, {L"INSTALLDIR", L"C:\\Pelmo\\"}, {L"KRVN_INSTALL_PATH", L"2021"}},
       L"Structure", L"C:\\Pelmo\\2021\\"},
      {"parent without install path", kParent, Properties{{L"PLM_DISCIPLINE", L"All"}, {L"INSTALLDIR", L"C:\\Pelmo\\"}},
       L"All", L"C:\\Pelmo\\\\"},
      {"parent folder without trailing backslash", kParent,
       Properties{{L"INSTALLDIR", L"C:\\Pelmo"}, {L"KRVN_INSTALL_PATH", L"2021"}}, std::nullopt, L"C:\\Pelmo2021\\"},
      {"parent not installed", kParent, std::nullopt, std::nullopt, L"\\"},
      {"no parent named", std::nullopt, Properties{{L"PLM_DISCIPLINE", L"All"}}, std::nullopt, L"\\"},
  };
  for (const ParentCase& c : cases) {
    SCOPED_TRACE(c.situation);
    NextCase();
    if (c.parent) standin::InstallProduct(kParent, *c.parent);
    Properties properties{{L"PLM_DISCIPLINE", L"Old"}, {L"INSTALLDIR", L"C:\\Old\\"}};
    if (c.parentCode) properties[L"PARENTPRODUCTCODE"] = *c.parentCode;
    const std::wstring getParent = L"    => Get: PARENTPRODUCTCODE: " + c.parentCode.value_or(L"");

    MSIHANDLE session = Immediate(properties);
    EXPECT_EQ(PelmoSetSLPDiscipline(session), 0u);
    EXPECT_EQ(PropertyOf(session, L"PLM_DISCIPLINE"), c.discipline);
    EXPECT_THAT(PropertyLogLines(),
                ElementsAre(getParent, L"    => Set: PLM_DISCIPLINE: " + c.discipline.value_or(L"")));

    EXPECT_EQ(PelmoSetSLPInstallDir(session), 0u);
    EXPECT_EQ(PropertyOf(session, L"INSTALLDIR"), c.installDir);
    EXPECT_THAT(PropertyLogLines(), ElementsAre(getParent, L"    => Set: INSTALLDIR: " + c.installDir));
  }
}

// Values past the installer's first buffer of 2080 characters must not be cut: a cut install
// folder would send the whole language pack to a wrong folder.
TEST_F(LanguagePackTest, ParentValuesOfAnyLengthComeBackWhole) {
  for (std::size_t length : {2079u, 2080u, 2081u, 6000u}) {
    SCOPED_TRACE(length);
    NextCase();
    const std::wstring folder = L"C:\\" + LongText(length) + L"\\";
    const std::wstring path = LongText(length);
    const std::wstring discipline = LongText(length);
    standin::InstallProduct(kParent,
                            {{L"PLM_DISCIPLINE", discipline}, {L"INSTALLDIR", folder}, {L"KRVN_INSTALL_PATH", path}});
    MSIHANDLE session = Immediate({{L"PARENTPRODUCTCODE", kParent}});
    PelmoSetSLPDiscipline(session);
    PelmoSetSLPInstallDir(session);
    EXPECT_EQ(PropertyOf(session, L"PLM_DISCIPLINE"), discipline);
    EXPECT_EQ(PropertyOf(session, L"INSTALLDIR"), folder + path + L"\\");
  }
}

const wchar_t kCacheFolder[] = L"C:\\Users\\ann\\AppData\\Roaming\\Pelmo\\";
const wchar_t kProductIni[] = L"C:\\Users\\ann\\AppData\\Roaming\\Pelmo\\Pelmo.ini";

std::vector<std::wstring> SectionNames(const std::wstring& file) {
  std::array<wchar_t, 2080> buffer{};
  DWORD length = GetPrivateProfileSectionNamesW(buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
  std::vector<std::wstring> names;
  for (std::size_t start = 0; start < length;) {
    std::wstring name(buffer.data() + start);
    names.push_back(name);
    start += name.size() + 1;
  }
  return names;
}

std::wstring ProfileValue(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
  std::array<wchar_t, 2080> buffer{};
  GetPrivateProfileStringW(section, key, L"(missing)", buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
  return buffer.data();
}

struct UninstallCase {
  std::optional<std::wstring> language;
  std::vector<std::wstring> remaining;
};

TEST_F(LanguagePackTest, UninstallRemovesTheLanguageFolderSectionWithItsKeys) {
  const UninstallCase cases[] = {
      {L"DEU", {L"Directories", L"DirectoriesENU", L"InstallationSettings"}},
      {L"deu", {L"Directories", L"DirectoriesENU", L"InstallationSettings"}},
      {std::nullopt, {L"DirectoriesDEU", L"DirectoriesENU", L"InstallationSettings"}},
      {L"FRA", {L"Directories", L"DirectoriesDEU", L"DirectoriesENU", L"InstallationSettings"}},
  };
  for (const UninstallCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.language.value_or(L"(not set)")));
    NextCase();
    WriteBytes(kProductIni,
               "[Directories]\r\nProjectPath=C:\\P\r\n"
               "[DirectoriesDEU]\r\nTemplates=C:\\T\\DEU\r\n"
               "[DirectoriesENU]\r\nTemplates=C:\\T\\ENU\r\n"
               "[InstallationSettings]\r\nUsage=All\r\n");
    Properties properties{{L"UserDataCacheFolder", kCacheFolder}};
    if (c.language) properties[L"PELMOLANGUAGE"] = *c.language;
    MSIHANDLE session = Immediate(properties);

    EXPECT_EQ(PelmoSLPUninstall(session), 0u);
    EXPECT_EQ(SectionNames(kProductIni), c.remaining);
    EXPECT_EQ(ProfileValue(kProductIni, L"DirectoriesENU", L"Templates"), L"C:\\T\\ENU");
    EXPECT_EQ(ProfileValue(kProductIni, L"InstallationSettings", L"Usage"), L"All");
    EXPECT_THAT(ActionLogLines(), ElementsAre(std::wstring(L"    => Get: UserDataCacheFolder: ") + kCacheFolder,
                                              L"    => Get: PELMOLANGUAGE: " + c.language.value_or(L"")));
  }
}

TEST_F(LanguagePackTest, UninstallLeavesAMissingProductIniMissing) {
  MSIHANDLE session = Immediate({{L"UserDataCacheFolder", kCacheFolder}, {L"PELMOLANGUAGE", L"DEU"}});
  EXPECT_EQ(PelmoSLPUninstall(session), 0u);
  EXPECT_FALSE(Exists(kProductIni));
}

}  // namespace
}  // namespace actions_test
