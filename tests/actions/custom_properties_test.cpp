// PlmSetCustomProperties driven through installer sessions of the stand-in.
#include <regex>

#include "actions/exports.h"
#include "property_action_test.h"

namespace actions_test {
namespace {

using Properties = std::map<std::wstring, std::wstring>;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class CustomPropertiesTest : public PropertyActionTest {};

bool IsGuidText(const std::wstring& text) {
  static const std::wregex form(L"\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}");
  return std::regex_match(text, form);
}

struct ReinstalledCase {
  const char* run;
  Properties properties;
  std::optional<std::wstring> reinstalled;  // nullopt: removed
};

TEST_F(CustomPropertiesTest, ReinstalledMarksRepairsOnly) {
  const ReinstalledCase cases[] = {
      {"first installation", {{L"Reinstalled", L"TRUE"}}, std::nullopt},
      {"plain repair", {{L"Installed", L"1"}}, L"TRUE"},
      {"registry repair", {{L"Installed", L"1"}, {L"REINSTALLMODE", L"omus"}}, L"TRUE"},
      {"file repair", {{L"Installed", L"1"}, {L"REINSTALLMODE", L"ecmus"}}, L"TRUE"},
      {"deployment repair", {{L"Installed", L"1"}, {L"NIWSELECTION", L"1"}}, L"TRUE"},
      {"patch", {{L"Installed", L"1"}, {L"PATCH", L"C:\\p.msp"}}, std::nullopt},
      {"removal", {{L"Installed", L"1"}, {L"REMOVE", L"ALL"}}, std::nullopt},
      {"change of features", {{L"Installed", L"1"}, {L"CP_ADDREMOVE", L"1"}}, std::nullopt},
      {"secondary installation", {{L"Installed", L"1"}, {L"QOBE_SECONDARY_INSTALL", L"1"}}, std::nullopt},
  };
  for (const ReinstalledCase& c : cases) {
    SCOPED_TRACE(c.run);
    NextCase();
    MSIHANDLE session = Immediate(c.properties);
    EXPECT_EQ(PlmSetCustomProperties(session), 0u);
    EXPECT_EQ(PropertyOf(session, L"Reinstalled"), c.reinstalled);
    std::wstring shown = c.reinstalled.value_or(L"");
    std::vector<std::wstring> lines = ActionLogLines();
    lines.resize(2);
    EXPECT_THAT(lines, ElementsAre(L"    => Set: Reinstalled: " + shown,
                                   std::wstring(L"    => Condition \"Reinstalled\" evaluates as ") +
                                       (shown.empty() ? L"FALSE" : L"TRUE")));
  }
}

struct IdentityCase {
  Properties properties;
  std::wstring identityPath;
  bool formatted;
};

TEST_F(CustomPropertiesTest, IdentityPathJoinsManufacturerAndReleaseNameThroughInstallerFormatting) {
  const IdentityCase cases[] = {
      {{{L"Manufacturer", L"Maker"}, {L"RELEASENAME", L"2021"}}, L"Maker\\Pelmo\\2021", false},
      {{}, L"\\Pelmo\\", false},
      {{{L"Manufacturer", L"[VENDOR] Ltd"}, {L"RELEASENAME", L"[YEAR]"}, {L"VENDOR", L"Acme"}, {L"YEAR", L"2024"}},
       L"Acme Ltd\\Pelmo\\2024",
       true},
      {{{L"Manufacturer", L"100%s Maker"}, {L"RELEASENAME", L"%d"}}, L"100%s Maker\\Pelmo\\%d", false},
  };
  for (const IdentityCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.identityPath));
    NextCase();
    MSIHANDLE session = Immediate(c.properties);
    EXPECT_EQ(PlmSetCustomProperties(session), 0u);
    EXPECT_EQ(PropertyOf(session, L"PLM_IDEN_PAR_PATH"), c.identityPath);
    bool formatLine = false;
    for (const std::wstring& line : ActionLogLines()) formatLine |= line.starts_with(L"    => msiString: ");
    EXPECT_EQ(formatLine, c.formatted);
  }
}

struct EditionCase {
  std::optional<std::wstring> productTla;
  std::vector<std::wstring> switches;  // architecture, electrical, mechanical, structural
};

TEST_F(CustomPropertiesTest, DisciplineSwitchesFollowTheEditionCodeIgnoringCase) {
  const std::vector<std::wstring> kept{L"keep", L"keep", L"keep", L"keep"};
  const EditionCase cases[] = {
      {L"PLM", {L"1", L"0", L"0", L"0"}},
      {L"plm", {L"1", L"0", L"0", L"0"}},
      {L"PLQ", {L"0", L"1", L"1", L"0"}},
      {L"pLq", {L"0", L"1", L"1", L"0"}},
      {L"PLX", kept},
      {L" PLM", kept},
      {std::nullopt, kept},
  };
  const wchar_t* names[] = {L"PLM_APP_ARCH_BOOL", L"PLM_APP_ELEC_BOOL", L"PLM_APP_MECH_BOOL", L"PLM_APP_STRU_BOOL"};
  for (const EditionCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.productTla.value_or(L"(not set)")));
    NextCase();
    Properties properties;
    for (const wchar_t* name : names) properties[name] = L"keep";
    if (c.productTla) properties[L"ProductTLA"] = *c.productTla;
    MSIHANDLE session = Immediate(properties);
    EXPECT_EQ(PlmSetCustomProperties(session), 0u);
    std::vector<std::wstring> values;
    std::vector<std::wstring> expectedLines;
    for (std::size_t i = 0; i < 4; ++i) {
      values.push_back(PropertyOf(session, names[i]).value_or(L"(removed)"));
      if (c.switches != kept) expectedLines.push_back(std::wstring(L"    => Set: ") + names[i] + L": " + c.switches[i]);
    }
    EXPECT_EQ(values, c.switches);
    std::vector<std::wstring> switchLines;
    for (const std::wstring& line : ActionLogLines()) {
      if (line.starts_with(L"    => Set: PLM_APP_")) switchLines.push_back(line);
    }
    EXPECT_THAT(switchLines, ElementsAreArray(expectedLines));
  }
}

TEST_F(CustomPropertiesTest, DeploymentGuidIsTakenAsItIs) {
  MSIHANDLE session = Immediate({{L"DEPLOYMENT_GUID", L"{abcdef01-not-a-guid}"}});
  EXPECT_EQ(PlmSetCustomProperties(session), 0u);
  EXPECT_EQ(PropertyOf(session, L"PLM_PELINI_GUID"), L"{abcdef01-not-a-guid}");
  std::wstring reinstallGuid = PropertyOf(session, L"PLM_PELINI_RE_GUID").value_or(L"");
  EXPECT_TRUE(IsGuidText(reinstallGuid)) << testing::PrintToString(reinstallGuid);
}

TEST_F(CustomPropertiesTest, WithoutDeploymentGuidBothGuidsAreNewAndDifferent) {
  MSIHANDLE session = Immediate();
  EXPECT_EQ(PlmSetCustomProperties(session), 0u);
  std::wstring installGuid = PropertyOf(session, L"PLM_PELINI_GUID").value_or(L"");
  std::wstring reinstallGuid = PropertyOf(session, L"PLM_PELINI_RE_GUID").value_or(L"");
  EXPECT_TRUE(IsGuidText(installGuid)) << testing::PrintToString(installGuid);
  EXPECT_TRUE(IsGuidText(reinstallGuid)) << testing::PrintToString(reinstallGuid);
  EXPECT_NE(installGuid, reinstallGuid);

  // A second run makes new ones again.
  MSIHANDLE again = Immediate();
  PlmSetCustomProperties(again);
  EXPECT_NE(PropertyOf(again, L"PLM_PELINI_GUID"), installGuid);
  EXPECT_NE(PropertyOf(again, L"PLM_PELINI_RE_GUID"), reinstallGuid);
}

TEST_F(CustomPropertiesTest, SeededMachinesRepeatTheirGuids) {
  auto guidsWithSeed = [this](std::uint64_t seed) {
    standin::MachineSetup setup;
    setup.guidSeed = seed;
    ResetMachine(setup);
    MSIHANDLE session = Immediate();
    PlmSetCustomProperties(session);
    return std::pair{PropertyOf(session, L"PLM_PELINI_GUID"), PropertyOf(session, L"PLM_PELINI_RE_GUID")};
  };
  auto first = guidsWithSeed(7);
  EXPECT_TRUE(IsGuidText(first.first.value_or(L"")));
  EXPECT_EQ(guidsWithSeed(7), first);
  EXPECT_NE(guidsWithSeed(8), first);
}

struct ProjectPathCase {
  std::wstring profileFolder;
  std::wstring projectPath;
  std::optional<std::wstring> written;  // nullopt: removed
};

TEST_F(CustomPropertiesTest, ProjectPathRefersToTheProfileFolderThroughTheEnvironment) {
  const ProjectPathCase cases[] = {
      {L"C:\\Users\\ann", L"C:\\Users\\ann\\Documents\\Pelmo", L"%USERPROFILE%\\Documents\\Pelmo"},
      {L"C:\\Users\\ann", L"c:\\users\\ann\\Documents", L"c:\\users\\ann\\Documents"},
      {L"C:\\Users\\ann", L"D:\\Work;C:\\Users\\ann\\A;C:\\Users\\ann\\B",
       L"D:\\Work;%USERPROFILE%\\A;%USERPROFILE%\\B"},
      {L"", L"C:\\Users\\ann\\Documents", L"C:\\Users\\ann\\Documents"},
      {L"C:\\Users\\ann", L"", std::nullopt},
  };
  for (const ProjectPathCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.projectPath));
    NextCase();
    Properties properties;
    if (!c.profileFolder.empty()) properties[L"%USERPROFILE"] = c.profileFolder;
    if (!c.projectPath.empty()) properties[L"PLM_S_PROJPATH"] = c.projectPath;
    MSIHANDLE session = Immediate(properties);
    EXPECT_EQ(PlmSetCustomProperties(session), 0u);
    EXPECT_EQ(PropertyOf(session, L"PLM_S_PROJPATH"), c.written);
  }
}

TEST_F(CustomPropertiesTest, LogShowsEveryStepInOrder) {
  MSIHANDLE session = Immediate({{L"Installed", L"1"},
                                 {L"Manufacturer", L"[VENDOR]"},
                                 {L"VENDOR", L"Maker"},
                                 {L"RELEASENAME", L"2021"},
                                 {L"ProductTLA", L"PLQ"},
                                 {L"DEPLOYMENT_GUID", L"{D}"},
                                 {L"%USERPROFILE", L"C:\\Users\\ann"},
                                 {L"PLM_S_PROJPATH", L"C:\\Users\\ann\\P"}});
  EXPECT_EQ(PlmSetCustomProperties(session), 0u);
  std::wstring reinstallGuid = PropertyOf(session, L"PLM_PELINI_RE_GUID").value_or(L"");
  EXPECT_THAT(
      ActionLogLines(),
      ElementsAre(L"    => Set: Reinstalled: TRUE", L"    => Condition \"Reinstalled\" evaluates as TRUE",
                  L"    => Get: RELEASENAME: 2021", L"    => Get: Manufacturer: [VENDOR]",
                  L"    => msiString: \"[VENDOR]\\Pelmo\\2021\" formatted to: Maker\\Pelmo\\2021",
                  L"    => Set: PLM_IDEN_PAR_PATH: Maker\\Pelmo\\2021", L"    => Get: ProductTLA: PLQ",
                  L"    => Set: PLM_APP_ARCH_BOOL: 0", L"    => Set: PLM_APP_ELEC_BOOL: 1",
                  L"    => Set: PLM_APP_MECH_BOOL: 1", L"    => Set: PLM_APP_STRU_BOOL: 0",
                  L"    => Get: DEPLOYMENT_GUID: {D}", L"    => Set: PLM_PELINI_GUID: {D}",
                  L"    => Set: PLM_PELINI_RE_GUID: " + reinstallGuid, L"    => Get: %USERPROFILE: C:\\Users\\ann",
                  L"    => Get: PLM_S_PROJPATH: C:\\Users\\ann\\P", L"    => Set: PLM_S_PROJPATH: %USERPROFILE%\\P"));
}

}  // namespace
}  // namespace actions_test
