#include "actions/exports.h"

#include <gmock/gmock.h>

#include "log_reader.h"

namespace {

using testing::Contains;
using testing_support::kLogPath;
using testing_support::LogLines;

using Export = UINT (*)(MSIHANDLE);

struct ExportCase {
  const char* name;
  Export entry;
  const wchar_t* actionName;
};

const ExportCase kExports[] = {
    {"PelmoEngineSetInstallDir", PelmoEngineSetInstallDir, L"PelmoEngineSetInstallDir"},
    {"PelmoSLPUninstall", PelmoSLPUninstall, L"PelmoSLPUninstall"},
    {"PelmoSetSLPDiscipline", PelmoSetSLPDiscipline, L"PelmoSetSLPDiscipline"},
    {"PelmoSetSLPInstallDir", PelmoSetSLPInstallDir, L"PelmoSetSLPInstallDir"},
    {"PlmPrepareWriteIni", PlmPrepareWriteIni, L"PrepareWriteIni"},
    {"PlmSetCustomProperties", PlmSetCustomProperties, L"PlmSetCustomProperties"},
    {"PlmWriteIni", PlmWriteIni, L"WriteIni"},
};

void PrintTo(const ExportCase& entry, std::ostream* out) { *out << entry.name; }

class ExportTest : public testing_support::MachineTest, public testing::WithParamInterface<ExportCase> {};

TEST_P(ExportTest, StartsItsLogUnderItsActionName) {
  EXPECT_EQ(GetParam().entry(Immediate()), 0u);
  EXPECT_EQ(LogLines(ReadBytes(kLogPath)).front(),
            std::wstring(L"-> ") + GetParam().actionName + L" Start: 12:00:00:000");
}

TEST_P(ExportTest, ReturnsZeroOnAZeroHandleMissingPropertiesAndFailingInstallerCalls) {
  EXPECT_EQ(GetParam().entry(0), 0u);
  EXPECT_EQ(GetParam().entry(Immediate()), 0u);
  EXPECT_EQ(GetParam().entry(Deferred(L";;garbled;;;")), 0u);
  MSIHANDLE handle = Immediate({{L"Installed", L"1"}});
  standin::FailInstallerCalls(true);
  EXPECT_EQ(GetParam().entry(handle), 0u);
  standin::FailInstallerCalls(false);
}

TEST_P(ExportTest, AnErrorInsideTheActionIsLoggedAndReportedAsAFailedAction) {
  MSIHANDLE handle = Immediate();
  standin::ThrowOnNextCall("MsiGetPropertyW", "injected failure");
  EXPECT_EQ(GetParam().entry(handle), ERROR_INSTALL_FAILURE);
  EXPECT_THAT(LogLines(ReadBytes(kLogPath)),
              Contains(std::wstring(L" !=> ") + GetParam().actionName + L" failed: injected failure"));
  EXPECT_EQ(GetParam().entry(handle), 0u);
}

INSTANTIATE_TEST_SUITE_P(All, ExportTest, testing::ValuesIn(kExports),
                         [](const auto& info) { return info.param.name; });

}  // namespace
