// List, Delete and Copy over folder trees on a stand-in machine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fsutil/file_path.h"
#include "test_machine.h"

namespace {

using fsutil::FilePath;
using Listing = std::vector<std::wstring>;
namespace fs = std::filesystem;

class FilePathTreeTest : public testing_support::MachineTest {
 protected:
  // C:\r holding a\f1, a\b\f2, c\f3 and r.txt.
  void MakeTree() {
    WriteBytes(L"C:\\r\\a\\f1", "1");
    WriteBytes(L"C:\\r\\a\\b\\f2", "2");
    WriteBytes(L"C:\\r\\c\\f3", "3");
    WriteBytes(L"C:\\r\\r.txt", "r");
  }

  // Holds a file open without sharing, as another process might.
  HANDLE Hold(const std::wstring& path) {
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(held, INVALID_HANDLE_VALUE);
    return held;
  }
};

TEST_F(FilePathTreeTest, ListingsArePreOrderWithAbsolutePathsAndBackslashedFolders) {
  MakeTree();
  const FilePath root(L"C:\\r");
  EXPECT_EQ(root.List(fsutil::Folders, true), (Listing{L"C:\\r\\a\\", L"C:\\r\\a\\b\\", L"C:\\r\\c\\"}));
  EXPECT_EQ(root.List(fsutil::Files, true),
            (Listing{L"C:\\r\\a\\b\\f2", L"C:\\r\\a\\f1", L"C:\\r\\c\\f3", L"C:\\r\\r.txt"}));
  EXPECT_EQ(root.List(fsutil::FilesAndFolders, true),
            (Listing{L"C:\\r\\a\\", L"C:\\r\\a\\b\\", L"C:\\r\\a\\b\\f2", L"C:\\r\\a\\f1", L"C:\\r\\c\\",
                     L"C:\\r\\c\\f3", L"C:\\r\\r.txt"}));
  EXPECT_EQ(root.List(fsutil::FilesAndFolders, false), (Listing{L"C:\\r\\a\\", L"C:\\r\\c\\", L"C:\\r\\r.txt"}));
  // Any other mode lists nothing of its own.
  EXPECT_EQ(root.List(static_cast<fsutil::ListMode>(7), true), Listing{});
}

TEST_F(FilePathTreeTest, ListingTakesPatternsAndGivesTheAbsoluteFormOfRelativePaths) {
  MakeTree();
  EXPECT_EQ(FilePath(L"C:\\r\\*.txt").List(fsutil::Files, false), Listing{L"C:\\r\\r.txt"});
  // Relative paths resolve against the current folder, C:\.
  EXPECT_EQ(FilePath(L"r\\c").List(fsutil::Files, false), Listing{L"C:\\r\\c\\f3"});
  EXPECT_EQ(FilePath(L"C:\\r\\").List(fsutil::Folders, false), (Listing{L"C:\\r\\a\\", L"C:\\r\\c\\"}));
}

TEST_F(FilePathTreeTest, ListingOfAFileAMissingFolderOrAnOverlongPatternIsEmpty) {
  MakeTree();
  EXPECT_EQ(FilePath(L"C:\\r\\r.txt").List(fsutil::FilesAndFolders, true), Listing{});
  EXPECT_EQ(FilePath(L"C:\\none").List(fsutil::FilesAndFolders, true), Listing{});

  // The pattern "<folder>\*.*" of the deepest folder is 260 characters long; its parent's is 259.
  std::wstring parent = L"C:\\" + std::wstring(251, L'p');
  std::wstring deep = parent + L"\\q";
  WriteBytes(deep + L"\\f", "f");
  ASSERT_EQ(FilePath(deep).Combine(L"*.*").size(), 260u);
  EXPECT_EQ(FilePath(deep).List(fsutil::Files, false), Listing{});
  EXPECT_EQ(FilePath(parent).List(fsutil::FilesAndFolders, true), Listing{deep + L"\\"});
}

TEST_F(FilePathTreeTest, DeleteRemovesAReadOnlyFile) {
  WriteBytes(L"C:\\d\\ro.txt", "x");
  ASSERT_TRUE(SetFileAttributesW(L"C:\\d\\ro.txt", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(FilePath(L"C:\\d\\ro.txt").Delete(false), TRUE);
  EXPECT_FALSE(Exists(L"C:\\d\\ro.txt"));
  EXPECT_EQ(FilePath(L"C:\\d\\ro.txt").Delete(false), FALSE);
}

TEST_F(FilePathTreeTest, DeleteWithoutRecursionKeepsAFolderThatHoldsAFile) {
  WriteBytes(L"C:\\d\\f.txt", "x");
  EXPECT_EQ(FilePath(L"C:\\d").Delete(false), FALSE);
  EXPECT_TRUE(Exists(L"C:\\d\\f.txt"));
  ASSERT_TRUE(DeleteFileW(L"C:\\d\\f.txt"));
  EXPECT_EQ(FilePath(L"C:\\d").Delete(false), TRUE);
  EXPECT_FALSE(Exists(L"C:\\d"));
}

TEST_F(FilePathTreeTest, TreeDeleteRemovesEverythingButAHeldFileAndItsAncestors) {
  MakeTree();
  ASSERT_TRUE(SetFileAttributesW(L"C:\\r\\c\\f3", FILE_ATTRIBUTE_READONLY));
  HANDLE held = Hold(L"C:\\r\\a\\b\\f2");

  EXPECT_EQ(FilePath(L"C:\\r").Delete(true), FALSE);
  EXPECT_TRUE(Exists(L"C:\\r\\a\\b\\f2"));
  EXPECT_FALSE(Exists(L"C:\\r\\a\\f1"));
  EXPECT_FALSE(Exists(L"C:\\r\\c"));
  EXPECT_FALSE(Exists(L"C:\\r\\r.txt"));

  CloseHandle(held);
  EXPECT_EQ(FilePath(L"C:\\r").Delete(true), TRUE);
  EXPECT_FALSE(Exists(L"C:\\r"));
}

TEST_F(FilePathTreeTest, CopyOntoAnExistingFileReplacesItOnlyWithOverwrite) {
  WriteBytes(L"C:\\s\\f.txt", "new");
  WriteBytes(L"C:\\d\\f.txt", "old");
  const FilePath source(L"C:\\s\\f.txt");
  EXPECT_EQ(source.Copy(L"C:\\d\\f.txt", false), FALSE);
  EXPECT_EQ(ReadBytes(L"C:\\d\\f.txt"), "old");
  EXPECT_EQ(source.Copy(L"C:\\d\\f.txt", true), TRUE);
  EXPECT_EQ(ReadBytes(L"C:\\d\\f.txt"), "new");
}

TEST_F(FilePathTreeTest, CopyOfAFileCreatesTheDestinationsFolders) {
  WriteBytes(L"C:\\s\\f.txt", "data");
  fs::create_directories(Host(L"D:\\"));
  EXPECT_EQ(FilePath(L"C:\\s\\f.txt").Copy(L"D:\\n\\m\\f.txt", true), TRUE);
  EXPECT_EQ(ReadBytes(L"D:\\n\\m\\f.txt"), "data");
}

TEST_F(FilePathTreeTest, CopyOfAHeldFileFails) {
  WriteBytes(L"C:\\s\\f.txt", "data");
  HANDLE held = Hold(L"C:\\s\\f.txt");
  EXPECT_EQ(FilePath(L"C:\\s\\f.txt").Copy(L"C:\\d\\f.txt", true), FALSE);
  EXPECT_FALSE(Exists(L"C:\\d\\f.txt"));
  CloseHandle(held);
}

TEST_F(FilePathTreeTest, CopyOfAFolderCopiesTheWholeTree) {
  // A trailing backslash on the source must not change where the copies go.
  for (const std::wstring source : {L"C:\\s", L"C:\\s\\"}) {
    SCOPED_TRACE(fs::path(source).string());
    WriteBytes(L"C:\\s\\f1", "1");
    WriteBytes(L"C:\\s\\sub\\f2", "2");
    fs::create_directories(Host(L"C:\\s\\empty"));
    fs::create_directories(Host(L"D:\\"));

    EXPECT_EQ(FilePath(source).Copy(L"D:\\t", false), TRUE);
    EXPECT_EQ(ReadBytes(L"D:\\t\\f1"), "1");
    EXPECT_EQ(ReadBytes(L"D:\\t\\sub\\f2"), "2");
    EXPECT_TRUE(fs::is_directory(Host(L"D:\\t\\empty")));
    EXPECT_EQ(FilePath(L"D:\\t").List(fsutil::FilesAndFolders, true),
              (Listing{L"D:\\t\\empty\\", L"D:\\t\\f1", L"D:\\t\\sub\\", L"D:\\t\\sub\\f2"}));

    // Without overwrite, the second copy stops at the first file already there.
    EXPECT_EQ(FilePath(source).Copy(L"D:\\t", false), FALSE);
    fs::remove_all(Host(L"D:\\t"));
  }
}

}  // namespace
