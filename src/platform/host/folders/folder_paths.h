// What the folder and copy calls share: error codes that the boundary header does not carry, the
// test for a volume root, and the translation of host errors.
#pragma once

#include <string_view>

#include "platform/win32.h"

namespace standin {

constexpr DWORD kErrorNotSameDevice = 17;
constexpr DWORD kErrorBufferOverflow = 111;
constexpr DWORD kErrorDirectory = 267;

// Whether a full Windows path (as FullWindowsPath gives it) names a drive or share root, which no
// call may create, remove or rename.
bool IsVolumeRoot(std::wstring_view fullPath);

// The Win32 error for the errno of a failed host call on a path (file or folder).
DWORD ErrorFromErrno(int error);

}  // namespace standin
