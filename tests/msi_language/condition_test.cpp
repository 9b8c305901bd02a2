// The conditions the product itself evaluates, the documented operator precedence, the session
// tables behind feature and component operands, and safety on hostile input.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/unicode.h"
#include "platform/win32.h"
#include "test_machine.h"

namespace {

class ConditionTest : public testing_support::MachineTest {
 protected:
  MSICONDITION Evaluate(const std::wstring& condition, std::map<std::wstring, std::wstring> properties = {}) {
    MSIHANDLE session = Immediate(std::move(properties));
    MSICONDITION result = MsiEvaluateConditionW(session, condition.c_str());
    MsiCloseHandle(session);
    return result;
  }
};

struct ProductCase {
  std::wstring condition;
  std::map<std::wstring, std::wstring> properties;
  MSICONDITION expected;
};

TEST_F(ConditionTest, ProductConditionsAnswerAsTheInstallerDoes) {
  const std::wstring installed = L"Installed", reinstalled = L"Reinstalled";
  const ProductCase cases[] = {
      {L"NOT Installed or Reinstalled", {}, MSICONDITION_TRUE},
      {L"NOT Installed or Reinstalled", {{installed, L"00:00:00"}}, MSICONDITION_FALSE},
      {L"NOT Installed or Reinstalled", {{installed, L"00:00:00"}, {reinstalled, L"TRUE"}}, MSICONDITION_TRUE},
      {L"Installed and NOT Reinstalled", {{installed, L"00:00:00"}}, MSICONDITION_TRUE},
      {L"Installed and NOT Reinstalled", {{installed, L"00:00:00"}, {reinstalled, L"TRUE"}}, MSICONDITION_FALSE},
      {L"Installed and NOT Reinstalled", {}, MSICONDITION_FALSE},
      {L"PLM_DISCIPLINE<>\"Conceptual\"", {}, MSICONDITION_TRUE},
      {L"PLM_DISCIPLINE<>\"Conceptual\"", {{L"PLM_DISCIPLINE", L"Conceptual"}}, MSICONDITION_FALSE},
      {L"PLM_DISCIPLINE<>\"Conceptual\"", {{L"PLM_DISCIPLINE", L"conceptual"}}, MSICONDITION_TRUE},
      {L"REMOVE=\"ALL\"", {{L"REMOVE", L"ALL"}}, MSICONDITION_TRUE},
      {L"REMOVE=\"ALL\"", {{L"REMOVE", L"Main,Help"}}, MSICONDITION_FALSE},
      {L"REMOVE=\"ALL\"", {}, MSICONDITION_FALSE},
      {L"PATCH OR BEXPATCHFEATURES", {}, MSICONDITION_FALSE},
      {L"PATCH OR BEXPATCHFEATURES", {{L"BEXPATCHFEATURES", L"1"}}, MSICONDITION_TRUE},
      {L"PATCH OR BEXPATCHFEATURES", {{L"PATCH", L"C:\\p.msp"}}, MSICONDITION_TRUE},
      {L"NIWSELECTION=\"1\"", {{L"NIWSELECTION", L"1"}}, MSICONDITION_TRUE},
      {L"NIWSELECTION=\"1\"", {{L"NIWSELECTION", L"01"}}, MSICONDITION_TRUE},
      {L"NIWSELECTION=\"1\"", {{L"NIWSELECTION", L"1 "}}, MSICONDITION_FALSE},
      {L"NIWSELECTION=\"1\"", {}, MSICONDITION_FALSE},
      {L"ProductTLA=\"PLM\"", {{L"ProductTLA", L"PLM"}}, MSICONDITION_TRUE},
      {L"ProductTLA=\"PLM\"", {{L"ProductTLA", L"PLX"}}, MSICONDITION_FALSE},
      {L"ProductTLA=\"PLM\"", {{L"ProductTLA", L"plm"}}, MSICONDITION_FALSE},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Evaluate(c.condition, c.properties), c.expected) << unicode::ToUtf8(c.condition);
  }
}

// OR, XOR, EQV and IMP bind in that order, each tighter than the next, as the installer's
// documentation gives them.
TEST_F(ConditionTest, LogicalOperatorsFollowTheDocumentedPrecedence) {
  const std::map<std::wstring, std::wstring> truth{{L"T", L"1"}};
  const std::pair<const wchar_t*, MSICONDITION> cases[] = {
      {L"T XOR T OR T", MSICONDITION_FALSE}, {L"T OR T XOR T", MSICONDITION_FALSE},
      {L"F EQV F OR T", MSICONDITION_FALSE}, {L"T XOR F OR T", MSICONDITION_FALSE},
      {L"F IMP F XOR T", MSICONDITION_TRUE}, {L"F EQV T OR T", MSICONDITION_FALSE},
      {L"F IMP T EQV F", MSICONDITION_TRUE}, {L"F IMP T IMP F", MSICONDITION_FALSE},
      {L"T OR T AND F", MSICONDITION_TRUE},  {L"NOT T OR T", MSICONDITION_TRUE},
      {L"NOT F AND F", MSICONDITION_FALSE},  {L"T EQV T XOR T", MSICONDITION_FALSE},
  };
  for (const auto& [condition, expected] : cases) {
    EXPECT_EQ(Evaluate(condition, truth), expected) << unicode::ToUtf8(condition);
  }
}

// Forms beyond the oracle's sample, answered by the same reference installer.
TEST_F(ConditionTest, NumbersSubstringsAndCaseFoldingAnswerAsTheReferenceInstallerDoes) {
  const std::map<std::wstring, std::wstring> properties{{L"T", L"1"},       {L"P", L"ab_"},     {L"N", L"9"},
                                                        {L"L1", L"\u01c6"}, {L"L2", L"\uff41"}, {L"L3", L"K"},
                                                        {L"L4", L"\u00df"}, {L"L5", L"\u0131"}};
  const std::pair<const wchar_t*, MSICONDITION> cases[] = {
      // A number starts with a digit, minus sign or dot and runs over those; its value is the
      // leading integer.
      {L"5-3 = 5", MSICONDITION_TRUE},
      {L"1.5 = 1", MSICONDITION_TRUE},
      {L"- = 0", MSICONDITION_TRUE},
      {L"--5 = 0", MSICONDITION_TRUE},
      {L"-.5", MSICONDITION_FALSE},
      {L".5 = 0", MSICONDITION_TRUE},
      {L".A", MSICONDITION_ERROR},
      {L"- 5 = -5", MSICONDITION_ERROR},
      {L"1_ = 1", MSICONDITION_ERROR},
      {L"-_", MSICONDITION_ERROR},
      // An empty left side contains nothing; a quoted integer is an integer against a property.
      {L"\"\" >< \"\"", MSICONDITION_FALSE},
      {L"\"\" >< U", MSICONDITION_FALSE},
      {L"T << \"\"", MSICONDITION_TRUE},
      {L"\"10\" >< N", MSICONDITION_TRUE},
      {L"-65536 << -1", MSICONDITION_FALSE},
      // ~ folds to small letters: ASCII only, except for ><.
      {L"P ~< \"ABa\"", MSICONDITION_TRUE},
      {L"\"_\" ~> \"A\"", MSICONDITION_FALSE},
      {L"L1 ~>< \"\u01c4\"", MSICONDITION_TRUE},
      {L"L2 ~>< \"\uff21\"", MSICONDITION_TRUE},
      {L"L3 ~>< \"k\"", MSICONDITION_TRUE},
      {L"L4 ~>< \"\u1e9e\"", MSICONDITION_FALSE},
      {L"L5 ~>< \"I\"", MSICONDITION_FALSE},
      {L"L1 ~= \"\u01c4\"", MSICONDITION_FALSE},
  };
  for (const auto& [condition, expected] : cases) {
    EXPECT_EQ(Evaluate(condition, properties), expected) << unicode::ToUtf8(condition);
  }
}

TEST_F(ConditionTest, FeatureAndComponentOperandsAnswerFromTheSessionTables) {
  standin::SessionSetup setup;
  setup.features[L"Main"] = {INSTALLSTATE_LOCAL, INSTALLSTATE_ABSENT};
  setup.components[L"C1"] = {INSTALLSTATE_ABSENT, INSTALLSTATE_SOURCE};
  MSIHANDLE session = standin::OpenSession(setup);
  const std::pair<const wchar_t*, MSICONDITION> cases[] = {
      {L"!Main = 3", MSICONDITION_TRUE},   {L"&Main = 2", MSICONDITION_TRUE},
      {L"& Main = 2", MSICONDITION_TRUE},  {L"?C1 = 2", MSICONDITION_TRUE},
      {L"$C1 = 4", MSICONDITION_TRUE},     {L"$C1 > 3 AND ?C1 < 3", MSICONDITION_TRUE},
      {L"&Other = 3", MSICONDITION_FALSE}, {L"&Other <> 3", MSICONDITION_TRUE},
      {L"&Other", MSICONDITION_FALSE},     {L"&main = 2", MSICONDITION_FALSE},
      {L"&", MSICONDITION_ERROR},          {L"&\"Main\" = 2", MSICONDITION_ERROR},
  };
  for (const auto& [condition, expected] : cases) {
    EXPECT_EQ(MsiEvaluateConditionW(session, condition), expected) << unicode::ToUtf8(condition);
  }
}

TEST_F(ConditionTest, DeferredSessionSeesOnlyItsCustomActionData) {
  MSIHANDLE session = Deferred(L"data");
  EXPECT_EQ(MsiEvaluateConditionW(session, L"CustomActionData = \"data\""), MSICONDITION_TRUE);
  EXPECT_EQ(MsiEvaluateConditionW(session, L"CustomActionData AND NOT Installed"), MSICONDITION_TRUE);
}

TEST_F(ConditionTest, NullOrBlankConditionIsNoneAndBadHandleIsError) {
  MSIHANDLE session = Immediate();
  EXPECT_EQ(MsiEvaluateConditionW(session, nullptr), MSICONDITION_NONE);
  EXPECT_EQ(MsiEvaluateConditionW(session, L"    "), MSICONDITION_NONE);
  EXPECT_EQ(MsiEvaluateConditionW(0, L"1"), MSICONDITION_ERROR);
}

// Nesting is bounded so that no input can exhaust the stack; long flat chains are not.
TEST_F(ConditionTest, DeepNestingIsRejectedAndLongChainsEvaluate) {
  auto nested = [](std::size_t depth) { return std::wstring(depth, L'(') + L"T" + std::wstring(depth, L')'); };
  const std::map<std::wstring, std::wstring> truth{{L"T", L"1"}};
  EXPECT_EQ(Evaluate(nested(500), truth), MSICONDITION_TRUE);
  EXPECT_EQ(Evaluate(nested(501), truth), MSICONDITION_ERROR);
  EXPECT_EQ(Evaluate(nested(200000), truth), MSICONDITION_ERROR);
  EXPECT_EQ(Evaluate(std::wstring(200000, L'('), truth), MSICONDITION_ERROR);

  std::wstring nots;
  for (int i = 0; i < 100001; ++i) nots += L"NOT ";
  EXPECT_EQ(Evaluate(nots + L"T", truth), MSICONDITION_FALSE);

  std::wstring chain = L"T";
  for (int i = 0; i < 50000; ++i) chain += L" AND T OR F XOR F";
  EXPECT_EQ(Evaluate(chain, truth), MSICONDITION_TRUE);
}

}  // namespace
