// Filling a caller's character buffer cell by cell as kernel32 does, so that what lands in the
// buffer (NULs included) and the counts returned are the same.
#pragma once

#include <string_view>

#include "platform/win32.h"

namespace standin::profile {

// At most size-1 characters and a NUL; nothing for a size of 0.
void CopyTruncated(LPWSTR buffer, std::wstring_view text, DWORD size);

// A value as a read returns it: with stripQuotes, one pair of matching single or double quotes
// around it is dropped (when the whole value fits).
void CopyEntry(LPWSTR buffer, std::wstring_view value, DWORD size, bool stripQuotes);

// The characters before the first NUL of a filled buffer.
DWORD TextLength(LPCWSTR buffer);

}  // namespace standin::profile
