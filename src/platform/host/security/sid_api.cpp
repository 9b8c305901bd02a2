// CreateWellKnownSid and ConvertSidToStringSidW.
#include <cstring>

#include "kernel/machine.h"
#include "security/well_known_sids.h"

using standin::Fail;

namespace standin {

namespace {
constexpr std::uint64_t kWorldAuthority = 1;
constexpr std::uint64_t kNtAuthority = 5;
constexpr DWORD kAuthenticatedUsers = 11;
constexpr DWORD kBuiltinDomain = 32;
constexpr DWORD kAdministrators = 544;
constexpr DWORD kUsers = 545;
}  // namespace

std::optional<SidBytes> WellKnownSid(WELL_KNOWN_SID_TYPE type) {
  switch (type) {
    case WinWorldSid:
      return MakeSid(kWorldAuthority, {0});
    case WinAuthenticatedUserSid:
      return MakeSid(kNtAuthority, {kAuthenticatedUsers});
    case WinBuiltinAdministratorsSid:
      return MakeSid(kNtAuthority, {kBuiltinDomain, kAdministrators});
    case WinBuiltinUsersSid:
      return MakeSid(kNtAuthority, {kBuiltinDomain, kUsers});
  }
  return std::nullopt;
}

bool IsLocalUsersGroup(const SidBytes& sid) { return sid == WellKnownSid(WinBuiltinUsersSid); }

bool IsEveryUser(const SidBytes& sid) {
  return sid == WellKnownSid(WinWorldSid) || sid == WellKnownSid(WinAuthenticatedUserSid);
}

}  // namespace standin

extern "C" BOOL CreateWellKnownSid(WELL_KNOWN_SID_TYPE WellKnownSidType, PSID DomainSid, PSID pSid, DWORD* cbSid) {
  standin::InjectedFault("CreateWellKnownSid");
  if (cbSid == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  // None of the groups known here belongs to a domain.
  std::optional<standin::SidBytes> sid = DomainSid == nullptr ? standin::WellKnownSid(WellKnownSidType) : std::nullopt;
  if (!sid) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  auto needed = static_cast<DWORD>(sid->size());
  if (pSid == nullptr || *cbSid < needed) {
    *cbSid = needed;
    return Fail(ERROR_INSUFFICIENT_BUFFER, FALSE);
  }
  std::memcpy(pSid, sid->data(), sid->size());
  *cbSid = needed;
  return TRUE;
}

extern "C" BOOL ConvertSidToStringSidW(PSID Sid, LPWSTR* StringSid) {
  standin::InjectedFault("ConvertSidToStringSidW");
  if (StringSid == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  std::optional<standin::SidBytes> sid = standin::ReadSid(Sid);
  if (!sid) return Fail(standin::kErrorInvalidSid, FALSE);
  std::wstring text = standin::SidText(*sid);
  auto* block = static_cast<LPWSTR>(LocalAlloc(LMEM_FIXED, (text.size() + 1) * sizeof(wchar_t)));
  if (block == nullptr) return Fail(ERROR_NOT_ENOUGH_MEMORY, FALSE);
  text.copy(block, text.size());
  block[text.size()] = L'\0';
  *StringSid = block;
  return TRUE;
}
