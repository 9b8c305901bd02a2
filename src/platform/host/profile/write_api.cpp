// The kernel32 profile writes. Each call reads the file, applies its change to the parsed
// document and rewrites the whole file only when something changed.
#include <functional>
#include <string>

#include "kernel/machine.h"
#include "profile/profile_file.h"

using standin::Fail;
using namespace standin::profile;

namespace {

// Opens the file for writing, applies the edit and saves when it changed the document.
BOOL Edit(LPCWSTR fileName, const std::function<bool(IniDocument&)>& edit) {
  ProfileFile profile;
  if (!OpenProfile(fileName, ProfileAccess::Write, profile)) return FALSE;
  if (!edit(profile.document)) return TRUE;
  return SaveProfile(profile) ? TRUE : FALSE;
}

// The all-null form only flushes a cache, which this implementation does not keep; it answers
// FALSE as kernel32 does, with the last error of opening the file.
BOOL Flush(LPCWSTR fileName) {
  ProfileFile profile;
  if (fileName != nullptr) OpenProfile(fileName, ProfileAccess::Write, profile);
  return FALSE;
}

constexpr wchar_t kHexDigits[] = L"0123456789ABCDEF";

std::wstring HexWithChecksum(const BYTE* data, UINT size) {
  std::wstring text;
  text.reserve(2 * size + 2);
  unsigned sum = 0;
  auto put = [&text](unsigned byte) {
    text.push_back(kHexDigits[byte >> 4]);
    text.push_back(kHexDigits[byte & 0xF]);
  };
  for (UINT i = 0; i < size; ++i) {
    put(data[i]);
    sum += data[i];
  }
  put(sum & 0xFF);
  return text;
}

}  // namespace

extern "C" BOOL WritePrivateProfileStringW(LPCWSTR lpAppName, LPCWSTR lpKeyName, LPCWSTR lpString, LPCWSTR lpFileName) {
  standin::InjectedFault("WritePrivateProfileStringW");
  if (lpAppName == nullptr && lpKeyName == nullptr && lpString == nullptr) return Flush(lpFileName);
  if (lpAppName == nullptr) return Fail(ERROR_FILE_NOT_FOUND, FALSE);
  return Edit(lpFileName, [&](IniDocument& document) {
    if (lpKeyName == nullptr) return document.RemoveFirstSection(lpAppName);
    if (lpString == nullptr) return document.RemoveKey(lpAppName, lpKeyName);
    return document.SetValue(lpAppName, lpKeyName, lpString, false);
  });
}

// The entries are "key=value" strings one after another, each ended by a NUL, the list by one
// more. The section ends up holding exactly those entries (entries without '=' are dropped); it
// exists afterwards even when the list is empty. A null list removes the section.
extern "C" BOOL WritePrivateProfileSectionW(LPCWSTR lpAppName, LPCWSTR lpString, LPCWSTR lpFileName) {
  standin::InjectedFault("WritePrivateProfileSectionW");
  if (lpAppName == nullptr && lpString == nullptr) return Flush(lpFileName);
  if (lpAppName == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  return Edit(lpFileName, [&](IniDocument& document) {
    if (lpString == nullptr) return document.RemoveFirstSection(lpAppName);
    bool changed = document.ClearSections(lpAppName);
    bool added = false;
    for (LPCWSTR entry = lpString; *entry != L'\0'; entry += std::wstring_view(entry).size() + 1) {
      std::wstring_view text(entry);
      std::size_t equals = text.find(L'=');
      if (equals == std::wstring_view::npos) continue;
      changed |= document.SetValue(lpAppName, text.substr(0, equals), text.substr(equals + 1), true);
      added = true;
    }
    // Entries create a missing section themselves; an empty list must too.
    if (!added) changed |= document.EnsureSection(lpAppName);
    return changed;
  });
}

extern "C" BOOL WritePrivateProfileStructW(LPCWSTR lpszSection, LPCWSTR lpszKey, LPVOID lpStruct, UINT uSizeStruct,
                                           LPCWSTR szFile) {
  standin::InjectedFault("WritePrivateProfileStructW");
  if (lpszSection == nullptr && lpszKey == nullptr && lpStruct == nullptr) return Flush(szFile);
  if (lpszSection == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  return Edit(szFile, [&](IniDocument& document) {
    if (lpszKey == nullptr) return document.RemoveFirstSection(lpszSection);
    if (lpStruct == nullptr) return document.RemoveKey(lpszSection, lpszKey);
    return document.SetValue(lpszSection, lpszKey, HexWithChecksum(static_cast<const BYTE*>(lpStruct), uSizeStruct),
                             false);
  });
}
