// Reads from INI files with the buffer sizes the installation has always used.
#pragma once

#include <string>

namespace inideploy {

// A key's value, or the default when it is missing (no default: empty); cut at 2079 characters.
std::wstring ReadProfileString(const std::wstring& filePath, const std::wstring& section, const std::wstring& key,
                               const wchar_t* defaultValue);

// The first stored entry of a section (a "key=value" line, or a line without "="); empty when
// the section is missing or has none.
std::wstring FirstSectionEntry(const std::wstring& filePath, const std::wstring& section);

}  // namespace inideploy
