// The stand-in's folder, copy, move, temporary-name and full-path calls.
#include <gtest/gtest.h>

#include <string>

#include "test_machine.h"

namespace {

namespace fs = std::filesystem;

class FolderCallsTest : public testing_support::MachineTest {
 protected:
  HANDLE Hold(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  }
};

// The result of a call and the last error it left.
struct Outcome {
  BOOL result;
  DWORD error;
  bool operator==(const Outcome&) const = default;
};
template <typename F>
Outcome Call(F call) {
  SetLastError(0);
  BOOL result = call();
  return {result, result ? DWORD{0} : GetLastError()};
}

void PrintTo(const Outcome& o, std::ostream* out) { *out << "{" << o.result << ", error " << o.error << "}"; }

TEST_F(FolderCallsTest, CreateAndRemoveDirectoryFailAsOnWindows) {
  WriteBytes(L"C:\\full\\f", "x");
  EXPECT_EQ(Call([] { return CreateDirectoryW(L"C:\\new", nullptr); }), (Outcome{TRUE, 0}));
  EXPECT_EQ(Call([] { return CreateDirectoryW(L"C:\\new", nullptr); }), (Outcome{FALSE, ERROR_ALREADY_EXISTS}));
  EXPECT_EQ(Call([] { return CreateDirectoryW(L"C:\\no\\new", nullptr); }), (Outcome{FALSE, ERROR_PATH_NOT_FOUND}));
  EXPECT_EQ(Call([] { return RemoveDirectoryW(L"C:\\full"); }), (Outcome{FALSE, ERROR_DIR_NOT_EMPTY}));
  EXPECT_EQ(Call([] { return RemoveDirectoryW(L"C:\\full\\f"); }), (Outcome{FALSE, 267u}));
  EXPECT_EQ(Call([] { return RemoveDirectoryW(L"C:\\gone"); }), (Outcome{FALSE, ERROR_FILE_NOT_FOUND}));
  EXPECT_EQ(Call([] { return RemoveDirectoryW(L"C:\\"); }), (Outcome{FALSE, ERROR_ACCESS_DENIED}));
  ASSERT_TRUE(SetFileAttributesW(L"C:\\new", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(Call([] { return RemoveDirectoryW(L"C:\\new\\"); }), (Outcome{FALSE, ERROR_ACCESS_DENIED}));
  ASSERT_TRUE(SetFileAttributesW(L"C:\\new", FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(Call([] { return RemoveDirectoryW(L"C:\\new\\"); }), (Outcome{TRUE, 0}));
  EXPECT_FALSE(Exists(L"C:\\new"));
}

TEST_F(FolderCallsTest, CopyFileRefusesHeldReadOnlyAndExistingDestinations) {
  WriteBytes(L"C:\\s.txt", "source");
  WriteBytes(L"C:\\d.txt", "destination");
  EXPECT_EQ(Call([] { return CopyFileW(L"C:\\s.txt", L"C:\\d.txt", TRUE); }), (Outcome{FALSE, ERROR_FILE_EXISTS}));
  EXPECT_EQ(Call([] { return CopyFileW(L"C:\\none", L"C:\\d.txt", FALSE); }), (Outcome{FALSE, ERROR_FILE_NOT_FOUND}));
  EXPECT_EQ(Call([] { return CopyFileW(L"C:\\s.txt", L"C:\\s.txt", FALSE); }),
            (Outcome{FALSE, ERROR_SHARING_VIOLATION}));

  HANDLE held = Hold(L"C:\\d.txt");
  EXPECT_EQ(Call([] { return CopyFileW(L"C:\\s.txt", L"C:\\d.txt", FALSE); }),
            (Outcome{FALSE, ERROR_SHARING_VIOLATION}));
  EXPECT_EQ(Call([] { return CopyFileW(L"C:\\d.txt", L"C:\\e.txt", FALSE); }),
            (Outcome{FALSE, ERROR_SHARING_VIOLATION}));
  CloseHandle(held);

  ASSERT_TRUE(SetFileAttributesW(L"C:\\d.txt", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(Call([] { return CopyFileW(L"C:\\s.txt", L"C:\\d.txt", FALSE); }), (Outcome{FALSE, ERROR_ACCESS_DENIED}));
  EXPECT_EQ(ReadBytes(L"C:\\d.txt"), "destination");

  // The copy carries the read-only attribute along.
  EXPECT_EQ(Call([] { return CopyFileW(L"C:\\d.txt", L"C:\\e.txt", TRUE); }), (Outcome{TRUE, 0}));
  EXPECT_EQ(ReadBytes(L"C:\\e.txt"), "destination");
  EXPECT_EQ(GetFileAttributesW(L"C:\\e.txt"), FILE_ATTRIBUTE_READONLY);
  // Nothing written aside is left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(Host(L"C:\\")), fs::directory_iterator()), 5);
}

TEST_F(FolderCallsTest, CopyFileReplacesALinkPlantedUnderTheDestinationName) {
  WriteBytes(L"C:\\s.txt", "source");
  WriteBytes(L"C:\\elsewhere.txt", "precious");
  fs::create_symlink(Host(L"C:\\elsewhere.txt"), Host(L"C:\\d.txt"));
  EXPECT_EQ(Call([] { return CopyFileW(L"C:\\s.txt", L"C:\\d.txt", FALSE); }), (Outcome{TRUE, 0}));
  EXPECT_FALSE(fs::is_symlink(Host(L"C:\\d.txt")));
  EXPECT_EQ(ReadBytes(L"C:\\d.txt"), "source");
  EXPECT_EQ(ReadBytes(L"C:\\elsewhere.txt"), "precious");
}

TEST_F(FolderCallsTest, MoveFileNeverReplacesAndRespectsHolders) {
  WriteBytes(L"C:\\a.txt", "a");
  WriteBytes(L"C:\\b.txt", "b");
  EXPECT_EQ(Call([] { return MoveFileW(L"C:\\a.txt", L"C:\\b.txt"); }), (Outcome{FALSE, ERROR_ALREADY_EXISTS}));
  EXPECT_EQ(Call([] { return MoveFileW(L"C:\\a.txt", L"C:\\no\\a.txt"); }), (Outcome{FALSE, ERROR_PATH_NOT_FOUND}));
  HANDLE held = Hold(L"C:\\a.txt");
  EXPECT_EQ(Call([] { return MoveFileW(L"C:\\a.txt", L"C:\\c.txt"); }), (Outcome{FALSE, ERROR_SHARING_VIOLATION}));
  CloseHandle(held);
  // A new spelling of the same name renames in place.
  EXPECT_EQ(Call([] { return MoveFileW(L"C:\\a.txt", L"C:\\A.TXT"); }), (Outcome{TRUE, 0}));
  EXPECT_TRUE(fs::exists(root_ / "c" / "A.TXT"));
  EXPECT_FALSE(fs::exists(root_ / "c" / "a.txt"));
}

TEST_F(FolderCallsTest, TempFileNameCreatesExclusivelyAndNeverThroughALink) {
  WriteBytes(L"C:\\elsewhere.txt", "precious");
  fs::create_symlink(Host(L"C:\\elsewhere.txt"), Host(L"C:\\Temp\\bex1.tmp"));
  wchar_t name[MAX_PATH] = {};
  EXPECT_EQ(GetTempFileNameW(L"C:\\Temp", L"bexxx", 0, name), 2u);
  EXPECT_EQ(std::wstring(name), L"C:\\Temp\\bex2.tmp");
  EXPECT_EQ(ReadBytes(L"C:\\Temp\\bex2.tmp"), "");
  EXPECT_EQ(ReadBytes(L"C:\\elsewhere.txt"), "precious");

  // A number whose name is taken under another extension is skipped too.
  WriteBytes(L"C:\\Temp\\BEX3.xml", "renamed earlier");
  EXPECT_EQ(GetTempFileNameW(L"C:\\Temp", L"bex", 0, name), 4u);
  EXPECT_EQ(std::wstring(name), L"C:\\Temp\\bex4.tmp");

  // A number of one's own is only formatted, in hexadecimal, and nothing is created.
  EXPECT_EQ(GetTempFileNameW(L"C:\\Temp\\", L"ab", 0x12ABC, name), 0x2ABCu);
  EXPECT_EQ(std::wstring(name), L"C:\\Temp\\ab2ABC.tmp");
  EXPECT_FALSE(Exists(L"C:\\Temp\\ab2ABC.tmp"));

  wchar_t untouched[MAX_PATH] = {};
  EXPECT_EQ(GetTempFileNameW(L"C:\\Missing", L"bex", 0, untouched), 0u);
  EXPECT_EQ(GetLastError(), 267u);
  EXPECT_EQ(untouched[0], L'\0');
  EXPECT_FALSE(Exists(L"C:\\Missing"));
}

TEST_F(FolderCallsTest, FullPathNameGivesTheAbsoluteFormAndItsLastComponent) {
  wchar_t buffer[MAX_PATH] = {};
  LPWSTR filePart = nullptr;
  EXPECT_EQ(GetFullPathNameW(L"r\\..\\s\\*.*", MAX_PATH, buffer, &filePart), 8u);
  EXPECT_EQ(std::wstring(buffer), L"C:\\s\\*.*");
  EXPECT_EQ(std::wstring(filePart), L"*.*");
  EXPECT_EQ(GetFullPathNameW(L"C:\\s\\", MAX_PATH, buffer, &filePart), 5u);
  EXPECT_EQ(filePart, nullptr);
  // Too small a buffer is left alone and the size it needs, with the terminator, is returned.
  wchar_t small[4] = {L'k', 0, 0, 0};
  EXPECT_EQ(GetFullPathNameW(L"C:\\s\\t", 4, small, nullptr), 7u);
  EXPECT_EQ(small[0], L'k');
}

}  // namespace
