// Where the stand-in keeps a file's access list and how the list acts on the host.
//
// The list is stored, in its binary layout, in the extended attribute "user.standin.dacl" of the
// host file or folder, so it follows the entry through renames. A file or folder without one has
// the list its permission bits describe: Administrators with full access, BUILTIN\Users with what
// the group bits allow, Authenticated Users with what the other bits allow.
//
// Storing a list gives it its effect: the group and other permission bits become what the list
// grants (and does not deny) Everyone and Authenticated Users, and for the group bits also
// BUILTIN\Users. Read on a folder includes entering it. The owner's bits, and so the read-only
// attribute, are left alone. A folder passes its inheritable entries on to everything below it.
#pragma once

#include <filesystem>
#include <vector>

#include "security/acl_layout.h"

namespace standin {

// Links are refused rather than followed, so that a planted link cannot widen access elsewhere.
DWORD LoadDacl(const std::filesystem::path& host, std::vector<Ace>& entries);
DWORD StoreDacl(const std::filesystem::path& host, const std::vector<Ace>& entries);

}  // namespace standin
