// The stand-in's security calls: SIDs, merging entries into access lists, and their effect on
// the host's permission bits.
#include <gtest/gtest.h>

#include <vector>

#include "access_entries.h"
#include "test_machine.h"

namespace {

namespace fs = std::filesystem;
using testing_support::AccessEntries;
using testing_support::AccessEntry;
using testing_support::EntriesOfAcl;

struct Sid {
  explicit Sid(WELL_KNOWN_SID_TYPE type) {
    DWORD size = sizeof bytes;
    EXPECT_TRUE(CreateWellKnownSid(type, nullptr, bytes, &size));
  }
  BYTE bytes[SECURITY_MAX_SID_SIZE] = {};
};

EXPLICIT_ACCESS_W Request(Sid& sid, ACCESS_MODE mode, DWORD mask, DWORD inheritance = 0) {
  EXPLICIT_ACCESS_W request{};
  request.grfAccessPermissions = mask;
  request.grfAccessMode = mode;
  request.grfInheritance = inheritance;
  request.Trustee.TrusteeForm = TRUSTEE_IS_SID;
  request.Trustee.TrusteeType = TRUSTEE_IS_GROUP;
  request.Trustee.ptstrName = reinterpret_cast<LPWSTR>(sid.bytes);
  return request;
}

// Applies the requests to the path's DACL and writes it back.
DWORD Change(const std::wstring& path, std::vector<EXPLICIT_ACCESS_W> requests) {
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  DWORD result = GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                                       nullptr, &descriptor);
  if (result != ERROR_SUCCESS) return result;
  PACL merged = nullptr;
  result = SetEntriesInAclW(static_cast<ULONG>(requests.size()), requests.data(), dacl, &merged);
  std::wstring name = path;
  if (result == ERROR_SUCCESS) {
    result = SetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, merged,
                                   nullptr);
  }
  LocalFree(merged);
  LocalFree(descriptor);
  return result;
}

class SecurityCallsTest : public testing_support::MachineTest {
 protected:
  fs::perms Permissions(const std::wstring& path) const { return fs::status(Host(path)).permissions(); }
};

TEST(SecurityIdentifiers, WellKnownGroupsHaveTheirWindowsForms) {
  BYTE sid[SECURITY_MAX_SID_SIZE];
  DWORD size = 4;
  EXPECT_FALSE(CreateWellKnownSid(WinAuthenticatedUserSid, nullptr, sid, &size));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(size, 12u);

  const std::pair<WELL_KNOWN_SID_TYPE, std::wstring> groups[] = {{WinWorldSid, L"S-1-1-0"},
                                                                 {WinAuthenticatedUserSid, L"S-1-5-11"},
                                                                 {WinBuiltinAdministratorsSid, L"S-1-5-32-544"},
                                                                 {WinBuiltinUsersSid, L"S-1-5-32-545"}};
  for (const auto& [type, text] : groups) EXPECT_EQ(testing_support::SidString(Sid(type).bytes), text);
}

TEST(SecurityIdentifiers, SetEntriesInAclMergesGrantsAndOrdersDenialsFirst) {
  Sid users(WinBuiltinUsersSid), everyone(WinWorldSid), authenticated(WinAuthenticatedUserSid);
  std::vector<EXPLICIT_ACCESS_W> first{Request(users, GRANT_ACCESS, GENERIC_READ),
                                       Request(everyone, GRANT_ACCESS, GENERIC_READ),
                                       Request(authenticated, GRANT_ACCESS, GENERIC_READ, 3)};
  PACL acl = nullptr;
  ASSERT_EQ(SetEntriesInAclW(3, first.data(), nullptr, &acl), ERROR_SUCCESS);

  std::vector<EXPLICIT_ACCESS_W> second{
      Request(users, GRANT_ACCESS, GENERIC_WRITE), Request(authenticated, GRANT_ACCESS, GENERIC_WRITE, 0),
      Request(everyone, REVOKE_ACCESS, 0), Request(everyone, DENY_ACCESS, GENERIC_WRITE)};
  PACL merged = nullptr;
  ASSERT_EQ(SetEntriesInAclW(4, second.data(), acl, &merged), ERROR_SUCCESS);
  EXPECT_EQ(EntriesOfAcl(merged),
            (std::vector<AccessEntry>{{L"S-1-1-0", DENY_ACCESS, GENERIC_WRITE, 0},
                                      {L"S-1-5-32-545", GRANT_ACCESS, GENERIC_READ | GENERIC_WRITE, 0},
                                      {L"S-1-5-11", GRANT_ACCESS, GENERIC_READ, 3},
                                      {L"S-1-5-11", GRANT_ACCESS, GENERIC_WRITE, 0}}));
  // The list given is not changed.
  EXPECT_EQ(EntriesOfAcl(acl).size(), 3u);
  LocalFree(acl);
  LocalFree(merged);

  EXPLICIT_ACCESS_W byName = Request(users, GRANT_ACCESS, GENERIC_READ);
  byName.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
  EXPECT_EQ(SetEntriesInAclW(1, &byName, nullptr, &merged), 1332u /* ERROR_NONE_MAPPED */);
}

TEST_F(SecurityCallsTest, DenialsAndRevocationsNarrowThePermissionBits) {
  WriteBytes(L"C:\\f.ini", "x");
  fs::permissions(Host(L"C:\\f.ini"), fs::perms::owner_read | fs::perms::owner_write);
  Sid users(WinBuiltinUsersSid), everyone(WinWorldSid);
  using fs::perms;

  ASSERT_EQ(Change(L"C:\\f.ini", {Request(users, GRANT_ACCESS, GENERIC_READ | GENERIC_WRITE)}), ERROR_SUCCESS);
  EXPECT_EQ(Permissions(L"C:\\f.ini"), perms::owner_read | perms::owner_write | perms::group_read | perms::group_write);
  ASSERT_EQ(Change(L"C:\\f.ini",
                   {Request(everyone, GRANT_ACCESS, GENERIC_READ), Request(everyone, DENY_ACCESS, GENERIC_WRITE)}),
            ERROR_SUCCESS);
  EXPECT_EQ(Permissions(L"C:\\f.ini"), perms::owner_read | perms::owner_write | perms::group_read | perms::others_read);
  ASSERT_EQ(Change(L"C:\\f.ini", {Request(everyone, REVOKE_ACCESS, 0), Request(users, REVOKE_ACCESS, 0)}),
            ERROR_SUCCESS);
  EXPECT_EQ(Permissions(L"C:\\f.ini"), perms::owner_read | perms::owner_write);

  // The read-only attribute is the owner's and stays out of it.
  ASSERT_TRUE(SetFileAttributesW(L"C:\\f.ini", FILE_ATTRIBUTE_READONLY));
  ASSERT_EQ(Change(L"C:\\f.ini", {Request(everyone, GRANT_ACCESS, GENERIC_WRITE)}), ERROR_SUCCESS);
  EXPECT_EQ(GetFileAttributesW(L"C:\\f.ini"), FILE_ATTRIBUTE_READONLY);
}

TEST_F(SecurityCallsTest, TheListFollowsTheFileAndLinksAreRefused) {
  WriteBytes(L"C:\\f.ini", "x");
  Sid everyone(WinWorldSid);
  ASSERT_EQ(Change(L"C:\\f.ini", {Request(everyone, GRANT_ACCESS, GENERIC_ALL, 3)}), ERROR_SUCCESS);
  ASSERT_TRUE(MoveFileW(L"C:\\f.ini", L"C:\\g.ini"));
  EXPECT_EQ(AccessEntries(L"C:\\g.ini").back(), (AccessEntry{L"S-1-1-0", GRANT_ACCESS, GENERIC_ALL, 3}));

  fs::create_symlink(Host(L"C:\\g.ini"), Host(L"C:\\link.ini"));
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  EXPECT_EQ(GetNamedSecurityInfoW(L"C:\\link.ini", SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                                  nullptr, &descriptor),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(GetNamedSecurityInfoW(L"C:\\none.ini", SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                                  nullptr, &descriptor),
            ERROR_FILE_NOT_FOUND);
}

}  // namespace
