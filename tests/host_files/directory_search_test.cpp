// The stand-in's directory search: Windows wildcard rules, its order and its handles.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_machine.h"

namespace {

using Names = std::vector<std::wstring>;

class DirectorySearchTest : public testing_support::MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    for (const char* name : {"b.txt", "A.TXT", "noext", "c.tar.gz", "d.Txt.bak"}) {
      WriteBytes(L"C:\\w\\" + std::wstring(name, name + std::char_traits<char>::length(name)), "x");
    }
    std::filesystem::create_directories(Host(L"C:\\w\\sub"));
  }

  // Every name a search yields, or the error it fails with.
  Names Search(const std::wstring& pattern, DWORD* error = nullptr) {
    Names names;
    WIN32_FIND_DATAW data{};
    HANDLE search = FindFirstFileW(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) {
      if (error != nullptr) *error = GetLastError();
      return names;
    }
    do names.push_back(data.cFileName);
    while (FindNextFileW(search, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_TRUE(FindClose(search));
    return names;
  }
};

TEST_F(DirectorySearchTest, WildcardsFollowWindowsRules) {
  const Names everything{L".", L"..", L"A.TXT", L"b.txt", L"c.tar.gz", L"d.Txt.bak", L"noext", L"sub"};
  struct Case {
    std::wstring pattern;
    Names expected;
  };
  const Case cases[] = {
      {L"*.*", everything},
      {L"*", everything},
      {L"*.txt", {L"A.TXT", L"b.txt"}},
      {L"?.TxT", {L"A.TXT", L"b.txt"}},
      {L"noext.*", {L"noext"}},
      {L"noex?", {L"noext"}},
      {L"*.gz", {L"c.tar.gz"}},
      {L"*t*.*", {L"A.TXT", L"b.txt", L"c.tar.gz", L"d.Txt.bak", L"noext"}},
      {L"B.TXT", {L"b.txt"}},
      {L"SUB", {L"sub"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Search(L"C:\\w\\" + c.pattern), c.expected) << std::string(c.pattern.begin(), c.pattern.end());
  }
}

TEST_F(DirectorySearchTest, SearchReportsFoldersReadOnlyFilesAndSizes) {
  ASSERT_TRUE(SetFileAttributesW(L"C:\\w\\b.txt", FILE_ATTRIBUTE_READONLY));
  WIN32_FIND_DATAW data{};
  HANDLE search = FindFirstFileW(L"C:\\w\\sub", &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);
  FindClose(search);

  search = FindFirstFileW(L"C:\\w\\b.txt", &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(data.nFileSizeLow, 1u);
  FindClose(search);
}

TEST_F(DirectorySearchTest, SearchesThatCannotStartSayWhy) {
  DWORD error = 0;
  EXPECT_EQ(Search(L"C:\\w\\x*", &error), Names{});
  EXPECT_EQ(error, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Search(L"C:\\missing\\*.*", &error), Names{});
  EXPECT_EQ(error, ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(Search(L"C:\\w\\b.txt\\*.*", &error), Names{});
  EXPECT_EQ(error, ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(Search(L"C:\\" + std::wstring(257, L'n'), &error), Names{});
  EXPECT_EQ(error, ERROR_FILENAME_EXCED_RANGE);
  // A volume root has no "." and "..".
  EXPECT_EQ(Search(L"C:\\*.*"), (Names{L"Temp", L"w", L"Windows"}));
}

TEST_F(DirectorySearchTest, FindCloseEndsTheSearchHandle) {
  WIN32_FIND_DATAW data{};
  HANDLE search = FindFirstFileW(L"C:\\w\\*.*", &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(FindClose(search));
  EXPECT_FALSE(FindNextFileW(search, &data));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(FindClose(search));
}

}  // namespace
