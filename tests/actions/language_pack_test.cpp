// The standalone language pack actions driven through installer sessions of the stand-in, with the
// parent product installed or not.

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

}  // namespace
}  // namespace actions_test
