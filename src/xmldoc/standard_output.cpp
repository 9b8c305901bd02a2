#include "xmldoc/standard_output.h"

#include <cstdio>
#include <cwchar>
#include <string>

#include "platform/unicode.h"

namespace xmldoc {

void WriteToStandardOutput(std::wstring_view text) {
  if constexpr (sizeof(wchar_t) == 2) {
    std::fputws(std::wstring(text).c_str(), stdout);
  } else {
    std::string bytes = unicode::ToUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  }
  std::fflush(stdout);
}

}  // namespace xmldoc
