// The XML layer reports to the process's standard output, not to the action log.
#pragma once

#include <string_view>

namespace xmldoc {

// Writes the text unchanged: as wide text through the C runtime where wchar_t is UTF-16, as
// UTF-8 bytes where it is not.
void WriteToStandardOutput(std::wstring_view text);

}  // namespace xmldoc
