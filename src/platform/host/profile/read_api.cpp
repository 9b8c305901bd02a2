// The kernel32 profile reads.
#include <cstdint>
#include <string>
#include <vector>

#include "kernel/machine.h"
#include "profile/caller_buffer.h"
#include "profile/profile_file.h"
#include "profile/section_lists.h"

using standin::Fail;
using namespace standin::profile;

namespace {

// The default of a key read loses its trailing blanks (only blanks; a lone blank stays); that of a
// key list is taken as passed.
std::wstring TrimDefault(LPCWSTR value) {
  std::wstring text = value;
  std::size_t end = text.size();
  while (end > 1 && text[end - 1] == L' ') --end;
  return text.substr(0, end);
}

DWORD ReadString(const IniDocument& document, LPCWSTR section, LPCWSTR key, const std::wstring& fallback, LPWSTR buffer,
                 DWORD size) {
  if (section == nullptr) return ListSectionNames(document, buffer, size);
  if (buffer == nullptr || size == 0) return 0;
  if (key != nullptr) {
    const IniKey* found = document.FindKey(section, key);
    CopyEntry(buffer, found != nullptr && found->value ? *found->value : fallback, size, true);
    return TextLength(buffer);
  }
  DWORD count = ListSection(document, section, buffer, size, false);
  if (buffer[0] != L'\0') return count;
  CopyEntry(buffer, fallback, size, true);
  return TextLength(buffer);
}

// Text to a number as the native integer conversion reads it: leading blanks and controls
// skipped, a sign, a 0x / 0o / 0b prefix, then digits up to the first that does not belong; the
// value wraps around in 32 bits.
UINT ParseProfileInteger(std::wstring_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] <= L' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  unsigned base = 10;
  if (i + 1 < text.size() && text[i] == L'0') {
    switch (text[i + 1]) {
      case L'x':
        base = 16;
        break;
      case L'o':
        base = 8;
        break;
      case L'b':
        base = 2;
        break;
      default:
        break;
    }
    if (base != 10) i += 2;
  }
  std::uint32_t total = 0;
  for (; i < text.size(); ++i) {
    wchar_t c = text[i];
    unsigned digit = c >= L'0' && c <= L'9'   ? static_cast<unsigned>(c - L'0')
                     : c >= L'a' && c <= L'z' ? static_cast<unsigned>(c - L'a' + 10)
                     : c >= L'A' && c <= L'Z' ? static_cast<unsigned>(c - L'A' + 10)
                                              : 99u;
    if (digit >= base) break;
    total = total * base + digit;
  }
  return negative ? 0u - total : total;
}

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

}  // namespace

extern "C" DWORD GetPrivateProfileStringW(LPCWSTR lpAppName, LPCWSTR lpKeyName, LPCWSTR lpDefault,
                                          LPWSTR lpReturnedString, DWORD nSize, LPCWSTR lpFileName) {
  standin::InjectedFault("GetPrivateProfileStringW");
  std::wstring fallback = lpDefault == nullptr   ? std::wstring()
                          : lpKeyName == nullptr ? lpDefault
                                                 : TrimDefault(lpDefault);
  ProfileFile profile;
  if (!OpenProfile(lpFileName, ProfileAccess::Read, profile)) {
    // A file that cannot be opened gives the default as it is, quotes and all.
    if (lpReturnedString == nullptr || lpDefault == nullptr || nSize == 0) return 0;
    CopyTruncated(lpReturnedString, fallback, nSize);
    return TextLength(lpReturnedString);
  }
  return ReadString(profile.document, lpAppName, lpKeyName, fallback, lpReturnedString, nSize);
}

extern "C" DWORD GetPrivateProfileSectionW(LPCWSTR lpAppName, LPWSTR lpReturnedString, DWORD nSize,
                                           LPCWSTR lpFileName) {
  standin::InjectedFault("GetPrivateProfileSectionW");
  if (lpAppName == nullptr || lpReturnedString == nullptr) return Fail(ERROR_INVALID_PARAMETER, 0u);
  ProfileFile profile;
  if (!OpenProfile(lpFileName, ProfileAccess::Read, profile)) return 0;
  return ListSection(profile.document, lpAppName, lpReturnedString, nSize, true);
}

extern "C" DWORD GetPrivateProfileSectionNamesW(LPWSTR lpszReturnBuffer, DWORD nSize, LPCWSTR lpFileName) {
  standin::InjectedFault("GetPrivateProfileSectionNamesW");
  ProfileFile profile;
  if (!OpenProfile(lpFileName, ProfileAccess::Read, profile)) return 0;
  return ListSectionNames(profile.document, lpszReturnBuffer, nSize);
}

extern "C" UINT GetPrivateProfileIntW(LPCWSTR lpAppName, LPCWSTR lpKeyName, INT nDefault, LPCWSTR lpFileName) {
  wchar_t buffer[30];
  if (GetPrivateProfileStringW(lpAppName, lpKeyName, L"", buffer, 30, lpFileName) == 0) {
    return static_cast<UINT>(nDefault);
  }
  return ParseProfileInteger(buffer);
}

// A structure is stored as hex digits, two per byte, followed by a checksum byte (the sum of
// the bytes, modulo 256). It reads back only with the same size and a matching checksum.
extern "C" BOOL GetPrivateProfileStructW(LPCWSTR lpszSection, LPCWSTR lpszKey, LPVOID lpStruct, UINT uSizeStruct,
                                         LPCWSTR szFile) {
  standin::InjectedFault("GetPrivateProfileStructW");
  ProfileFile profile;
  if (lpszSection == nullptr || lpszKey == nullptr || !OpenProfile(szFile, ProfileAccess::Read, profile)) return FALSE;
  const IniKey* key = profile.document.FindKey(lpszSection, lpszKey);
  if (key == nullptr || !key->value) return FALSE;
  const std::wstring& digits = *key->value;
  if (digits.size() < 2 || (digits.size() - 2) / 2 != uSizeStruct) return FALSE;
  std::vector<int> nibbles;
  nibbles.reserve(digits.size());
  for (wchar_t c : digits) {
    nibbles.push_back(HexDigit(c));
    if (nibbles.back() < 0) return FALSE;
  }
  std::vector<BYTE> data(uSizeStruct);
  unsigned sum = 0;
  for (UINT i = 0; i < uSizeStruct; ++i) {
    data[i] = static_cast<BYTE>(nibbles[2 * i] << 4 | nibbles[2 * i + 1]);
    sum += data[i];
  }
  std::size_t checksumAt = digits.size() - 2;
  if ((nibbles[checksumAt] << 4 | nibbles[checksumAt + 1]) != static_cast<int>(sum & 0xFF)) return FALSE;
  std::copy(data.begin(), data.end(), static_cast<BYTE*>(lpStruct));
  return TRUE;
}
