// SetEntriesInAclW and GetExplicitEntriesFromAclW: merging entries into an access list and
// reading them back.
#include <algorithm>
#include <cstring>

#include "kernel/machine.h"
#include "security/acl_layout.h"

namespace standin {

namespace {

constexpr DWORD kErrorAllottedSpaceExceeded = 1344;
constexpr std::size_t kLargestAcl = 0xFFFF;

bool IsTrustees(const Ace& entry, const SidBytes& sid) {
  return (entry.flags & kInheritedAce) == 0 && entry.sid == sid;
}

// A right granted (or denied) again for the same trustee and inheritance joins the entry already
// there; otherwise the entry is added. Every other entry stays.
void Merge(std::vector<Ace>& entries, const Ace& added) {
  for (Ace& entry : entries) {
    if (IsTrustees(entry, added.sid) && entry.type == added.type && entry.flags == added.flags) {
      entry.mask |= added.mask;
      return;
    }
  }
  entries.push_back(added);
}

void RemoveTrustee(std::vector<Ace>& entries, const SidBytes& sid) {
  std::erase_if(entries, [&](const Ace& entry) { return IsTrustees(entry, sid); });
}

DWORD Apply(std::vector<Ace>& entries, const EXPLICIT_ACCESS_W& request) {
  const TRUSTEE_W& trustee = request.Trustee;
  if (trustee.pMultipleTrustee != nullptr || trustee.MultipleTrusteeOperation != NO_MULTIPLE_TRUSTEE) {
    return ERROR_INVALID_PARAMETER;
  }
  // Names would need an account database; the stand-in knows its groups by SID only.
  if (trustee.TrusteeForm == TRUSTEE_IS_NAME) return kErrorNoneMapped;
  if (trustee.TrusteeForm != TRUSTEE_IS_SID) return ERROR_INVALID_PARAMETER;
  std::optional<SidBytes> sid = ReadSid(trustee.ptstrName);
  if (!sid) return kErrorInvalidSid;
  Ace entry{kAccessAllowedAce, static_cast<BYTE>(request.grfInheritance & kInheritanceFlags),
            request.grfAccessPermissions, *sid};
  switch (request.grfAccessMode) {
    case NOT_USED_ACCESS:
      return ERROR_SUCCESS;
    case GRANT_ACCESS:
      Merge(entries, entry);
      return ERROR_SUCCESS;
    case SET_ACCESS:
      RemoveTrustee(entries, *sid);
      entries.push_back(entry);
      return ERROR_SUCCESS;
    case DENY_ACCESS:
      entry.type = kAccessDeniedAce;
      Merge(entries, entry);
      return ERROR_SUCCESS;
    case REVOKE_ACCESS:
      RemoveTrustee(entries, *sid);
      return ERROR_SUCCESS;
    default:  // audit entries belong in a SACL
      return ERROR_INVALID_PARAMETER;
  }
}

}  // namespace

}  // namespace standin

extern "C" DWORD SetEntriesInAclW(ULONG cCountOfExplicitEntries, PEXPLICIT_ACCESS_W pListOfExplicitEntries, PACL OldAcl,
                                  PACL* NewAcl) {
  standin::InjectedFault("SetEntriesInAclW");
  if (NewAcl == nullptr || (cCountOfExplicitEntries != 0 && pListOfExplicitEntries == nullptr)) {
    return ERROR_INVALID_PARAMETER;
  }
  std::vector<standin::Ace> entries;
  if (OldAcl != nullptr) {
    std::optional<std::vector<standin::Ace>> old = standin::ReadAcl(OldAcl);
    if (!old) return standin::kErrorInvalidAcl;
    entries = std::move(*old);
  }
  for (ULONG i = 0; i < cCountOfExplicitEntries; ++i) {
    if (DWORD error = standin::Apply(entries, pListOfExplicitEntries[i]); error != ERROR_SUCCESS) return error;
  }
  standin::Canonicalize(entries);
  if (standin::AclBytes(entries).size() > standin::kLargestAcl) return standin::kErrorAllottedSpaceExceeded;
  *NewAcl = standin::NewLocalAcl(entries);
  return *NewAcl == nullptr ? ERROR_NOT_ENOUGH_MEMORY : ERROR_SUCCESS;
}

extern "C" DWORD GetExplicitEntriesFromAclW(PACL pacl, PULONG pcCountOfExplicitEntries,
                                            PEXPLICIT_ACCESS_W* pListOfExplicitEntries) {
  standin::InjectedFault("GetExplicitEntriesFromAclW");
  if (pcCountOfExplicitEntries == nullptr || pListOfExplicitEntries == nullptr) return ERROR_INVALID_PARAMETER;
  *pcCountOfExplicitEntries = 0;
  *pListOfExplicitEntries = nullptr;
  if (pacl == nullptr) return ERROR_SUCCESS;
  std::optional<std::vector<standin::Ace>> entries = standin::ReadAcl(pacl);
  if (!entries) return standin::kErrorInvalidAcl;
  if (entries->empty()) return ERROR_SUCCESS;

  // One block holds the list and, behind it, the trustees' SIDs, so that one LocalFree frees all.
  std::size_t size = entries->size() * sizeof(EXPLICIT_ACCESS_W);
  for (const standin::Ace& entry : *entries) size += entry.sid.size();
  auto* list = static_cast<EXPLICIT_ACCESS_W*>(LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, size));
  if (list == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
  auto* sids = reinterpret_cast<BYTE*>(list + entries->size());
  for (std::size_t i = 0; i < entries->size(); ++i) {
    const standin::Ace& entry = (*entries)[i];
    std::memcpy(sids, entry.sid.data(), entry.sid.size());
    list[i].grfAccessPermissions = entry.mask;
    list[i].grfAccessMode = entry.type == standin::kAccessDeniedAce ? DENY_ACCESS : GRANT_ACCESS;
    list[i].grfInheritance = entry.flags;
    list[i].Trustee.MultipleTrusteeOperation = NO_MULTIPLE_TRUSTEE;
    list[i].Trustee.TrusteeForm = TRUSTEE_IS_SID;
    list[i].Trustee.TrusteeType = TRUSTEE_IS_UNKNOWN;
    list[i].Trustee.ptstrName = reinterpret_cast<LPWSTR>(sids);
    sids += entry.sid.size();
  }
  *pcCountOfExplicitEntries = static_cast<ULONG>(entries->size());
  *pListOfExplicitEntries = list;
  return ERROR_SUCCESS;
}
