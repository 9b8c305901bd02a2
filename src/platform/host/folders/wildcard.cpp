#include "folders/wildcard.h"

#include <cwctype>
#include <vector>

#include "files/path_map.h"

namespace standin {

namespace {

bool MatchesExactly(std::wstring_view pattern, std::wstring_view name) {
  // matches[i][j]: pattern from i matches name from j; filled from the ends backwards.
  const std::size_t columns = name.size() + 1;
  std::vector<char> matches((pattern.size() + 1) * columns, 0);
  auto at = [&](std::size_t i, std::size_t j) -> char& { return matches[i * columns + j]; };
  at(pattern.size(), name.size()) = 1;
  for (std::size_t i = pattern.size(); i-- > 0;) {
    for (std::size_t j = name.size() + 1; j-- > 0;) {
      bool more = j < name.size();
      switch (pattern[i]) {
        case L'*':
          at(i, j) = at(i + 1, j) || (more && at(i, j + 1));
          break;
        case L'?':
          at(i, j) = (more && at(i + 1, j + 1)) || ((!more || name[j] == L'.') && at(i + 1, j));
          break;
        default:
          at(i, j) = more && NamesEqualIgnoringCase(pattern.substr(i, 1), name.substr(j, 1)) && at(i + 1, j + 1);
      }
    }
  }
  return at(0, 0) != 0;
}

}  // namespace

bool MatchesWildcard(std::wstring_view pattern, std::wstring_view name) {
  if (pattern == L"*.*") return true;
  if (pattern.ends_with(L".*") && MatchesExactly(pattern.substr(0, pattern.size() - 2), name)) return true;
  return MatchesExactly(pattern, name);
}

}  // namespace standin
