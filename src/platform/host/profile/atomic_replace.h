// Replacing a file's bytes so that a reader, or a process that dies in the middle, leaves either
// the old file or the new one, never a mix or a truncated file. The bytes are not flushed to the
// disk: like the profile functions of Windows, a write survives the death of the process, not a
// power cut, and a description of a few hundred keys costs no noticeable time.
#pragma once

#include <filesystem>
#include <string_view>

#include "platform/win32.h"

namespace standin::profile {

// Writes the bytes to a new file in the target's folder, gives it the target's permission bits,
// owner and extended attributes (a new target gets rw-r--r--) and renames it over the target. The rename replaces whatever entry has the name; a link is never followed.
// Returns ERROR_SUCCESS or the Win32 error; on failure the target is as it was and the temporary
// file is gone.
DWORD ReplaceFileContent(const std::filesystem::path& target, std::string_view bytes);

}  // namespace standin::profile
