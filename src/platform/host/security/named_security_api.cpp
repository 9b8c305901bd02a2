// GetNamedSecurityInfoW and SetNamedSecurityInfoW for files and folders. Only the DACL is
// offered: owners, groups and audit lists are not modelled.
#include <cstring>

#include "files/path_map.h"
#include "kernel/machine.h"
#include "security/dacl_store.h"

namespace {

constexpr SECURITY_INFORMATION kProtectedDacl = 0x80000000u;
constexpr SECURITY_INFORMATION kUnprotectedDacl = 0x20000000u;
constexpr WORD kSelfRelativeWithDacl = 0x8004;  // SE_SELF_RELATIVE | SE_DACL_PRESENT
constexpr std::size_t kDescriptorHeaderSize = 20;

// A self-relative security descriptor in one LocalAlloc block, the DACL right behind its header.
BYTE* NewLocalDescriptor(const std::vector<standin::Ace>& entries) {
  std::vector<BYTE> acl = standin::AclBytes(entries);
  auto* block = static_cast<BYTE*>(LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, kDescriptorHeaderSize + acl.size()));
  if (block == nullptr) return nullptr;
  block[0] = 1;
  std::memcpy(block + 2, &kSelfRelativeWithDacl, sizeof kSelfRelativeWithDacl);
  auto daclOffset = static_cast<DWORD>(kDescriptorHeaderSize);
  std::memcpy(block + 16, &daclOffset, sizeof daclOffset);
  std::memcpy(block + kDescriptorHeaderSize, acl.data(), acl.size());
  return block;
}

}  // namespace

extern "C" DWORD GetNamedSecurityInfoW(LPCWSTR pObjectName, SE_OBJECT_TYPE ObjectType,
                                       SECURITY_INFORMATION SecurityInfo, PSID* ppsidOwner, PSID* ppsidGroup,
                                       PACL* ppDacl, PACL* ppSacl, PSECURITY_DESCRIPTOR* ppSecurityDescriptor) {
  standin::InjectedFault("GetNamedSecurityInfoW");
  if (pObjectName == nullptr || ObjectType != SE_FILE_OBJECT || ppSecurityDescriptor == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  if (SecurityInfo != DACL_SECURITY_INFORMATION) return ERROR_NOT_SUPPORTED;
  if (*pObjectName == L'\0') return ERROR_PATH_NOT_FOUND;
  std::vector<standin::Ace> entries;
  if (DWORD error = standin::LoadDacl(standin::MapToHost(pObjectName), entries); error != ERROR_SUCCESS) return error;
  BYTE* descriptor = NewLocalDescriptor(entries);
  if (descriptor == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
  if (ppsidOwner != nullptr) *ppsidOwner = nullptr;
  if (ppsidGroup != nullptr) *ppsidGroup = nullptr;
  if (ppSacl != nullptr) *ppSacl = nullptr;
  if (ppDacl != nullptr) *ppDacl = reinterpret_cast<PACL>(descriptor + kDescriptorHeaderSize);
  *ppSecurityDescriptor = descriptor;
  return ERROR_SUCCESS;
}

extern "C" DWORD SetNamedSecurityInfoW(LPWSTR pObjectName, SE_OBJECT_TYPE ObjectType, SECURITY_INFORMATION SecurityInfo,
                                       PSID /*psidOwner*/, PSID /*psidGroup*/, PACL pDacl, PACL /*pSacl*/) {
  standin::InjectedFault("SetNamedSecurityInfoW");
  if (pObjectName == nullptr || ObjectType != SE_FILE_OBJECT) return ERROR_INVALID_PARAMETER;
  if ((SecurityInfo & ~(kProtectedDacl | kUnprotectedDacl)) != DACL_SECURITY_INFORMATION) return ERROR_NOT_SUPPORTED;
  // A null DACL (full access for everyone) is not offered.
  if (pDacl == nullptr) return ERROR_INVALID_PARAMETER;
  std::optional<std::vector<standin::Ace>> entries = standin::ReadAcl(pDacl);
  if (!entries) return standin::kErrorInvalidAcl;
  if (*pObjectName == L'\0') return ERROR_PATH_NOT_FOUND;
  return standin::StoreDacl(standin::MapToHost(pObjectName), *entries);
}
