// One profile call's view of its file: located, opened, parsed, and written back when changed.
// Nothing is cached between calls, so every call sees what is on disk.
#pragma once

#include <filesystem>

#include "platform/win32.h"
#include "profile/ini_document.h"
#include "profile/text_encoding.h"

namespace standin::profile {

enum class ProfileAccess { Read, Write };

struct ProfileFile {
  std::filesystem::path hostPath;
  bool existed = false;
  TextEncoding encoding = TextEncoding::Ansi;
  IniDocument document;
};

// Opens the file as kernel32 does: a bare file name lives in the Windows folder, a null name is
// win.ini there. A missing file in an existing folder opens as an empty profile (last error 2).
// False, with the last error set, when the folder is missing (3), the name is a folder or a link
// (5), another open holds the file without sharing (32), or a write is asked of a read-only file
// (5).
bool OpenProfile(LPCWSTR fileName, ProfileAccess access, ProfileFile& profile);

// Rewrites the whole file from the document, keeping its encoding (a new or empty file is ANSI).
// False, with the last error set, when the file could not be replaced; it is then unchanged.
bool SaveProfile(const ProfileFile& profile);

}  // namespace standin::profile
