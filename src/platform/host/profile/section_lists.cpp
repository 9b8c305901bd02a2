#include "profile/section_lists.h"

#include <algorithm>

#include "profile/caller_buffer.h"

namespace standin::profile {

namespace {

// Appends one string and its NUL within the room left; answers what it took.
DWORD Append(LPWSTR out, std::wstring_view text, DWORD room) {
  CopyTruncated(out, text, room);
  return TextLength(out) + 1;
}

}  // namespace

DWORD ListSection(const IniDocument& document, std::wstring_view sectionName, LPWSTR buffer, DWORD size,
                  bool withValues) {
  if (buffer == nullptr || size == 0) return 0;
  const IniSection* section = document.FirstSection(sectionName, Naming::AsGiven);
  if (section == nullptr || size == 1) {
    buffer[0] = L'\0';
    if (size > 1) buffer[1] = L'\0';
    return 0;
  }
  DWORD left = size;
  LPWSTR out = buffer;
  for (const IniKey& key : section->keys) {
    if (left <= 2) break;
    if (key.name.empty() && !key.value) continue;
    if (!key.name.empty() && key.name.front() == L';') continue;
    if (!withValues && !key.value) continue;
    DWORD used = Append(out, key.name, left - 1);
    left -= used;
    out += used;
    if (left < 2) break;
    if (withValues && key.value) {
      out[-1] = L'=';
      used = Append(out, *key.value, left - 1);
      left -= used;
      out += used;
    }
  }
  *out = L'\0';
  if (left <= 1) {
    out[-1] = L'\0';
    return size - 2;
  }
  return size - left;
}

DWORD ListSectionNames(const IniDocument& document, LPWSTR buffer, DWORD size) {
  if (buffer == nullptr || size == 0) return 0;
  if (size == 1) {
    buffer[0] = L'\0';
    return 0;
  }
  DWORD room = size - 1;
  LPWSTR out = buffer;
  for (const IniSection& section : document.sections) {
    if (section.name.empty()) continue;
    DWORD needed = static_cast<DWORD>(section.name.size()) + 1;
    if (needed >= room) {
      std::copy_n(section.name.begin(), room - 1, out);
      out += room - 1;
      *out++ = L'\0';
      *out = L'\0';
      return size - 2;
    }
    std::copy(section.name.begin(), section.name.end(), out);
    out[section.name.size()] = L'\0';
    out += needed;
    room -= needed;
  }
  *out = L'\0';
  return static_cast<DWORD>(out - buffer);
}

}  // namespace standin::profile
