// PelmoEngineSetInstallDir driven through installer sessions of the stand-in: the three choices in
// order, and what its log shows of the search.
#include "actions/exports.h"
#include "property_action_test.h"

namespace actions_test {
namespace {

using Properties = std::map<std::wstring, std::wstring>;
using ::testing::ElementsAreArray;

const std::wstring kHost = L"{0F1E2D3C-4B5A-4968-8776-A5B4C3D2E1F0}";

class EngineInstallDirTest : public PropertyActionTest {};

struct ChoiceCase {
  const char* situation;
  Properties properties;
  std::optional<Properties> hostProduct;  // the product named by JQ_POSTREQ_FOR; nullopt: not installed
  std::wstring installDir;
  std::vector<std::wstring> logLines;
};

TEST_F(EngineInstallDirTest, TakesTheFirstFolderItFinds) {
  const ChoiceCase cases[] = {
      {"both companions known",
       {{L"KELDAX_INSTALL_LOC", L"C:\\Keldax\\"}, {L"KELDAY_INSTALL_LOC", L"C:\\Kelday\\"}},
       std::nullopt,
       L"C:\\Keldax\\Loaders\\",
       {L"    => Get: KELDAX_INSTALL_LOC: C:\\Keldax\\", L"    => Set: INSTALLDIR: C:\\Keldax\\Loaders\\"}},
      {"companion location without trailing backslash",
       {{L"KELDAX_INSTALL_LOC", L"C:\\Keldax"}},
       std::nullopt,
       L"C:\\KeldaxLoaders\\",
       {L"    => Get: KELDAX_INSTALL_LOC: C:\\Keldax", L"    => Set: INSTALLDIR: C:\\KeldaxLoaders\\"}},
      {"second companion only",
       {{L"KELDAY_INSTALL_LOC", L"D:\\Kelday\\"}, {L"JQ_POSTREQ_FOR", kHost}},
       Properties{{L"INSTALLDIR", L"C:\\Host\\"}},
       L"D:\\Kelday\\Loaders\\",
       {L"    => Get: KELDAX_INSTALL_LOC: ", L"    => Get: KELDAY_INSTALL_LOC: D:\\Kelday\\",
        L"    => Set: INSTALLDIR: D:\\Kelday\\Loaders\\"}},
      {"installed host product",
       {{L"JQ_POSTREQ_FOR", kHost}},
       Properties{{L"INSTALLDIR", L"C:\\Pelmo\\"}, {L"KRVN_INSTALL_PATH", L"Engine"}},
       L"C:\\Pelmo\\Engine\\",
       {L"    => Get: KELDAX_INSTALL_LOC: ", L"    => Get: KELDAY_INSTALL_LOC: ",
        L"    => Get: JQ_POSTREQ_FOR: " + kHost, L"    => Set: INSTALLDIR: C:\\Pelmo\\Engine\\"}},
      {"host product without install path",
       {{L"JQ_POSTREQ_FOR", kHost}},
       Properties{{L"INSTALLDIR", L"C:\\Pelmo\\"}},
       L"C:\\Pelmo\\\\",
       {L"    => Get: KELDAX_INSTALL_LOC: ", L"    => Get: KELDAY_INSTALL_LOC: ",
        L"    => Get: JQ_POSTREQ_FOR: " + kHost, L"    => Set: INSTALLDIR: C:\\Pelmo\\\\"}},
      {"host product not installed",
       {{L"JQ_POSTREQ_FOR", kHost}},
       std::nullopt,
       L"C:\\Given\\",
       {L"    => Get: KELDAX_INSTALL_LOC: ", L"    => Get: KELDAY_INSTALL_LOC: ",
        L"    => Get: JQ_POSTREQ_FOR: " + kHost}},
      {"no host product named",
       {},
       Properties{{L"INSTALLDIR", L"C:\\Pelmo\\"}},
       L"C:\\Given\\",
       {L"    => Get: KELDAX_INSTALL_LOC: ", L"    => Get: KELDAY_INSTALL_LOC: ", L"    => Get: JQ_POSTREQ_FOR: "}},
  };
  for (const ChoiceCase& c : cases) {
    SCOPED_TRACE(c.situation);
    NextCase();
    if (c.hostProduct) standin::InstallProduct(kHost, *c.hostProduct);
    Properties properties = c.properties;
    properties[L"INSTALLDIR"] = L"C:\\Given\\";
    MSIHANDLE session = Immediate(properties);
    EXPECT_EQ(PelmoEngineSetInstallDir(session), 0u);
    EXPECT_EQ(PropertyOf(session, L"INSTALLDIR"), c.installDir);
    EXPECT_THAT(ActionLogLines(), ElementsAreArray(c.logLines));
  }
}

TEST_F(EngineInstallDirTest, HostProductValuesOfAnyLengthComeBackWhole) {
  for (std::size_t length : {2079u, 2080u, 5000u}) {
    SCOPED_TRACE(length);
    NextCase();
    const std::wstring folder = L"C:\\" + LongText(length) + L"\\";
    const std::wstring path = LongText(length);
    standin::InstallProduct(kHost, {{L"INSTALLDIR", folder}, {L"KRVN_INSTALL_PATH", path}});
    MSIHANDLE session = Immediate({{L"JQ_POSTREQ_FOR", kHost}});
    PelmoEngineSetInstallDir(session);
    EXPECT_EQ(PropertyOf(session, L"INSTALLDIR"), folder + path + L"\\");
  }
}

}  // namespace
}  // namespace actions_test
