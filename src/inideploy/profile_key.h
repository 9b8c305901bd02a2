// Whether an INI file holds a key, told apart from a key that holds an empty value.
#pragma once

#include <string>

namespace inideploy {

// True when the key is in the section of the file, whatever its value (an empty one included).
// A missing file or section answers false, and so does a key whose stored value is the probe's
// own sentinel text.
bool ProfileKeyExists(const std::wstring& filePath, const std::wstring& section, const std::wstring& key);

}  // namespace inideploy
