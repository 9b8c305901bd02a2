#include <gmock/gmock.h>

#include "runtime/custom_action_session.h"
#include "test_machine.h"

namespace {

using testing::ElementsAre;
using testing::ElementsAreArray;

struct SplitCase {
  const wchar_t* value;
  std::vector<std::wstring> fields;
};

void PrintTo(const SplitCase& entry, std::ostream* out) { *out << testing::PrintToString(std::wstring(entry.value)); }

class SplitCustomActionData : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitCustomActionData, YieldsTheFieldsInOrder) {
  EXPECT_THAT(runtime::SplitCustomActionData(GetParam().value), ElementsAreArray(GetParam().fields));
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitCustomActionData,
                         testing::Values(SplitCase{L"", {}},                       //
                                         SplitCase{L"a", {L"a"}},                  //
                                         SplitCase{L"a;;b;", {L"a", L"b"}},        //
                                         SplitCase{L";a", {L"", L"a"}},            //
                                         SplitCase{L"a; ;b", {L"a", L" ", L"b"}},  //
                                         SplitCase{L";;;", {L""}},                 //
                                         SplitCase{L"C:\\t\\x.xml; ; ;", {L"C:\\t\\x.xml", L" ", L" "}}));

class CustomActionDataTest : public testing_support::MachineTest {};

TEST_F(CustomActionDataTest, EachBeginReplacesTheFieldsOfTheLastOne) {
  runtime::CustomActionSession& session = runtime::TheSession();
  session.Begin(Deferred(L"first"), L"WriteIni", L"PelmoCustom.log");
  session.Begin(Deferred(L"second"), L"WriteIni", L"PelmoCustom.log");
  EXPECT_THAT(session.customActionData, ElementsAre(L"second"));
  ASSERT_NE(session.CustomActionDataField(0), nullptr);
  EXPECT_EQ(session.CustomActionDataField(1), nullptr);
}

TEST_F(CustomActionDataTest, ADeferredActionLeavesTheInstallTypeAsItWas) {
  runtime::CustomActionSession& session = runtime::TheSession();
  session.Begin(Immediate({{L"Installed", L"1"}}), L"PlmSetCustomProperties", L"PelmoCustom.log");
  std::uint32_t classified = session.dwInstallType;
  session.Begin(Deferred(L"x"), L"WriteIni", L"PelmoCustom.log");
  EXPECT_EQ(session.dwInstallType, classified);
}

}  // namespace
