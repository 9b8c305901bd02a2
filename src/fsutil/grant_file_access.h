// Widens access to a file or folder for every signed-in user of the machine.
#pragma once

#include <string>

#include "platform/win32.h"

namespace fsutil {

// Adds an access-allowed entry for Authenticated Users with the given rights (inherited by the
// contents of a folder) to the path's access list, keeping every entry already there. Returns a
// Win32 error code, 0 on success; diagnostics go to standard output or standard error.
DWORD GrantFileAccess(const std::wstring& path, DWORD accessMask);

}  // namespace fsutil
