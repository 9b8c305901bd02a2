// The few whole-file operations of the INI deployment, over the platform's file functions.
#pragma once

#include <string>
#include <string_view>

namespace inideploy {

// The file or folder exists.
bool Exists(const std::wstring& path);

// Creates or truncates the file and writes exactly these bytes; false when any step fails.
bool WriteWholeFile(const std::wstring& path, std::string_view bytes);

// The file exists and holds no byte.
bool IsEmptyFile(const std::wstring& path);

// A new, uniquely named, empty file in the temporary folder with this extension (for example
// "xml"); empty when the temporary folder cannot be found.
std::wstring NewTempFile(const std::wstring& extension);

}  // namespace inideploy
