#include "fsutil/grant_file_access.h"

#include <fmt/printf.h>

#include <cstdio>

namespace fsutil {

namespace {

// Everything obtained along the way, released on every way out.
struct GrantResources {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  PACL newDacl = nullptr;
  LPWSTR sidText = nullptr;
  PSID sid = nullptr;

  ~GrantResources() {
    if (descriptor != nullptr) LocalFree(descriptor);
    if (newDacl != nullptr) LocalFree(newDacl);
    if (sidText != nullptr) LocalFree(sidText);
    if (sid != nullptr) LocalFree(sid);
  }
};

}  // namespace

DWORD GrantFileAccess(const std::wstring& path, DWORD accessMask) {
  if (_waccess(path.c_str(), 0) != 0) return ERROR_PATH_NOT_FOUND;

  GrantResources held;
  PACL currentDacl = nullptr;
  DWORD result = GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                       &currentDacl, nullptr, &held.descriptor);
  if (result != ERROR_SUCCESS) {
    fmt::fprintf(stdout, "GetNamedSecurityInfo Error %u\n", result);
    return result;
  }

  held.sid = LocalAlloc(LMEM_FIXED, SECURITY_MAX_SID_SIZE);
  if (held.sid == nullptr) {
    fmt::fprintf(stderr, "Could not allocate memory.\n");
    return ERROR_SUCCESS;
  }
  DWORD sidSize = SECURITY_MAX_SID_SIZE;
  if (!CreateWellKnownSid(WinAuthenticatedUserSid, nullptr, held.sid, &sidSize)) {
    fmt::fprintf(stderr, "CreateWellKnownSid Error %u", GetLastError());
    return ERROR_SUCCESS;
  }
  if (!ConvertSidToStringSidW(held.sid, &held.sidText)) {
    fmt::fprintf(stderr, "Error during ConvertSidToStringSid.\n");
    return ERROR_SUCCESS;
  }

  EXPLICIT_ACCESS_W entry{};
  entry.grfAccessPermissions = accessMask;
  entry.grfAccessMode = GRANT_ACCESS;
  entry.grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
  entry.Trustee.pMultipleTrustee = nullptr;
  entry.Trustee.MultipleTrusteeOperation = NO_MULTIPLE_TRUSTEE;
  entry.Trustee.TrusteeForm = TRUSTEE_IS_SID;
  entry.Trustee.TrusteeType = TRUSTEE_IS_GROUP;
  entry.Trustee.ptstrName = static_cast<LPWSTR>(held.sid);

  result = SetEntriesInAclW(1, &entry, currentDacl, &held.newDacl);
  if (result != ERROR_SUCCESS) {
    fmt::fprintf(stdout, "SetEntriesInAcl Error %u\n", result);
    return result;
  }
  // The call takes a writable name although it does not change it.
  std::wstring name = path;
  result = SetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, held.newDacl,
                                 nullptr);
  if (result != ERROR_SUCCESS) {
    fmt::fprintf(stdout, "SetNamedSecurityInfo Error %u\n", result);
    return result;
  }
  return ERROR_SUCCESS;
}

}  // namespace fsutil
