// The two IniFile descriptions the library carries: served byte for byte from the library's own
// module, valid against their own DTD, and holding what the INI files need.
#include <gtest/gtest.h>

#include <regex>
#include <string_view>
#include <xercesc/dom/DOMNode.hpp>

#include "platform/unicode.h"
#include "platform/win32.h"
#include "xml_test_support.h"

namespace xmldoc_test {
namespace {

struct Description {
  WORD id;
  const char* file;
};
const Description kDescriptions[] = {{101, "inifile_full.xml"}, {102, "inifile_engine.xml"}};

HMODULE LibraryModule() {
  HMODULE module = nullptr;
  EXPECT_TRUE(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                 reinterpret_cast<LPCWSTR>(&xmldoc::OpenXmlDocument), &module));
  return module;
}

std::string ResourceBytes(LPCWSTR name, LPCWSTR type = L"XML_RESOURCE") {
  HMODULE module = LibraryModule();
  HRSRC resource = FindResourceW(module, name, type);
  if (resource == nullptr) return {};
  const void* data = LockResource(LoadResource(module, resource));
  return std::string(static_cast<const char*>(data), SizeofResource(module, resource));
}

std::wstring Trimmed(std::wstring text) {
  const wchar_t* blanks = L" \t\r\n";
  std::size_t first = text.find_first_not_of(blanks);
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// What a key holds, read the way the resolution reads it.
struct Key {
  std::wstring key, product, value, condition;
  bool cdata = false;
};

Key ReadKey(const xercesc::DOMElement* data) {
  Key key{Attribute(data, L"Key"), Attribute(data, L"Product"), L"", L""};
  auto conditions = Children(data, L"Condition");
  if (!conditions.empty()) key.condition = Trimmed(xmldoc::ToWide(conditions[0]->getTextContent()));
  for (xercesc::DOMNode* node = data->getFirstChild(); node != nullptr; node = node->getNextSibling()) {
    auto type = node->getNodeType();
    if (type != xercesc::DOMNode::TEXT_NODE && type != xercesc::DOMNode::CDATA_SECTION_NODE) continue;
    std::wstring value = Trimmed(xmldoc::ToWide(node->getNodeValue()));
    if (value.empty()) continue;
    key.value = value;
    key.cdata = type == xercesc::DOMNode::CDATA_SECTION_NODE;
    break;
  }
  return key;
}

std::vector<std::wstring> SectionNames(const xercesc::DOMElement* file) {
  std::vector<std::wstring> names;
  for (auto* section : Children(file, L"Section")) names.push_back(Attribute(section, L"Name"));
  return names;
}

std::vector<Key> Keys(const xercesc::DOMElement* file, const std::wstring& sectionName) {
  std::vector<Key> keys;
  for (auto* section : Children(file, L"Section")) {
    if (Attribute(section, L"Name") != sectionName) continue;
    for (auto* data : Children(section, L"Data")) keys.push_back(ReadKey(data));
  }
  return keys;
}

class EmbeddedDescriptionTest : public XmlTest {
 protected:
  // Loads the resource through a file on the machine, as the prepare action does.
  LoadOutcome LoadDescription(xmldoc::XmlDocumentFile& file, WORD id) {
    std::wstring path = L"C:\\Temp\\bex" + std::to_wstring(id) + L".xml";
    WriteBytes(path, ResourceBytes(MAKEINTRESOURCEW(id)));
    return Open(file, path);
  }
};

TEST_F(EmbeddedDescriptionTest, ResourcesAreTheFilesByteForByteInUtf8WithBomAndCrLf) {
  for (const Description& description : kDescriptions) {
    SCOPED_TRACE(description.file);
    std::string bytes = ResourceBytes(MAKEINTRESOURCEW(description.id));
    EXPECT_EQ(bytes, DescriptionFileBytes(description.file));
    EXPECT_EQ(bytes.rfind("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n", 0), 0u);
    for (std::size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1)) {
      ASSERT_EQ(bytes[at - 1], '\r') << "line end at " << at;
    }
    EXPECT_EQ(unicode::ToUtf8(unicode::FromUtf8(bytes)), bytes);  // well-formed UTF-8
  }
}

TEST_F(EmbeddedDescriptionTest, ResourceLookupFollowsTheWin32Rules) {
  EXPECT_EQ(ResourceBytes(L"#102"), DescriptionFileBytes("inifile_engine.xml"));
  EXPECT_EQ(ResourceBytes(MAKEINTRESOURCEW(101), L"xml_resource"), DescriptionFileBytes("inifile_full.xml"));

  HMODULE module = LibraryModule();
  EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(103), L"XML_RESOURCE"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
  EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(101), L"RCDATA"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_TYPE_NOT_FOUND);
  EXPECT_EQ(LoadResource(module, reinterpret_cast<HRSRC>(&module)), nullptr);

  int onTheStack = 0;
  HMODULE none = reinterpret_cast<HMODULE>(1);
  EXPECT_FALSE(
      GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&onTheStack), &none));
  EXPECT_EQ(none, nullptr);
}

TEST_F(EmbeddedDescriptionTest, BothLoadAndValidateFromTheResourceAndFromTheFile) {
  for (const Description& description : kDescriptions) {
    SCOPED_TRACE(description.file);
    xmldoc::XmlDocumentFile fromResource;
    LoadOutcome outcome = LoadDescription(fromResource, description.id);
    EXPECT_TRUE(outcome.loaded);
    EXPECT_EQ(outcome.output, "");
    EXPECT_EQ(fromResource.LastErrorText(), L"");  // not even a warning

    xmldoc::XmlDocumentFile fromFile;
    WriteBytes(L"C:\\Temp\\inifile.xml", DescriptionFileBytes(description.file));
    LoadOutcome file = Open(fromFile, L"C:\\Temp\\inifile.xml");
    EXPECT_TRUE(file.loaded) << file.output;
  }
}

const wchar_t* const kLanguages[] = {L"CHS", L"CHT", L"CSY", L"DEU", L"ENU", L"ENG", L"ESP",
                                     L"FRA", L"ITA", L"JPN", L"KOR", L"PLK", L"PTB", L"RUS"};

TEST_F(EmbeddedDescriptionTest, FullProductDescriptionHoldsItsFilesSectionsAndKeysInOrder) {
  xmldoc::XmlDocumentFile file;
  LoadOutcome outcome = LoadDescription(file, 101);
  ASSERT_TRUE(outcome.loaded) << outcome.output;
  auto files = Children(outcome.document->getDocumentElement(), L"File");
  ASSERT_EQ(files.size(), 2u);
  const xercesc::DOMElement* pelmo = files[0];
  EXPECT_EQ(Attribute(pelmo, L"Name"), L"Pelmo.ini");
  EXPECT_EQ(Attribute(pelmo, L"Path"), L"[UserDataCacheFolder]");
  EXPECT_EQ(Attribute(pelmo, L"Unicode"), L"yes");
  EXPECT_FALSE(AttributeSpecified(pelmo, L"AddACE"));
  EXPECT_EQ(Attribute(files[1], L"Name"), L"Identity.ini");
  EXPECT_EQ(Attribute(files[1], L"Path"), L"[INSTALLDIR]");
  EXPECT_FALSE(AttributeSpecified(files[1], L"Unicode"));
  EXPECT_EQ(SectionNames(files[1]), std::vector<std::wstring>{L"Folders"});
  auto folders = Keys(files[1], L"Folders");
  ASSERT_EQ(folders.size(), 1u);
  EXPECT_EQ(folders[0].key + L"=" + folders[0].value, L"CommonAppData=[PRODUCTCOMMON]");
  EXPECT_TRUE(folders[0].cdata);

  std::vector<std::wstring> sections = {L"Pelmo.ini", L"Colors", L"Directories"};
  for (const wchar_t* language : kLanguages) sections.push_back(std::wstring(L"Directories") + language);
  sections.insert(sections.end(), {L"SamplesDEU", L"SamplesJPN", L"UserInterface", L"Language", L"Applications",
                                   L"InstallationSettings", L"Install"});
  EXPECT_EQ(SectionNames(pelmo), sections);
  for (const wchar_t* empty : {L"Pelmo.ini", L"Colors", L"UserInterface"}) EXPECT_TRUE(Keys(pelmo, empty).empty());

  auto directories = Keys(pelmo, L"Directories");
  ASSERT_EQ(directories.size(), 5u);
  EXPECT_EQ(directories[0].key + L"=" + directories[0].value, L"ProjectPath=[PLM_S_PROJPATH]");
  EXPECT_EQ(directories[1].key + L"=" + directories[1].value,
            L"ImportLineweightsNameDWG=[DataFolder][PLM_LINEWEIGHTSNAME]");
  EXPECT_EQ(directories[2].key + L"=" + directories[2].value, L"MaterialLibraryFiles=..\\Data\\Rendering");
  EXPECT_EQ(directories[2].condition, L"PLM_DISCIPLINE<>\"Conceptual\"");
  EXPECT_TRUE(directories[2].cdata);
  EXPECT_EQ(directories[3].key + L"=" + directories[3].value, L"IESFileLocation=[PLM_S_IESCONTENT]");
  EXPECT_EQ(directories[4].key + L"=" + directories[4].value, L"LookupTableLocation=[PLM_S_LOOKUPTABLES]");
  EXPECT_EQ(directories[4].product, L"PLM");

  // Entries of the template lists: display name, "=", the template folder property, a path.
  const std::wregex entry(LR"(([^=,\s][^=,]*)=\[PLM_S_TEMPLATECONTENT\]([^,]+\\)?[^\\,]+\.pmt)");
  const std::wstring disciplines[] = {L"CONS", L"ARCH", L"STRUCT", L"MECH", L"SYS", L"ELEC", L"PLMB"};
  for (const wchar_t* language : kLanguages) {
    std::wstring code = language;
    SCOPED_TRACE(unicode::ToUtf8(code));
    auto keys = Keys(pelmo, L"Directories" + code);
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys[0].key, L"FamilyTemplatePath");
    EXPECT_EQ(keys[0].value.rfind(L"[PLM_S_FAMILYTEMPLATES]", 0), 0u);
    EXPECT_EQ(keys[0].value.back() == L'\\', code != L"ENU");
    EXPECT_EQ(keys[1].key, L"DataLibraryLocations");
    EXPECT_NE(keys[1].value.find(L"Metric Library=[PLM_S_LIBRARYCONTENT]"), std::wstring::npos);
    EXPECT_EQ(keys[2].key + keys[2].product + keys[2].condition, L"DefaultTemplatePLX");
    EXPECT_EQ(keys[3].key + keys[3].product + keys[3].condition, L"DefaultTemplatePLMPLM_DISCIPLINE=\"All\"");

    std::vector<std::wstring> light, full;
    for (auto [list, value] : {std::pair{&light, keys[2].value}, std::pair{&full, keys[3].value}}) {
      std::wstring rest = value;
      for (std::wsmatch match; std::regex_search(rest, match, entry); rest = match.suffix()) {
        EXPECT_TRUE(match.position(0) == 0 || rest.substr(0, match.position(0)) == L", ") << unicode::ToUtf8(value);
        list->push_back(Trimmed(match[1]));
      }
      EXPECT_EQ(rest, L"") << unicode::ToUtf8(value);
    }
    if (code == L"ENU") {
      EXPECT_EQ(keys[1].value,
                L"Imperial Library=[PLM_S_LIBRARYCONTENT]English-Imperial\\, Metric "
                L"Library=[PLM_S_LIBRARYCONTENT]English\\,");
      EXPECT_EQ(light, (std::vector<std::wstring>{L"Residential-Imperial", L"Commercial-Imperial",
                                                  L"Metric-[PLM_ARCH_TEMPLATENAME_ENU]"}));
      std::vector<std::wstring> expected;
      for (const wchar_t* d : {L"CONS", L"ARCH", L"STRUCT", L"SYS"})
        expected.push_back(L"Imperial-[PLM_" + std::wstring(d) + L"_TEMPLATENAME_ENU]");
      for (const wchar_t* d : {L"CONS", L"ARCH", L"STRUCT", L"MECH"})
        expected.push_back(L"Metric-[PLM_" + std::wstring(d) + L"_TEMPLATENAME_ENU]");
      EXPECT_EQ(full, expected);
    } else {
      EXPECT_EQ(light, std::vector<std::wstring>{L"[PLM_ARCH_TEMPLATENAME_" + code + L"]"});
      std::vector<std::wstring> expected;
      for (const std::wstring& d : disciplines) {
        if (code != L"DEU" || d == L"CONS" || d == L"ARCH" || d == L"SYS")
          expected.push_back(L"[PLM_" + d + L"_TEMPLATENAME_" + code + L"]");
      }
      EXPECT_EQ(full, expected);
    }
  }

  for (auto [section, count] : {std::pair{L"SamplesDEU", 2}, std::pair{L"SamplesJPN", 3}}) {
    auto samples = Keys(pelmo, section);
    ASSERT_EQ(samples.size(), 1u);
    EXPECT_EQ(samples[0].key, L"DefaultSamples");
    std::wstring language = std::wstring(section).substr(7);
    std::wstring expected;
    for (int n = 1; n <= count; ++n) {
      std::wstring name = L"[PLM_SAMPLENAME_" + std::to_wstring(n) + L"_" + language + L"]=";
      std::size_t at = samples[0].value.find(name);
      EXPECT_EQ(at, n == 1 ? 0u : samples[0].value.find(L", " + name) + 2) << unicode::ToUtf8(samples[0].value);
    }
    EXPECT_EQ(samples[0].value.find(L"[PLM_SAMPLENAME_" + std::to_wstring(count + 1)), std::wstring::npos);
  }

  auto cdataKeys = [&](const wchar_t* section) {
    std::wstring text;
    for (const Key& key : Keys(pelmo, section)) {
      EXPECT_TRUE(key.cdata) << unicode::ToUtf8(key.key);
      text += key.key + L"=" + key.value + L";";
    }
    return text;
  };
  EXPECT_EQ(cdataKeys(L"Language"), L"Select=[PELMOLANGUAGE];");
  EXPECT_EQ(cdataKeys(L"Applications"),
            L"Mechanical=[PLM_APP_MECH_BOOL];Electrical=[PLM_APP_ELEC_BOOL];Architectural=[PLM_APP_ARCH_BOOL];"
            L"Structural=[PLM_APP_STRU_BOOL];");
  EXPECT_EQ(cdataKeys(L"InstallationSettings"), L"Language=[PELMOLANGUAGE];Usage=[PLM_DISCIPLINE];");
}

void ExpectInstallSection(const xercesc::DOMElement* file) {
  auto install = Keys(file, L"Install");
  ASSERT_EQ(install.size(), 2u);
  EXPECT_EQ(install[0].key + L"=" + install[0].value, L"InstallGUID=[PLM_PELINI_GUID]");
  EXPECT_EQ(install[0].condition, L"NOT Installed or Reinstalled");
  EXPECT_EQ(install[1].key + L"=" + install[1].value, L"ReInstallGUID=[PLM_PELINI_RE_GUID]");
  EXPECT_EQ(install[1].condition, L"Installed and NOT Reinstalled");
}

TEST_F(EmbeddedDescriptionTest, InstallSectionsOfBothDescriptions) {
  for (const Description& description : kDescriptions) {
    SCOPED_TRACE(description.file);
    xmldoc::XmlDocumentFile file;
    LoadOutcome outcome = LoadDescription(file, description.id);
    ASSERT_TRUE(outcome.loaded) << outcome.output;
    ExpectInstallSection(Children(outcome.document->getDocumentElement(), L"File").at(0));
  }
}

TEST_F(EmbeddedDescriptionTest, EngineDescriptionUsesItsSuffixedFoldersAndNoProductFilter) {
  const std::wstring suffix = L".D53D7C22_D946_4B75_9B91_DA5476E29581";
  xmldoc::XmlDocumentFile file;
  LoadOutcome outcome = LoadDescription(file, 102);
  ASSERT_TRUE(outcome.loaded) << outcome.output;
  auto files = Children(outcome.document->getDocumentElement(), L"File");
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(Attribute(files[0], L"Name"), L"Pelmo.ini");
  EXPECT_EQ(Attribute(files[0], L"Path"), L"[UserDataCacheFolder" + suffix + L"]");
  EXPECT_EQ(Attribute(files[0], L"Unicode"), L"yes");

  std::vector<std::wstring> sections = {L"Pelmo.ini", L"Directories"};
  for (const wchar_t* language : {L"ENU", L"CHS", L"CHT", L"CSY", L"DEU", L"ESP", L"FRA", L"ITA", L"JPN", L"KOR",
                                  L"PLK", L"PTB", L"RUS", L"ENG"}) {
    sections.push_back(std::wstring(L"Directories") + language);
    auto keys = Keys(files[0], sections.back());
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].key + L"=" + keys[0].value, L"FamilyTemplatePath=[PRODUCTCOMMON" + suffix + L"]Family Templates");
  }
  sections.push_back(L"Install");
  EXPECT_EQ(SectionNames(files[0]), sections);

  auto directories = Keys(files[0], L"Directories");
  ASSERT_EQ(directories.size(), 3u);
  EXPECT_EQ(directories[0].key + L"=" + directories[0].value,
            L"ImportLineweightsNameDWG=[DataFolder" + suffix + L"][PLM_LINEWEIGHTSNAME]");
  EXPECT_EQ(directories[1].key + L"=" + directories[1].value, L"IESFileLocation=[PRODUCTCOMMON" + suffix + L"]IES");
  EXPECT_EQ(directories[2].key + L"=" + directories[2].value,
            L"LookupTableLocation=[PRODUCTCOMMON" + suffix + L"]Lookup Tables");

  for (auto* section : Children(files[0], L"Section")) {
    for (auto* data : Children(section, L"Data")) {
      EXPECT_FALSE(AttributeSpecified(data, L"Product")) << unicode::ToUtf8(Attribute(data, L"Key"));
      EXPECT_EQ(Attribute(data, L"Product"), L"ALL");
    }
  }
}

}  // namespace
}  // namespace xmldoc_test
