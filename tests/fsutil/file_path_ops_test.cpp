// TempFileName, CreateFolder and ChangeExtension on a stand-in machine.
#include <gtest/gtest.h>

#include <regex>

#include "fsutil/file_path.h"
#include "test_machine.h"

namespace {

using fsutil::FilePath;
namespace fs = std::filesystem;

class FilePathOpsTest : public testing_support::MachineTest {};

TEST_F(FilePathOpsTest, TempFileNameReservesAnEmptyUniqueFile) {
  const FilePath folder(L"C:\\Temp");
  std::wstring first = folder.TempFileName();
  std::wstring second = folder.TempFileName();

  const std::wregex form(LR"(C:\\Temp\\bex[0-9A-F]+\.tmp)");
  EXPECT_TRUE(std::regex_match(first, form)) << fs::path(first).string();
  EXPECT_TRUE(std::regex_match(second, form)) << fs::path(second).string();
  EXPECT_NE(first, second);
  EXPECT_TRUE(Exists(first));
  EXPECT_EQ(ReadBytes(first), "");
}

TEST_F(FilePathOpsTest, TempFileNamesRenamedToTheirFinalExtensionAreNotHandedOutAgain) {
  const FilePath folder(L"C:\\Temp");
  FilePath first(folder.TempFileName());
  first.ChangeExtension(L"xml", true);
  FilePath second(folder.TempFileName());
  second.ChangeExtension(L"xml", true);
  EXPECT_NE(first.Text(), second.Text());
  EXPECT_TRUE(Exists(first.Text()));
  EXPECT_TRUE(Exists(second.Text()));
}

TEST_F(FilePathOpsTest, TempFileNameOnAMissingFolderIsEmptyAndCreatesNothing) {
  EXPECT_EQ(FilePath(L"C:\\Missing").TempFileName(), L"");
  EXPECT_FALSE(Exists(L"C:\\Missing"));
}

TEST_F(FilePathOpsTest, CreateFolderCreatesMissingAncestorsFirst) {
  const FilePath path(L"C:\\x\\");
  EXPECT_EQ(path.CreateFolder(L"y"), TRUE);
  EXPECT_TRUE(fs::is_directory(Host(L"C:\\x\\y")));
  // The folder exists now, so creating it fails.
  EXPECT_EQ(path.CreateFolder(L"y"), FALSE);

  EXPECT_EQ(FilePath(L"C:\\p\\q").CreateFolder(L""), TRUE);
  EXPECT_TRUE(fs::is_directory(Host(L"C:\\p\\q")));
}

TEST_F(FilePathOpsTest, CreateFolderOnAnEmptyPathFails) {
  EXPECT_EQ(FilePath(L"").CreateFolder(L""), FALSE);
  EXPECT_EQ(FilePath(L"").CreateFolder(L"C:\\z"), FALSE);
  EXPECT_FALSE(Exists(L"C:\\z"));
}

TEST_F(FilePathOpsTest, CreateFolderWithAnEmptyNameReportsSuccessEvenWhenNothingCouldBeMade) {
  // The drive does not exist: the recursion stops at its empty parent and creates nothing.
  EXPECT_EQ(FilePath(L"Q:\\a\\b").CreateFolder(L""), TRUE);
  EXPECT_FALSE(Exists(L"Q:\\a"));
  EXPECT_EQ(FilePath(L"Q:\\a\\").CreateFolder(L"b"), FALSE);
}

TEST_F(FilePathOpsTest, ChangeExtensionReplacesTheLastExtension) {
  struct Case {
    std::wstring path, extension, expected;
  };
  const Case cases[] = {
      {L"C:\\t\\bex1A.tmp", L"xml", L"C:\\t\\bex1A.xml"},
      {L"C:\\t\\bex1A.tmp", L".xml", L"C:\\t\\bex1A.xml"},
      {L"C:\\t\\bex1A.tmp", L"..xml", L"C:\\t\\bex1A.xml"},
      {L"C:\\t\\f", L"xml", L"C:\\t\\f.xml"},
      {L"C:\\t\\f", L"", L"C:\\t\\f."},
      {L"C:\\t.d\\f", L"ini", L"C:\\t.d\\f.ini"},
      {L"C:\\t\\a.b.c", L"d", L"C:\\t\\a.b.d"},
  };
  for (const Case& c : cases) {
    FilePath path(c.path);
    path.ChangeExtension(c.extension, false);
    EXPECT_EQ(path.Text(), c.expected);
  }
}

TEST_F(FilePathOpsTest, ChangeExtensionRenamesTheFileOnDiskWhenAsked) {
  WriteBytes(L"C:\\t\\bex1A.tmp", "doc");
  FilePath kept(L"C:\\t\\bex1A.tmp");
  kept.ChangeExtension(L"xml", false);
  EXPECT_TRUE(Exists(L"C:\\t\\bex1A.tmp"));
  EXPECT_FALSE(Exists(L"C:\\t\\bex1A.xml"));

  FilePath renamed(L"C:\\t\\bex1A.tmp");
  renamed.ChangeExtension(L"xml", true);
  EXPECT_EQ(renamed.Text(), L"C:\\t\\bex1A.xml");
  EXPECT_FALSE(Exists(L"C:\\t\\bex1A.tmp"));
  EXPECT_EQ(ReadBytes(L"C:\\t\\bex1A.xml"), "doc");
}

TEST_F(FilePathOpsTest, ChangeExtensionRenamesAFolderWithItsContents) {
  WriteBytes(L"C:\\t\\d\\sub\\f.txt", "x");
  FilePath folder(L"C:\\t\\d");
  folder.ChangeExtension(L"old", true);
  EXPECT_EQ(folder.Text(), L"C:\\t\\d.old");
  EXPECT_FALSE(Exists(L"C:\\t\\d"));
  EXPECT_EQ(ReadBytes(L"C:\\t\\d.old\\sub\\f.txt"), "x");
}

TEST_F(FilePathOpsTest, ChangeExtensionOfAMissingPathChangesOnlyTheText) {
  FilePath path(L"C:\\t\\gone.tmp");
  path.ChangeExtension(L"xml", true);
  EXPECT_EQ(path.Text(), L"C:\\t\\gone.xml");
  EXPECT_FALSE(Exists(L"C:\\t\\gone.xml"));
  EXPECT_FALSE(Exists(L"C:\\t"));
}

TEST_F(FilePathOpsTest, ChangeExtensionKeepsTheNewTextWhenTheRenameFails) {
  WriteBytes(L"C:\\t\\a.tmp", "old");
  WriteBytes(L"C:\\t\\a.xml", "taken");
  FilePath path(L"C:\\t\\a.tmp");
  path.ChangeExtension(L"xml", true);
  EXPECT_EQ(path.Text(), L"C:\\t\\a.xml");
  EXPECT_EQ(ReadBytes(L"C:\\t\\a.tmp"), "old");
  EXPECT_EQ(ReadBytes(L"C:\\t\\a.xml"), "taken");
}

}  // namespace
