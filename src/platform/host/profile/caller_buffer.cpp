#include "profile/caller_buffer.h"

#include <algorithm>

namespace standin::profile {

void CopyTruncated(LPWSTR buffer, std::wstring_view text, DWORD size) {
  if (size == 0) return;
  std::size_t count = std::min<std::size_t>(size - 1, text.size());
  std::copy_n(text.begin(), count, buffer);
  buffer[count] = L'\0';
}

void CopyEntry(LPWSTR buffer, std::wstring_view value, DWORD size, bool stripQuotes) {
  bool quoted = stripQuotes && value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
                value.back() == value.front();
  if (quoted) value.remove_prefix(1);
  CopyTruncated(buffer, value, size);
  // The closing quote is cut off only when it made it into the buffer.
  if (quoted && size >= value.size()) {
    DWORD length = TextLength(buffer);
    if (length > 0) buffer[length - 1] = L'\0';
  }
}

DWORD TextLength(LPCWSTR buffer) {
  DWORD length = 0;
  while (buffer[length] != L'\0') ++length;
  return length;
}

}  // namespace standin::profile
