#include "runtime/install_type.h"

#include <gtest/gtest.h>

#include "log_reader.h"
#include "runtime/custom_action_session.h"

namespace {

using namespace runtime;
using testing_support::kLogPath;
using testing_support::LogLines;

struct ClassificationCase {
  const char* name;
  std::map<std::wstring, std::wstring> properties;
  std::uint32_t flags;
  const wchar_t* names;
  bool repair;
  bool registryRepair;
};

void PrintTo(const ClassificationCase& entry, std::ostream* out) { *out << entry.name; }

class InstallTypeTest : public testing_support::MachineTest, public testing::WithParamInterface<ClassificationCase> {};

TEST_P(InstallTypeTest, ClassifiesTheInstallation) {
  CustomActionSession& session = TheSession();
  session.dwInstallType = 0;
  session.Begin(Immediate(GetParam().properties), L"PrepareWriteIni", L"PelmoCustom.log");
  EXPECT_EQ(session.dwInstallType, GetParam().flags);
  EXPECT_EQ(IsRepair(session.dwInstallType), GetParam().repair);
  EXPECT_EQ(IsRegistryRepair(session.dwInstallType), GetParam().registryRepair);
  std::vector<std::wstring> lines = LogLines(ReadBytes(kLogPath));
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], std::wstring(L"    => dwInstallType: ") + GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InstallTypeTest,
    testing::Values(ClassificationCase{"FirstInstallation", {}, IT_NEWINSTALL, L"IT_NEWINSTALL", false, false},
                    ClassificationCase{"ChangeOfFeatures",
                                       {{L"CP_ADDREMOVE", L"1"}, {L"THISUSERHASNOTRUNTHEPRODUTCYET", L"1"}},
                                       IT_NEWINSTALL | IT_ADDREMOVE | IT_NEWUSER,
                                       L"IT_NEWINSTALL | IT_ADDREMOVE | IT_NEWUSER",
                                       false,
                                       false},
                    ClassificationCase{"RegistryRepair",
                                       {{L"Installed", L"1"}, {L"REINSTALLMODE", L"omus"}},
                                       IT_REINSTALL | IT_REPAIRREG,
                                       L"IT_REINSTALL | IT_REPAIRREG",
                                       true,
                                       true},
                    ClassificationCase{"FileRepair",
                                       {{L"Installed", L"1"}, {L"REINSTALLMODE", L"ecmus"}},
                                       IT_REINSTALL | IT_REPAIRFIL | IT_REPAIRREG,
                                       L"IT_REINSTALL | IT_REPAIRFIL | IT_REPAIRREG",
                                       true,
                                       false},
                    ClassificationCase{"CapitalReinstallModeIsNoRepair",
                                       {{L"Installed", L"1"}, {L"REINSTALLMODE", L"OMUS"}},
                                       IT_REINSTALL,
                                       L"IT_REINSTALL",
                                       true,
                                       true},
                    ClassificationCase{"Removal",
                                       {{L"Installed", L"1"}, {L"REMOVE", L"ALL"}},
                                       IT_REINSTALL | IT_UNINSTALL,
                                       L"IT_REINSTALL | IT_UNINSTALL",
                                       false,
                                       false},
                    ClassificationCase{"Patch",
                                       {{L"Installed", L"1"}, {L"PATCH", L"C:\\p.msp"}},
                                       IT_REINSTALL | IT_PATCH,
                                       L"IT_REINSTALL | IT_PATCH",
                                       false,
                                       false},
                    ClassificationCase{"DeploymentRepairPatchRemoveSecondary",
                                       {{L"Installed", L"1"},
                                        {L"NIWSELECTION", L"1"},
                                        {L"BEXPATCHFEATURES", L"x"},
                                        {L"MSIPATCHREMOVE", L"p"},
                                        {L"QOBE_SECONDARY_INSTALL", L"1"}},
                                       IT_REINSTALL | IT_DEPLOYMENT | IT_PATCH | IT_PATCHREMOVE | IT_SECONDARY,
                                       L"IT_SECONDARY | IT_REINSTALL | IT_DEPLOYMENT | IT_PATCH | IT_PATCHREMOVE",
                                       false,
                                       false}),
    [](const auto& info) { return info.param.name; });

class InstallTypeHistoryTest : public testing_support::MachineTest {};

TEST_F(InstallTypeHistoryTest, ALaterClassificationAddsToTheFlagsUnlessInstalledResetsThem) {
  CustomActionSession& session = TheSession();
  session.dwInstallType = 0;
  session.Begin(Immediate({{L"CP_ADDREMOVE", L"1"}}), L"A", L"PelmoCustom.log");
  session.Begin(Immediate(), L"A", L"PelmoCustom.log");
  EXPECT_EQ(session.dwInstallType, IT_NEWINSTALL | IT_ADDREMOVE);
  session.Begin(Immediate({{L"Installed", L"1"}}), L"A", L"PelmoCustom.log");
  EXPECT_EQ(session.dwInstallType, IT_REINSTALL);
}

TEST_F(InstallTypeHistoryTest, FailingInstallerCallsSetNoFlag) {
  CustomActionSession& session = TheSession();
  session.dwInstallType = 0;
  MSIHANDLE handle = Immediate();
  standin::FailInstallerCalls(true);
  session.Begin(handle, L"A", L"PelmoCustom.log");
  standin::FailInstallerCalls(false);
  EXPECT_EQ(session.dwInstallType, 0u);
  std::vector<std::wstring> lines = LogLines(ReadBytes(kLogPath));
  EXPECT_EQ(lines[lines.size() - 2], L"    => dwInstallType: ");
}

TEST(InstallTypePredicates, AllowOnlyRepairFlags) {
  EXPECT_FALSE(IsRepair(0));
  EXPECT_FALSE(IsRegistryRepair(0));
  EXPECT_TRUE(IsRepair(IT_DEPLOYMENT));
  EXPECT_TRUE(IsRegistryRepair(IT_REINSTALL | IT_DEPLOYMENT));
  EXPECT_FALSE(IsRepair(IT_REINSTALL | IT_NEWUSER));
  EXPECT_FALSE(IsRegistryRepair(IT_REPAIRFIL));
  EXPECT_TRUE(IsRepair(IT_REPAIRFIL));
}

}  // namespace
