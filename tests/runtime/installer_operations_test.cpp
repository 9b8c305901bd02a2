#include <gmock/gmock.h>

#include "log_reader.h"
#include "runtime/custom_action_session.h"

namespace {

using testing::Contains;
using testing::Not;
using testing_support::kLogPath;
using testing_support::LogLines;

class InstallerOperationsTest : public testing_support::MachineTest {
 protected:
  void BeginWith(std::map<std::wstring, std::wstring> properties) {
    handle = Immediate(std::move(properties));
    session.Begin(handle, L"PlmSetCustomProperties", L"PelmoCustom.log");
  }
  std::wstring LastLine() { return LogLines(ReadBytes(kLogPath)).back(); }

  runtime::CustomActionSession& session = runtime::TheSession();
  MSIHANDLE handle = 0;
};

TEST_F(InstallerOperationsTest, PropertiesOfAnyLengthComeBackWhole) {
  for (std::size_t length : {0u, 259u, 260u, 261u, 5000u}) {
    std::wstring value(length, L'v');
    BeginWith({{L"LONG", value}});
    EXPECT_EQ(session.GetProperty(L"LONG"), value) << length;
    EXPECT_EQ(LastLine(), L"    => Get: LONG: " + value);
  }
}

TEST_F(InstallerOperationsTest, SetPropertyLogsFirstAndAnEmptyValueRemovesTheProperty) {
  BeginWith({{L"GONE", L"x"}});
  EXPECT_EQ(session.SetProperty(L"KEPT", L"100%s %d"), ERROR_SUCCESS);
  EXPECT_EQ(LastLine(), L"    => Set: KEPT: 100%s %d");
  EXPECT_EQ(standin::Property(handle, L"KEPT"), L"100%s %d");
  session.SetProperty(L"GONE", L"");
  EXPECT_EQ(standin::Property(handle, L"GONE"), std::nullopt);
  session.SetProperty(L"BUILT", L"%s-%d", std::wstring(L"a"), 7);
  EXPECT_EQ(standin::Property(handle, L"BUILT"), L"a-7");
}

TEST_F(InstallerOperationsTest, ConditionsAreTrueOnlyWhenTheInstallerSaysTrue) {
  BeginWith({{L"SET", L"1"}});
  EXPECT_TRUE(session.EvaluateCondition(L"SET"));
  EXPECT_EQ(LastLine(), L"    => Condition \"SET\" evaluates as TRUE");
  EXPECT_FALSE(session.EvaluateCondition(L"UNSET"));
  EXPECT_FALSE(session.EvaluateCondition(L""));
  EXPECT_FALSE(session.EvaluateCondition(L"SET = = ("));
  EXPECT_EQ(LastLine(), L"    => Condition \"SET = = (\" evaluates as FALSE");
  EXPECT_TRUE(session.EvaluateCondition(L"%s OR %s", std::wstring(L"UNSET"), std::wstring(L"SET")));
}

TEST_F(InstallerOperationsTest, TextWithoutBracketIsReturnedUnchangedAndNotLogged) {
  BeginWith({});
  std::size_t lines = LogLines(ReadBytes(kLogPath)).size();
  EXPECT_EQ(session.FormatText(L"{a}\\b 100%"), L"{a}\\b 100%");
  EXPECT_EQ(session.FormatString(L"100%%"), L"100%");
  EXPECT_EQ(LogLines(ReadBytes(kLogPath)).size(), lines);
}

TEST_F(InstallerOperationsTest, FormatTextKeepsPercentSignsAndLogsTheExpansion) {
  BeginWith({{L"A", L"alpha"}});
  EXPECT_EQ(session.FormatText(L"[A] 100%s%n"), L"alpha 100%s%n");
  EXPECT_EQ(LastLine(), L"    => msiString: \"[A] 100%s%n\" formatted to: alpha 100%s%n");
  EXPECT_EQ(session.FormatString(L"[%s]", std::wstring(L"A")), L"alpha");
}

TEST_F(InstallerOperationsTest, LongExpansionsAreNotCut) {
  std::wstring value(5000, L'x');
  BeginWith({{L"LONG", value}});
  EXPECT_EQ(session.FormatText(L"[LONG]!"), value + L"!");
}

TEST_F(InstallerOperationsTest, OperationsAreInertBeforeBegin) {
  runtime::CustomActionSession fresh;
  handle = Immediate({{L"A", L"alpha"}});
  fresh.installHandle = handle;
  EXPECT_EQ(fresh.GetProperty(L"A"), L"");
  EXPECT_EQ(fresh.SetProperty(L"B", L"x"), 0xFFFFFFFFu);
  EXPECT_EQ(fresh.SetProperty(L"B", L"%d", 1), 0xFFFFFFFFu);
  EXPECT_FALSE(fresh.EvaluateCondition(L"A"));
  EXPECT_EQ(fresh.FormatText(L"[A]"), L"");
  EXPECT_EQ(fresh.FormatString(L"[A]"), L"");
  EXPECT_EQ(standin::Property(handle, L"B"), std::nullopt);
  EXPECT_FALSE(Exists(kLogPath));
}

}  // namespace
