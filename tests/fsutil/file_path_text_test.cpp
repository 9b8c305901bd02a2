#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fsutil/file_path.h"

namespace {

using fsutil::FilePath;

struct TextCase {
  const char* operation;
  std::wstring path;
  std::function<std::wstring(FilePath&)> apply;
  std::wstring expected;
};

std::function<std::wstring(FilePath&)> Combine(std::wstring name) {
  return [name](FilePath& p) { return p.Combine(name); };
}
std::wstring CombineNoName(FilePath& p) { return p.Combine(); }
std::wstring FileName(FilePath& p) { return p.FileName(); }
std::wstring Extension(FilePath& p) { return p.Extension(); }
std::wstring ParentFolder(FilePath& p) { return p.ParentFolder(); }
std::wstring Root(FilePath& p) { return p.Root(); }
std::wstring StripToFileName(FilePath& p) {
  p.StripToFileName();
  return p.Text();
}
std::wstring RemoveLastComponent(FilePath& p) {
  p.RemoveLastComponent();
  return p.Text();
}

TEST(FilePathText, OperationsGiveTheirExactTexts) {
  const TextCase cases[] = {
      {"Combine", L"C:\\a", Combine(L"b.ini"), L"C:\\a\\b.ini"},
      {"Combine", L"C:\\a\\", Combine(L"b"), L"C:\\a\\b"},
      {"Combine", L"C:\\a\\\\", Combine(L"\\b"), L"C:\\a\\b"},
      {"Combine", L"C:\\a", Combine(L"\\\\b"), L"C:\\a\\\\b"},
      {"Combine", L"C:\\a", CombineNoName, L"C:\\a\\"},
      {"Combine", L"C:\\a", Combine(L""), L"C:\\a\\"},
      {"Combine", L"C:\\a", Combine(L"\\"), L"C:\\a\\"},
      {"Combine", L"", Combine(L"b"), L"\\b"},
      {"Combine", L"", CombineNoName, L"\\"},
      {"FileName", L"C:\\a\\b.txt", FileName, L"b.txt"},
      {"FileName", L"C:\\a\\b\\\\", FileName, L"b"},
      {"FileName", L"b.txt", FileName, L"b.txt"},
      {"FileName", L"C:\\", FileName, L"C:\\"},
      {"FileName", L"\\b", FileName, L"\\b"},
      {"Extension", L"C:\\a\\b.tar.gz", Extension, L".gz"},
      {"Extension", L"C:\\a.d\\b", Extension, L""},
      {"Extension", L"C:\\a\\.cfg", Extension, L".cfg"},
      {"Extension", L"C:\\a\\b.", Extension, L"."},
      {"StripToFileName", L"C:\\a\\b\\", StripToFileName, L"b"},
      {"StripToFileName", L"C:\\", StripToFileName, L"C:"},
      {"StripToFileName", L"", StripToFileName, L""},
      {"RemoveLastComponent", L"C:\\a\\b", RemoveLastComponent, L"C:\\a\\"},
      {"RemoveLastComponent", L"C:\\a\\\\b\\", RemoveLastComponent, L"C:\\a\\"},
      {"RemoveLastComponent", L"C:\\a", RemoveLastComponent, L"C:\\"},
      {"RemoveLastComponent", L"C:\\", RemoveLastComponent, L""},
      {"RemoveLastComponent", L"a\\b", RemoveLastComponent, L"a\\"},
      {"RemoveLastComponent", L"\\a", RemoveLastComponent, L""},
      {"RemoveLastComponent", L"\\\\srv\\share\\d", RemoveLastComponent, L"\\\\srv\\share\\"},
      {"ParentFolder", L"", ParentFolder, L""},
      {"ParentFolder", L"C:\\a\\b.txt", ParentFolder, L"C:\\a\\"},
      {"Root", L"C:\\a\\b.txt", Root, L"C:\\"},
      {"Root", L"\\\\srv\\share\\d\\e", Root, L"\\\\srv\\share\\"},
      {"Root", L"\\\\srv\\share", Root, L"\\\\srv\\share\\"},
      {"Root", L"\\\\srv", Root, L""},
      {"Root", L"a\\b", Root, L"a\\"},
      {"Root", L"b.txt", Root, L""},
      {"Root", L"\\a", Root, L""},
      {"Root", L"C:", Root, L""},
      // A forward slash is an ordinary character.
      {"FileName", L"C:/a/b.txt", FileName, L"C:/a/b.txt"},
  };
  for (const TextCase& c : cases) {
    FilePath path(c.path);
    EXPECT_EQ(c.apply(path), c.expected) << c.operation << " of \"" << std::string(c.path.begin(), c.path.end())
                                         << "\"";
  }
}

TEST(ReplaceAll, ReplacesLeftToRightWithoutRescanningInsertedText) {
  struct Case {
    std::wstring text, old, replacement, expected;
    int count;
  };
  const Case cases[] = {
      {L"aaa", L"a", L"aa", L"aaaaaa", 3}, {L"x", L"", L"y", L"x", 0},       {L"C:/a/b", L"/", L"\\", L"C:\\a\\b", 2},
      {L"abcabc", L"bc", L"", L"aa", 2},   {L"aaaa", L"aa", L"b", L"bb", 2}, {L"abc", L"x", L"y", L"abc", 0},
  };
  for (const Case& c : cases) {
    std::wstring text = c.text;
    EXPECT_EQ(fsutil::ReplaceAll(text, c.old, c.replacement), c.count);
    EXPECT_EQ(text, c.expected);
  }
}

}  // namespace
