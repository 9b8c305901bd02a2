// What all property actions share: an installation that gives them nothing to work with never
// fails the installer.
#include "actions/exports.h"
#include "property_action_test.h"

namespace actions_test {
namespace {

class EveryPropertyActionTest : public PropertyActionTest {};

struct Export {
  const char* name;
  UINT(WINAPI* action)(MSIHANDLE);
};

const Export kPropertyActions[] = {
    {"PlmSetCustomProperties", PlmSetCustomProperties},     {"PelmoSetSLPDiscipline", PelmoSetSLPDiscipline},
    {"PelmoSetSLPInstallDir", PelmoSetSLPInstallDir},       {"PelmoSLPUninstall", PelmoSLPUninstall},
    {"PelmoEngineSetInstallDir", PelmoEngineSetInstallDir},
};

TEST_F(EveryPropertyActionTest, ReturnsSuccessWithoutPropertiesOrProducts) {
  for (const Export& exported : kPropertyActions) {
    SCOPED_TRACE(exported.name);
    NextCase();
    EXPECT_EQ(exported.action(Immediate()), 0u);
  }
}

TEST_F(EveryPropertyActionTest, ReturnsSuccessForProductCodesNoProductHas) {
  for (const Export& exported : kPropertyActions) {
    SCOPED_TRACE(exported.name);
    NextCase();
    standin::InstallProduct(L"{00000000-0000-0000-0000-000000000001}", {{L"INSTALLDIR", L"C:\\Other\\"}});
    MSIHANDLE session = Immediate({{L"PARENTPRODUCTCODE", L"{00000000-0000-0000-0000-000000000002}"},
                                   {L"JQ_POSTREQ_FOR", L"not a product code"}});
    EXPECT_EQ(exported.action(session), 0u);
  }
}

}  // namespace
}  // namespace actions_test
