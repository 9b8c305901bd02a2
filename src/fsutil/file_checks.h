// The three file system tests that the FilePath operations share.
#pragma once

#include <string>

#include "platform/win32.h"

namespace fsutil {

// True for files and folders alike, with or without a trailing backslash on a folder.
inline bool Exists(const std::wstring& path) { return _waccess(path.c_str(), 0) == 0; }

inline bool IsFolder(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Keeps every other attribute; nothing to do for a path that is not there.
inline void ClearReadOnly(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
}

}  // namespace fsutil
