// A profile write either replaces the whole file or leaves it exactly as it was.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>

#include "test_machine.h"

namespace {

namespace fs = std::filesystem;

constexpr wchar_t kFile[] = L"C:\\cfg\\app.ini";
const std::string kOriginal = "[S]\r\n\r\nA=1\r\n";

class ProfileWriteSafety : public testing_support::MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    WriteBytes(kFile, kOriginal);
  }
  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(Host(L"C:\\cfg")), fs::directory_iterator()));
  }
};

TEST_F(ProfileWriteSafety, AReadOnlyFileRefusesEveryWrite) {
  fs::permissions(Host(kFile), fs::perms::owner_write, fs::perm_options::remove);
  SetLastError(0);
  EXPECT_FALSE(WritePrivateProfileStringW(L"S", L"A", L"2", kFile));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  // Even a write that would change nothing, as the file cannot be opened for writing.
  EXPECT_FALSE(WritePrivateProfileStringW(L"S", L"A", L"1", kFile));
  EXPECT_FALSE(WritePrivateProfileSectionW(L"S", L"\0", kFile));
  EXPECT_FALSE(WritePrivateProfileStructW(L"S", nullptr, nullptr, 0, kFile));
  EXPECT_EQ(ReadBytes(kFile), kOriginal);
  EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(ProfileWriteSafety, AFileHeldWithoutSharingRefusesWritesAndReadsUntilReleased) {
  HANDLE held = CreateFileW(kFile, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  SetLastError(0);
  EXPECT_FALSE(WritePrivateProfileStringW(L"S", L"A", L"2", kFile));
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  wchar_t buffer[16];
  EXPECT_EQ(GetPrivateProfileStringW(L"S", L"A", L"dflt", buffer, 16, kFile), 4u);
  EXPECT_STREQ(buffer, L"dflt");
  EXPECT_EQ(ReadBytes(kFile), kOriginal);

  CloseHandle(held);
  EXPECT_TRUE(WritePrivateProfileStringW(L"S", L"A", L"2", kFile));
  EXPECT_EQ(ReadBytes(kFile), "[S]\r\nA=2\r\n");
}

TEST_F(ProfileWriteSafety, ARewriteKeepsThePermissionBits) {
  fs::permissions(Host(kFile), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(WritePrivateProfileStringW(L"S", L"B", L"2", kFile));
  EXPECT_EQ(ReadBytes(kFile), "[S]\r\nA=1\r\nB=2\r\n");
  EXPECT_EQ(fs::status(Host(kFile)).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// The stand-in keeps a file's access list in an extended attribute; a rewrite must not drop it.
TEST_F(ProfileWriteSafety, ARewriteKeepsTheExtendedAttributes) {
  const std::string value = "kept";
  if (::setxattr(Host(kFile).c_str(), "user.profile-test", value.data(), value.size(), 0) != 0) {
    GTEST_SKIP() << "the temporary folder holds no extended attributes";
  }
  ASSERT_TRUE(WritePrivateProfileStringW(L"S", L"B", L"2", kFile));
  char read[16] = {};
  ASSERT_EQ(::getxattr(Host(kFile).c_str(), "user.profile-test", read, sizeof read), 4);
  EXPECT_EQ(std::string(read, 4), value);
}

TEST_F(ProfileWriteSafety, ALinkUnderTheNameIsNeitherFollowedNorReplaced) {
  WriteBytes(L"C:\\elsewhere\\victim.txt", "precious");
  fs::create_symlink(Host(L"C:\\elsewhere\\victim.txt"), Host(L"C:\\cfg\\link.ini"));
  SetLastError(0);
  EXPECT_FALSE(WritePrivateProfileStringW(L"S", L"A", L"1", L"C:\\cfg\\link.ini"));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  wchar_t buffer[16];
  GetPrivateProfileStringW(L"S", L"A", L"dflt", buffer, 16, L"C:\\cfg\\link.ini");
  EXPECT_STREQ(buffer, L"dflt");
  EXPECT_EQ(ReadBytes(L"C:\\elsewhere\\victim.txt"), "precious");
  EXPECT_TRUE(fs::is_symlink(Host(L"C:\\cfg\\link.ini")));
}

TEST_F(ProfileWriteSafety, AWriteInterruptedBeforeTheReplaceLeavesTheOldFileAndNoLeftover) {
  standin::ThrowOnNextCall("ReplaceFileContent", "interrupted");
  EXPECT_THROW(WritePrivateProfileStringW(L"S", L"A", L"2", kFile), std::runtime_error);
  EXPECT_EQ(ReadBytes(kFile), kOriginal);
  EXPECT_EQ(FilesInFolder(), 1u);
}

// A process killed at any moment of a rewrite leaves one complete version of the file.
TEST_F(ProfileWriteSafety, AProcessKilledWhileWritingLeavesACompleteFile) {
  const std::wstring first(200000, L'a');
  const std::wstring second(200000, L'b');
  ASSERT_TRUE(WritePrivateProfileStringW(L"S", L"A", first.c_str(), kFile));
  const std::string firstBytes = ReadBytes(kFile);
  ASSERT_TRUE(WritePrivateProfileStringW(L"S", L"A", second.c_str(), kFile));
  const std::string secondBytes = ReadBytes(kFile);

  for (int round = 0; round < 5; ++round) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int i = 0;; ++i) WritePrivateProfileStringW(L"S", L"A", (i % 2 == 0 ? first : second).c_str(), kFile);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5 + 7 * round));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    std::string bytes = ReadBytes(kFile);
    EXPECT_TRUE(bytes == firstBytes || bytes == secondBytes) << "round " << round << ": " << bytes.size() << " bytes";
  }
}

}  // namespace
