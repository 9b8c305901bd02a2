// The installer's rule for handing a text to a caller's buffer, shared by every call that
// returns a string.
#pragma once

#include <algorithm>
#include <string_view>

#include "platform/win32.h"

namespace standin {

// A null buffer asks for the length only. A buffer too small for the text and its terminating
// null gets the first size-1 characters and a null, and the call answers ERROR_MORE_DATA; a
// buffer of size 0 is not written. The in/out length always comes back as the full length.
inline UINT CopyToCallerBuffer(std::wstring_view text, LPWSTR buffer, DWORD* length) {
  if (length == nullptr) return buffer == nullptr ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
  DWORD size = *length;
  *length = static_cast<DWORD>(text.size());
  if (buffer == nullptr) return ERROR_SUCCESS;
  if (text.size() < size) {
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = L'\0';
    return ERROR_SUCCESS;
  }
  if (size > 0) {
    std::copy_n(text.begin(), size - 1, buffer);
    buffer[size - 1] = L'\0';
  }
  return ERROR_MORE_DATA;
}

}  // namespace standin
