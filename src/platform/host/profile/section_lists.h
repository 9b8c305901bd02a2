// The list results of the profile reads: a section's entries or key names, and the section
// names, each NUL-terminated with one more NUL at the end. A list that does not fit is cut and
// still ends with two NULs inside the buffer; the count is then size-2.
#pragma once

#include "platform/win32.h"
#include "profile/ini_document.h"

namespace standin::profile {

// The first section of that name: entries as "name=value" (withValues) or the names of the keys
// that have a value. Comment lines are left out. An empty list for a missing section.
DWORD ListSection(const IniDocument& document, std::wstring_view section, LPWSTR buffer, DWORD size, bool withValues);

// Every named section, in file order, repeats included.
DWORD ListSectionNames(const IniDocument& document, LPWSTR buffer, DWORD size);

}  // namespace standin::profile
