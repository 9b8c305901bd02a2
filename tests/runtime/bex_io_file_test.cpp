#include "runtime/bex_io_file.h"

#include <gtest/gtest.h>

#include "test_machine.h"

namespace {

using runtime::BexIoFile;

class BexIoFileTest : public testing_support::MachineTest {};

TEST_F(BexIoFileTest, AnEmptyFileIsNotUnicode) {
  WriteBytes(L"C:\\f.txt", "");
  BexIoFile file;
  ASSERT_EQ(file.Open(L"C:\\f.txt", GENERIC_READ, OPEN_EXISTING), S_OK);
  EXPECT_EQ(file.FileSize(), 0u);
  EXPECT_FALSE(file.IsUnicode());
  EXPECT_EQ(file.CharSize(), 1);
}

TEST_F(BexIoFileTest, ReadLineKeepsTheByteOrderMarkAndTheCarriageReturn) {
  WriteBytes(L"C:\\f.txt", std::string("\xFF\xFE", 2) + testing_support::Utf16(L"a\r\n"));
  BexIoFile file;
  ASSERT_EQ(file.Open(L"C:\\f.txt", GENERIC_READ, OPEN_EXISTING), S_OK);
  EXPECT_TRUE(file.IsUnicode());
  std::wstring line = L"unchanged";
  EXPECT_TRUE(file.ReadLine(line));
  EXPECT_EQ(line, L"\uFEFFa\r");
  EXPECT_FALSE(file.ReadLine(line));
  EXPECT_EQ(line, L"\uFEFFa\r");
}

TEST_F(BexIoFileTest, EightBitFilesAreReadAndWrittenOneBytePerCharacter) {
  WriteBytes(L"C:\\f.txt", "one\ntwo");
  BexIoFile file;
  ASSERT_EQ(file.Open(L"C:\\f.txt", GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING), S_OK);
  EXPECT_EQ(file.CharSize(), 1);
  std::wstring line;
  ASSERT_TRUE(file.ReadLine(line));
  EXPECT_EQ(line, L"one");
  ASSERT_TRUE(file.ReadLine(line));
  EXPECT_EQ(line, L"two");
  EXPECT_NE(file.Write(L"!\u20ac"), 0);
  file.Close();
  EXPECT_EQ(ReadBytes(L"C:\\f.txt"), "one\ntwo!?");
}

TEST_F(BexIoFileTest, OpenFailsWithTheWin32ErrorAndFailsAgainstAnExclusiveHolder) {
  BexIoFile missing;
  EXPECT_EQ(missing.Open(L"C:\\missing.txt", GENERIC_READ, OPEN_EXISTING), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));

  BexIoFile holder;
  ASSERT_EQ(holder.Open(L"C:\\held.txt", GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS), S_OK);
  BexIoFile second;
  EXPECT_EQ(second.Open(L"C:\\held.txt", GENERIC_READ, OPEN_EXISTING), HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION));
}

}  // namespace
