// Where the description comes from, and where the resolved one goes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ini_deployment_test.h"

namespace inideploy_test {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

std::string OriginDescription(const std::string& origin) {
  return R"(<File Name="Pelmo.ini" Path="[UserDataCacheFolder]">
    <Section Name="Origin"><Data Key="From">)" +
         origin + "</Data></Section>\n  </File>";
}

struct SourceCase {
  const char* name;
  friend void PrintTo(const SourceCase& c, std::ostream* out) { *out << c.name; }
  Properties properties;
  // Description files present, by path, with the origin each one writes.
  std::vector<std::pair<std::wstring, std::string>> descriptions;
  std::wstring origin;
  // The third field of the custom action data.
  std::wstring targetField;
};

class DescriptionSourceTest : public IniDeploymentTest, public ::testing::WithParamInterface<SourceCase> {};

TEST_P(DescriptionSourceTest, UsesTheFirstDescriptionFound) {
  const SourceCase& c = GetParam();
  for (const auto& [path, origin] : c.descriptions) PutDescription(path, OriginDescription(origin));
  Properties properties = FirstInstall(c.properties);
  properties[L"SRC_INI_FILE_DOCUMENT"] = L"[SourceDir]Support\\";
  properties[L"SRC_JQ_INI_FILE_DOCUMENT"] = L"[SourceDir]Support\\";
  properties[L"SourceDir"] = L"D:\\Media\\";

  std::wstring actionData = Prepare(properties);
  std::vector<std::wstring> fields = Fields(actionData);
  ASSERT_EQ(fields.size(), 3u) << actionData;
  EXPECT_EQ(fields[2], c.targetField);
  Write(actionData);

  EXPECT_EQ(Value(kProductIni, L"Origin", L"From"), c.origin);
  if (c.targetField != L" ") {
    EXPECT_THAT(Log(), HasSubstr(L"  => Failed to find " + c.targetField + L".\r\n"));
    EXPECT_THAT(Log(), HasSubstr(L"  => Looking for D:\\Media\\Support\\"));
    // The resolved description replaces the missing one at its first place.
    std::string resolved = ReadBytes(c.targetField);
    EXPECT_THAT(resolved, StartsWith("\xFF\xFE"));
    EXPECT_THAT(testing_support::FromUtf16(resolved), HasSubstr(kUserFolder));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Places, DescriptionSourceTest,
    ::testing::Values(SourceCase{"DocumentFolderFirst",
                                 {},
                                 {{L"C:\\Docs\\inifile.xml", "document"},
                                  {L"D:\\Media\\Support\\inifile.xml", "source"}},
                                 L"document",
                                 L" "},
                      SourceCase{"SourceFolderSecond",
                                 {},
                                 {{L"D:\\Media\\Support\\inifile.xml", "source"}},
                                 L"source",
                                 L"C:\\Docs\\inifile.xml"},
                      SourceCase{"EngineNamesItsFileAfterJqTla",
                                 {{L"PELMOENGINE", L"1"}, {L"JQ_INI_FILE_DOCUMENT", L"C:\\Docs\\"}, {L"JQ_TLA", L"JQ"}},
                                 {{L"C:\\Docs\\inifile.xml", "plain name"}, {L"C:\\Docs\\JQinifile.xml", "engine"}},
                                 L"engine",
                                 L" "},
                      SourceCase{"EngineWithoutJqTla",
                                 {{L"PELMOENGINE", L"1"}, {L"JQ_INI_FILE_DOCUMENT", L"C:\\Docs\\"}},
                                 {{L"D:\\Media\\Support\\inifile.xml", "engine source"}},
                                 L"engine source",
                                 L"C:\\Docs\\inifile.xml"}),
    CaseName<SourceCase>);

}  // namespace
}  // namespace inideploy_test
