// The descriptions the library carries as resources.
#pragma once

#include <string>

#include "platform/win32.h"

namespace inideploy {

inline constexpr WORD kFullProductDescription = 101;
inline constexpr WORD kEngineDescription = 102;

// Writes the resource's bytes unchanged into a new temporary ".xml" file and returns its path;
// empty when the resource cannot be found or loaded or the file cannot be written.
std::wstring ExtractEmbeddedDescription(WORD resourceId);

}  // namespace inideploy
