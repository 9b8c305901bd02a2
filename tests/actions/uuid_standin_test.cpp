// The stand-in's GUIDs look like the ones rpcrt4 makes: random version-4 GUIDs whose text is the
// lower-case registry form, allocated for the caller and freed by RpcStringFreeW.
#include <regex>
#include <set>

#include "property_action_test.h"

namespace actions_test {
namespace {

class UuidStandinTest : public PropertyActionTest {};

TEST_F(UuidStandinTest, MakesDistinctVersionFourGuidsInLowerCaseText) {
  static const std::wregex form(L"[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}");
  std::set<std::wstring> seen;
  for (int i = 0; i < 200; ++i) {
    UUID guid{};
    ASSERT_EQ(UuidCreate(&guid), RPC_S_OK);
    RPC_WSTR text = nullptr;
    ASSERT_EQ(UuidToStringW(&guid, &text), RPC_S_OK);
    std::wstring copy(text);
    EXPECT_TRUE(std::regex_match(copy, form)) << testing::PrintToString(copy);
    seen.insert(copy);
    EXPECT_EQ(RpcStringFreeW(&text), RPC_S_OK);
    EXPECT_EQ(text, nullptr);
  }
  EXPECT_EQ(seen.size(), 200u);
}

}  // namespace
}  // namespace actions_test
