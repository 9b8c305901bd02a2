// Windows wildcard matching of a name against the last component of a search pattern.
#pragma once

#include <string_view>

namespace standin {

// "*" matches any run of characters, "?" one character (or none at a full stop or the end of the
// name), letters match without regard to case, "*.*" matches every name and a trailing ".*" also
// matches a name without extension.
bool MatchesWildcard(std::wstring_view pattern, std::wstring_view name);

}  // namespace standin
