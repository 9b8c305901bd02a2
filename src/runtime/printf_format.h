// Printf-style building of wide messages. Formats are always literals in the code; data is only
// ever an argument, so a "%" in a property value or a path is never read as a specifier.
#pragma once

#include <fmt/printf.h>
#include <fmt/xchar.h>

#include <string>

namespace runtime {

template <typename... Args>
std::wstring Printf(const wchar_t* format, const Args&... args) {
  return fmt::sprintf(format, args...);
}

}  // namespace runtime
