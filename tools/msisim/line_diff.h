// A line diff (Myers' shortest edit script) and its unified form, as `diff -u` prints it.
#pragma once

#include <string>
#include <vector>

namespace msisim {

struct DiffLine {
  char kind;  // ' ' kept, '-' only before, '+' only after
  std::string text;
};

// The shortest edit script that turns `before` into `after`, deletions before insertions.
std::vector<DiffLine> DiffLines(const std::vector<std::string>& before, const std::vector<std::string>& after);

// The unified diff with `context` kept lines around each change; empty when nothing differs.
std::string UnifiedDiff(const std::vector<std::string>& before, const std::vector<std::string>& after,
                        const std::string& beforeName, const std::string& afterName, std::size_t context = 3);

}  // namespace msisim
