// Which keys survive resolution, and with which values.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ini_deployment_test.h"

namespace inideploy_test {
namespace {

using ::testing::HasSubstr;

constexpr char kFilterDescription[] = R"(
  <File Name="Pelmo.ini" Path="[UserDataCacheFolder]">
    <Section Name="Keys">
      <Data Key="Every">all</Data>
      <Data Key="Light" Product="PLX">light</Data>
      <Data Key="Full" Product="PLM">full</Data>
      <Data Key="Exact" Product="ALL">exact</Data>
      <Data Key="BlankCondition"><Condition>   </Condition>blank</Data>
      <Data Key="FirstConditionDecides"><Condition>Flag="off"</Condition><Condition>Flag="on"</Condition>x</Data>
      <Data Key="TextBeforeCondition">before<Condition>Flag="on"</Condition></Data>
      <Data Key="TextAfterCondition">
        <Condition>Flag="on"</Condition>
        after [Flag]
      </Data>
      <Data Key="Failing"><Condition>Flag="off"</Condition>failing</Data>
      <Data Key="DefaultTemplate">Metric=[Templates]m.tpl</Data>
    </Section>
  </File>)";

struct FilterCase {
  const char* name;
  friend void PrintTo(const FilterCase& c, std::ostream* out) { *out << c.name; }
  std::wstring product;
  std::wstring userTemplate;
  std::wstring expected;
};

class FilterTest : public IniDeploymentTest, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(FilterTest, KeepsKeysWhoseConditionAndProductHold) {
  const FilterCase& c = GetParam();
  PutDescription(std::wstring(kDocumentFolder) + L"inifile.xml", kFilterDescription);
  Install(FirstInstall({{L"ProductTLA", c.product},
                        {L"Flag", L"on"},
                        {L"Templates", L"C:\\T\\"},
                        {L"PELMOUTNAME", c.userTemplate},
                        {L"PELMOUTPATH", L"C:\\Mine\\u.tpl"}}));
  EXPECT_EQ(IniText(kProductIni), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Products, FilterTest,
    ::testing::Values(
        FilterCase{"LightEdition", L"PLX", L"",
                   L"[Keys]\nEvery=all\nLight=light\nExact=exact\nBlankCondition=blank\nTextBeforeCondition=before\n"
                   L"TextAfterCondition=after on\nDefaultTemplate=Metric=C:\\T\\m.tpl\n"},
        FilterCase{"FullProductWithUserTemplate", L"PLM", L"Mine",
                   L"[Keys]\nEvery=all\nFull=full\nExact=exact\nBlankCondition=blank\nTextBeforeCondition=before\n"
                   L"TextAfterCondition=after on\nDefaultTemplate=Mine=C:\\Mine\\u.tpl, Metric=C:\\T\\m.tpl\n"},
        FilterCase{"ProductComparedExactly", L"plm", L"",
                   L"[Keys]\nEvery=all\nExact=exact\nBlankCondition=blank\nTextBeforeCondition=before\n"
                   L"TextAfterCondition=after on\nDefaultTemplate=Metric=C:\\T\\m.tpl\n"}),
    CaseName<FilterCase>);

// Percent signs are the installer's environment prefix and printf's specifier: both must pass
// through untouched, in values and in conditions.
TEST_F(IniDeploymentTest, PercentSignsReachTheInstallerAndTheFileUnchanged) {
  PutDescription(std::wstring(kDocumentFolder) + L"inifile.xml", R"(
  <File Name="Pelmo.ini" Path="[UserDataCacheFolder]">
    <Section Name="Percent">
      <Data Key="Literal">%USERPROFILE%\%s %d %%</Data>
      <Data Key="Expanded">[Pattern]</Data>
      <Data Key="Conditioned"><Condition>Pattern="%s%n 100%"</Condition>kept</Data>
    </Section>
  </File>)");
  Install(FirstInstall({{L"Pattern", L"%s%n 100%"}}));

  EXPECT_EQ(IniText(kProductIni),
            L"[Percent]\nLiteral=%USERPROFILE%\\%s %d %%\nExpanded=%s%n 100%\nConditioned=kept\n");
  EXPECT_THAT(Log(), HasSubstr(L"    => Condition \"Pattern=\"%s%n 100%\"\" evaluates as TRUE"));
}

}  // namespace
}  // namespace inideploy_test
