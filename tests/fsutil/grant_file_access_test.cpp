#include "fsutil/grant_file_access.h"

#include <gtest/gtest.h>
#include <sys/xattr.h>

#include "../host_files/access_entries.h"
#include "test_machine.h"

namespace {

namespace fs = std::filesystem;
using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;
using testing_support::AccessEntries;
using testing_support::AccessEntry;

constexpr DWORD kInherit = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
const std::wstring kAdministrators = L"S-1-5-32-544";
const std::wstring kUsers = L"S-1-5-32-545";
const std::wstring kAuthenticatedUsers = L"S-1-5-11";

class GrantFileAccessTest : public testing_support::MachineTest {
 protected:
  // A file only its owner may use.
  void MakePrivateFile(const std::wstring& path) {
    WriteBytes(path, "ini");
    fs::permissions(Host(path), fs::perms::owner_read | fs::perms::owner_write);
  }

  fs::perms Permissions(const std::wstring& path) const { return fs::status(Host(path)).permissions(); }

  // The grant's result, and what it wrote to standard output and standard error.
  struct Outcome {
    DWORD result;
    std::string out, err;
  };
  Outcome Grant(const std::wstring& path, DWORD mask) {
    CaptureStdout();
    CaptureStderr();
    DWORD result = fsutil::GrantFileAccess(path, mask);
    std::string out = GetCapturedStdout();
    return {result, out, GetCapturedStderr()};
  }
};

TEST_F(GrantFileAccessTest, AMissingPathGivesPathNotFoundSilently) {
  Outcome outcome = Grant(L"C:\\nowhere\\Pelmo.ini", GENERIC_READ);
  EXPECT_EQ(outcome.result, ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err, "");
}

TEST_F(GrantFileAccessTest, ReadThenWriteOpensTheFileToEveryLocalUser) {
  MakePrivateFile(L"C:\\p\\Pelmo.ini");
  using fs::perms;
  ASSERT_EQ(AccessEntries(L"C:\\p\\Pelmo.ini"),
            (std::vector<AccessEntry>{{kAdministrators, GRANT_ACCESS, GENERIC_ALL, 0}}));

  Outcome read = Grant(L"C:\\p\\Pelmo.ini", GENERIC_READ);
  EXPECT_EQ(read.result, ERROR_SUCCESS);
  EXPECT_EQ(read.out + read.err, "");
  EXPECT_EQ(Permissions(L"C:\\p\\Pelmo.ini"),
            perms::owner_read | perms::owner_write | perms::group_read | perms::others_read);

  EXPECT_EQ(Grant(L"C:\\p\\Pelmo.ini", GENERIC_WRITE).result, ERROR_SUCCESS);
  EXPECT_EQ(Permissions(L"C:\\p\\Pelmo.ini"), perms::owner_read | perms::owner_write | perms::group_read |
                                                  perms::group_write | perms::others_read | perms::others_write);
  EXPECT_EQ(AccessEntries(L"C:\\p\\Pelmo.ini"),
            (std::vector<AccessEntry>{{kAdministrators, GRANT_ACCESS, GENERIC_ALL, 0},
                                      {kAuthenticatedUsers, GRANT_ACCESS, GENERIC_READ | GENERIC_WRITE, kInherit}}));
}

TEST_F(GrantFileAccessTest, EntriesAlreadyThereStay) {
  // Group members may read, everybody may execute: BUILTIN\Users and an Authenticated Users entry.
  WriteBytes(L"C:\\p\\Pelmo.ini", "ini");
  fs::permissions(Host(L"C:\\p\\Pelmo.ini"),
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_exec);

  ASSERT_EQ(Grant(L"C:\\p\\Pelmo.ini", GENERIC_WRITE).result, ERROR_SUCCESS);
  EXPECT_EQ(AccessEntries(L"C:\\p\\Pelmo.ini"),
            (std::vector<AccessEntry>{{kAdministrators, GRANT_ACCESS, GENERIC_ALL, 0},
                                      {kUsers, GRANT_ACCESS, GENERIC_READ, 0},
                                      {kAuthenticatedUsers, GRANT_ACCESS, GENERIC_EXECUTE, 0},
                                      {kAuthenticatedUsers, GRANT_ACCESS, GENERIC_WRITE, kInherit}}));
  using fs::perms;
  EXPECT_EQ(Permissions(L"C:\\p\\Pelmo.ini"),
            perms::owner_read | perms::owner_write | perms::group_all | perms::others_write | perms::others_exec);
}

TEST_F(GrantFileAccessTest, AGrantOnAFolderReachesWhatItHolds) {
  MakePrivateFile(L"C:\\p\\a.ini");
  MakePrivateFile(L"C:\\p\\sub\\b.ini");
  fs::permissions(Host(L"C:\\p\\sub"), fs::perms::owner_all);

  ASSERT_EQ(Grant(L"C:\\p", GENERIC_READ).result, ERROR_SUCCESS);
  using fs::perms;
  const perms readable = perms::owner_read | perms::owner_write | perms::group_read | perms::others_read;
  EXPECT_EQ(Permissions(L"C:\\p\\a.ini"), readable);
  EXPECT_EQ(Permissions(L"C:\\p\\sub\\b.ini"), readable);
  EXPECT_EQ(Permissions(L"C:\\p\\sub"),
            perms::owner_all | perms::group_read | perms::group_exec | perms::others_read | perms::others_exec);
  EXPECT_EQ(AccessEntries(L"C:\\p\\sub\\b.ini").back(),
            (AccessEntry{kAuthenticatedUsers, GRANT_ACCESS, GENERIC_READ, 0x10 /* inherited */}));
}

TEST_F(GrantFileAccessTest, AnUnreadableAccessListIsReportedAndLeftAlone) {
  MakePrivateFile(L"C:\\p\\Pelmo.ini");
  const char damaged[] = "not an access list";
  ASSERT_EQ(::setxattr(Host(L"C:\\p\\Pelmo.ini").c_str(), "user.standin.dacl", damaged, sizeof damaged, 0), 0);

  Outcome outcome = Grant(L"C:\\p\\Pelmo.ini", GENERIC_READ);
  EXPECT_EQ(outcome.result, 1336u);
  EXPECT_EQ(outcome.out, "GetNamedSecurityInfo Error 1336\n");
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(Permissions(L"C:\\p\\Pelmo.ini"), fs::perms::owner_read | fs::perms::owner_write);
}

}  // namespace
