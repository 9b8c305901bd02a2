// The action log: one UTF-16LE line appended per message, the file opened and closed each time.
#pragma once

#include <string>

namespace runtime {

// Makes sure the log at path is a UTF-16 file: keeps a Unicode log, replaces anything else by an
// empty file holding only the byte-order mark. Failures only mean that lines get lost.
void PrepareActionLog(const std::wstring& path);

// Appends the message and "\r\n". A log that cannot be opened (missing folder, held without
// sharing by another process) loses the line; nothing is reported.
void AppendLogLine(const std::wstring& path, const std::wstring& message);

}  // namespace runtime
