// Reading a file's access list back through the security calls, in a form tests can compare.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace testing_support {

struct AccessEntry {
  std::wstring sid;
  ACCESS_MODE mode;
  DWORD mask;
  DWORD inheritance;
  bool operator==(const AccessEntry&) const = default;
};

inline void PrintTo(const AccessEntry& e, std::ostream* out) {
  *out << "{" << std::string(e.sid.begin(), e.sid.end()) << ", mode " << e.mode << ", mask 0x" << std::hex << e.mask
       << ", inheritance 0x" << e.inheritance << std::dec << "}";
}

inline std::wstring SidString(PSID sid) {
  LPWSTR text = nullptr;
  if (!ConvertSidToStringSidW(sid, &text)) return L"<invalid>";
  std::wstring result = text;
  LocalFree(text);
  return result;
}

inline std::vector<AccessEntry> EntriesOfAcl(PACL acl) {
  ULONG count = 0;
  PEXPLICIT_ACCESS_W list = nullptr;
  EXPECT_EQ(GetExplicitEntriesFromAclW(acl, &count, &list), ERROR_SUCCESS);
  std::vector<AccessEntry> entries;
  for (ULONG i = 0; i < count; ++i) {
    entries.push_back({SidString(list[i].Trustee.ptstrName), list[i].grfAccessMode, list[i].grfAccessPermissions,
                       list[i].grfInheritance});
  }
  LocalFree(list);
  return entries;
}

// The DACL of a file or folder as GetNamedSecurityInfoW gives it.
inline std::vector<AccessEntry> AccessEntries(const std::wstring& path) {
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  DWORD result = GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                                       nullptr, &descriptor);
  EXPECT_EQ(result, ERROR_SUCCESS);
  if (result != ERROR_SUCCESS) return {};
  std::vector<AccessEntry> entries = EntriesOfAcl(dacl);
  LocalFree(descriptor);
  return entries;
}

}  // namespace testing_support
