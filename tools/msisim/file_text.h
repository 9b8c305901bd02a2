// The encodings a scenario and a report give file contents in, and the conversions between a
// file's bytes and its text (always held as UTF-8 here).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace msisim {

enum class Encoding {
  Utf16LeBom,  // FF FE, then UTF-16 little endian: what the library's Unicode INI files and log use
  Utf8,        // no byte-order mark; also plain ASCII and what the profile functions call ANSI
  Utf8Bom,     // EF BB BF, then UTF-8: the form of the description documents
  Latin1,      // one byte per character; the report's form of 8-bit text that is not UTF-8
};

std::string_view EncodingName(Encoding encoding);
std::optional<Encoding> EncodingNamed(std::string_view name);
// "utf-16le-bom, utf-8, utf-8-bom, latin-1", for messages.
std::string EncodingNames();

struct FileText {
  Encoding encoding;
  std::string text;  // UTF-8, without the byte-order mark
};

// The bytes of a UTF-8 text in the encoding; nothing when a character cannot be written in it.
std::optional<std::string> EncodeText(std::string_view utf8Text, Encoding encoding);

// The encoding a file's bytes show and their text: a byte-order mark decides; without one, valid
// UTF-8 is taken as such and anything else as Latin-1.
FileText DecodeFile(std::string_view bytes);

// Lines of a text; "\r\n" and "\n" both end a line and are not part of it.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace msisim
