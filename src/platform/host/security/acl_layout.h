// Security identifiers and access lists in their Windows binary layout, as the security calls
// hand them to callers and as the stand-in stores them with a file.
//
//   SID:  revision (1), sub-authority count, 6-byte big-endian authority, 32-bit sub-authorities.
//   ACL:  revision (2), 0, 16-bit total size, 16-bit entry count, 0; then the entries.
//   ACE:  type (0 allowed, 1 denied), flags, 16-bit size, 32-bit access mask, the trustee's SID.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32.h"

struct ACL {
  BYTE AclRevision;
  BYTE Sbz1;
  WORD AclSize;
  WORD AceCount;
  WORD Sbz2;
};

namespace standin {

constexpr DWORD kErrorNoneMapped = 1332;
constexpr DWORD kErrorInvalidAcl = 1336;
constexpr DWORD kErrorInvalidSid = 1337;

constexpr BYTE kAccessAllowedAce = 0;
constexpr BYTE kAccessDeniedAce = 1;
constexpr BYTE kNoPropagateInheritAce = 0x4;
constexpr BYTE kInheritOnlyAce = 0x8;
constexpr BYTE kInheritedAce = 0x10;
constexpr BYTE kInheritanceFlags =
    OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE | kNoPropagateInheritAce | kInheritOnlyAce;

using SidBytes = std::vector<BYTE>;

struct Ace {
  BYTE type = kAccessAllowedAce;
  BYTE flags = 0;
  ACCESS_MASK mask = 0;
  SidBytes sid;
  bool operator==(const Ace&) const = default;
};

// A SID of revision 1 with the given authority and sub-authorities.
SidBytes MakeSid(std::uint64_t authority, std::initializer_list<DWORD> subAuthorities);
// The bytes of a SID in caller memory, or nothing when it is not a valid SID.
std::optional<SidBytes> ReadSid(const void* sid);
// "S-1-5-11" and the like.
std::wstring SidText(const SidBytes& sid);

// Windows' canonical order: explicit denials, explicit grants, then the inherited ones likewise.
void Canonicalize(std::vector<Ace>& entries);

// The entries of an access list of the given size in bytes (the size its header states when
// unknown); nothing when the list is malformed.
std::optional<std::vector<Ace>> ReadAcl(const void* acl, std::size_t available = SIZE_MAX);
std::vector<BYTE> AclBytes(const std::vector<Ace>& entries);
// The access list in a block from LocalAlloc, for callers to free with LocalFree.
PACL NewLocalAcl(const std::vector<Ace>& entries);

}  // namespace standin
