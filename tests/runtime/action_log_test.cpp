#include "runtime/action_log.h"

#include <gmock/gmock.h>

#include "actions/exports.h"
#include "log_reader.h"
#include "runtime/custom_action_session.h"

namespace {

using testing::ElementsAre;
using testing_support::kLogPath;
using testing_support::LogLines;
using testing_support::Utf16;

class ActionLogTest : public testing_support::MachineTest {
 protected:
  std::vector<std::wstring> Lines() { return LogLines(ReadBytes(kLogPath)); }
  runtime::CustomActionSession& session = runtime::TheSession();
};

TEST_F(ActionLogTest, DeferredActionWritesStartLineHeaderRunModesAndCustomActionData) {
  standin::SetClock(SYSTEMTIME{2026, 3, 2, 9, 7, 8, 9, 65});
  standin::SessionSetup setup;
  setup.deferred = true;
  setup.properties[L"CustomActionData"] = L"a;b";
  setup.runModes = {MSIRUNMODE_COMMIT, MSIRUNMODE_ADMIN};
  session.Begin(standin::OpenSession(setup), L"WriteIni", L"PelmoCustom.log");

  std::string bytes = ReadBytes(kLogPath);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  // A deferred action is told only of the scheduled, rollback and commit modes.
  EXPECT_THAT(Lines(), ElementsAre(L"-> WriteIni Start: 07:08:09:065", L"________\nWriteIni()",
                                   L"  => Run mode: MSIRUNMODE_SCHEDULED MSIRUNMODE_COMMIT ",
                                   L"    => Get: CustomActionData: a;b"));
}

TEST_F(ActionLogTest, ImmediateActionLogsTheInstallTypeBetweenRunModesAndCustomActionData) {
  session.Begin(Immediate(), L"PlmSetCustomProperties", L"PelmoCustom.log");
  std::vector<std::wstring> lines = Lines();
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[2], L"  => Run mode: ");
  EXPECT_EQ(lines[3], L"    => Get: REINSTALLMODE: ");
  EXPECT_EQ(lines[4], L"    => Condition \"NOT Installed\" evaluates as TRUE");
  EXPECT_EQ(lines[13], L"    => dwInstallType: IT_NEWINSTALL");
  EXPECT_EQ(lines[14], L"    => Get: CustomActionData: ");
}

TEST_F(ActionLogTest, RuleHasOneUnderscorePerCharacterOfTheActionName) {
  for (std::size_t length : {1u, 8u, 79u, 80u}) {
    std::wstring name(length, L'x');
    session.Begin(Deferred(L""), name, L"PelmoCustom.log");
    EXPECT_EQ(Lines().at(Lines().size() - 3), std::wstring(length, L'_') + L"\n" + name + L"()") << length;
  }
}

TEST_F(ActionLogTest, EachMessageAddsTwoBytesPerCharacterAndTheLineEnd) {
  session.Begin(Deferred(L""), L"WriteIni", L"PelmoCustom.log");
  for (std::wstring message : {L"", L"x", L" => a message with \u00e9 and 100% data"}) {
    auto before = ReadBytes(kLogPath).size();
    session.LogLine(L"%s", message);
    EXPECT_EQ(ReadBytes(kLogPath).size() - before, 2 * (message.size() + 2));
  }
  EXPECT_EQ(Lines().back(), L" => a message with \u00e9 and 100% data");
}

TEST_F(ActionLogTest, AnEightBitLogIsReplacedAndAUnicodeLogIsAppendedTo) {
  WriteBytes(kLogPath, "old 8-bit log\r\n");
  session.Begin(Deferred(L""), L"WriteIni", L"PelmoCustom.log");
  EXPECT_EQ(Lines().front(), L"-> WriteIni Start: 12:00:00:000");

  std::size_t linesOfFirstRun = Lines().size();
  session.Begin(Deferred(L""), L"WriteIni", L"PelmoCustom.log");
  EXPECT_EQ(Lines().size(), 2 * linesOfFirstRun);
  EXPECT_EQ(ReadBytes(kLogPath).substr(0, 2), "\xFF\xFE");
}

TEST_F(ActionLogTest, AnEmptyExistingLogGetsUtf16TextWithoutByteOrderMark) {
  WriteBytes(kLogPath, "");
  runtime::AppendLogLine(kLogPath, L"ab");
  EXPECT_EQ(ReadBytes(kLogPath), Utf16(L"ab\r\n"));
}

TEST_F(ActionLogTest, ALogHeldWithoutSharingLosesTheLineAndTheActionGoesOn) {
  session.Begin(Deferred(L""), L"WriteIni", L"PelmoCustom.log");
  std::string before = ReadBytes(kLogPath);
  HANDLE holder = CreateFileW(kLogPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);

  session.LogLine(L"lost");
  EXPECT_EQ(PlmWriteIni(Deferred(L"")), 0u);
  EXPECT_EQ(ReadBytes(kLogPath), before);
  CloseHandle(holder);
}

TEST_F(ActionLogTest, WithoutATemporaryFolderTheLogGoesToTheRootOfTheCurrentDrive) {
  standin::SetTempFolder(L"");
  session.Begin(Deferred(L""), L"WriteIni", L"PelmoCustom.log");
  EXPECT_EQ(session.logPath, L"\\PelmoCustom.log");
  EXPECT_EQ(LogLines(ReadBytes(L"C:\\PelmoCustom.log")).front(), L"-> WriteIni Start: 12:00:00:000");
}

}  // namespace
