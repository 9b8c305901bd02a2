#include "security/acl_layout.h"

#include <algorithm>
#include <cstring>

namespace standin {

namespace {

constexpr BYTE kSidRevision = 1;
constexpr std::size_t kMaxSubAuthorities = 15;
constexpr BYTE kAclRevision = 2;
constexpr std::size_t kAclHeaderSize = 8;
constexpr std::size_t kAceHeaderSize = 8;  // type, flags, size, mask

template <typename T>
T Load(const BYTE* at) {
  T value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

template <typename T>
void Store(BYTE* at, T value) {
  std::memcpy(at, &value, sizeof value);
}

std::size_t SidLength(std::size_t subAuthorities) { return 8 + 4 * subAuthorities; }

}  // namespace

SidBytes MakeSid(std::uint64_t authority, std::initializer_list<DWORD> subAuthorities) {
  SidBytes sid(SidLength(subAuthorities.size()));
  sid[0] = kSidRevision;
  sid[1] = static_cast<BYTE>(subAuthorities.size());
  for (int i = 0; i < 6; ++i) sid[2 + i] = static_cast<BYTE>(authority >> (8 * (5 - i)));
  std::size_t offset = 8;
  for (DWORD part : subAuthorities) {
    Store(sid.data() + offset, part);
    offset += 4;
  }
  return sid;
}

std::optional<SidBytes> ReadSid(const void* sid) {
  if (sid == nullptr) return std::nullopt;
  const auto* bytes = static_cast<const BYTE*>(sid);
  if (bytes[0] != kSidRevision || bytes[1] > kMaxSubAuthorities) return std::nullopt;
  return SidBytes(bytes, bytes + SidLength(bytes[1]));
}

std::wstring SidText(const SidBytes& sid) {
  std::uint64_t authority = 0;
  for (int i = 0; i < 6; ++i) authority = (authority << 8) | sid[2 + i];
  std::wstring text = L"S-1-";
  if (authority >> 32 != 0) {
    wchar_t hex[16];
    int length = 0;
    for (std::uint64_t rest = authority; rest != 0; rest >>= 4) hex[length++] = L"0123456789ABCDEF"[rest & 0xF];
    text += L"0x";
    while (length > 0) text += hex[--length];
  } else {
    text += std::to_wstring(authority);
  }
  for (std::size_t i = 0; i < sid[1]; ++i) text += L"-" + std::to_wstring(Load<DWORD>(sid.data() + 8 + 4 * i));
  return text;
}

void Canonicalize(std::vector<Ace>& entries) {
  auto rank = [](const Ace& entry) {
    return ((entry.flags & kInheritedAce) != 0 ? 2 : 0) + (entry.type == kAccessDeniedAce ? 0 : 1);
  };
  std::stable_sort(entries.begin(), entries.end(), [&](const Ace& a, const Ace& b) { return rank(a) < rank(b); });
}

std::optional<std::vector<Ace>> ReadAcl(const void* acl, std::size_t available) {
  if (acl == nullptr || available < kAclHeaderSize) return std::nullopt;
  const auto* bytes = static_cast<const BYTE*>(acl);
  std::size_t size = Load<WORD>(bytes + 2);
  std::size_t count = Load<WORD>(bytes + 4);
  if (bytes[0] != kAclRevision || size < kAclHeaderSize || size > available) return std::nullopt;

  std::vector<Ace> entries;
  std::size_t offset = kAclHeaderSize;
  for (std::size_t i = 0; i < count; ++i) {
    if (size - offset < kAceHeaderSize + SidLength(0)) return std::nullopt;
    const BYTE* at = bytes + offset;
    std::size_t aceSize = Load<WORD>(at + 2);
    std::size_t sidSize = SidLength(at[kAceHeaderSize + 1]);
    bool fits = aceSize <= size - offset && kAceHeaderSize + sidSize <= aceSize;
    if (!fits || (at[0] != kAccessAllowedAce && at[0] != kAccessDeniedAce)) return std::nullopt;
    std::optional<SidBytes> sid = ReadSid(at + kAceHeaderSize);
    if (!sid) return std::nullopt;
    entries.push_back({at[0], at[1], Load<ACCESS_MASK>(at + 4), std::move(*sid)});
    offset += aceSize;
  }
  return entries;
}

std::vector<BYTE> AclBytes(const std::vector<Ace>& entries) {
  std::vector<BYTE> bytes(kAclHeaderSize);
  for (const Ace& entry : entries) {
    std::size_t at = bytes.size();
    bytes.resize(at + kAceHeaderSize);
    bytes[at] = entry.type;
    bytes[at + 1] = entry.flags;
    Store(bytes.data() + at + 2, static_cast<WORD>(kAceHeaderSize + entry.sid.size()));
    Store(bytes.data() + at + 4, entry.mask);
    bytes.insert(bytes.end(), entry.sid.begin(), entry.sid.end());
  }
  bytes[0] = kAclRevision;
  Store(bytes.data() + 2, static_cast<WORD>(bytes.size()));
  Store(bytes.data() + 4, static_cast<WORD>(entries.size()));
  return bytes;
}

PACL NewLocalAcl(const std::vector<Ace>& entries) {
  std::vector<BYTE> bytes = AclBytes(entries);
  void* block = LocalAlloc(LMEM_FIXED, bytes.size());
  if (block != nullptr) std::memcpy(block, bytes.data(), bytes.size());
  return static_cast<PACL>(block);
}

}  // namespace standin
