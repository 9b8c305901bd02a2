// How a profile file's bytes become text and back. The encoding is read from the file's
// byte-order mark and kept through every rewrite; a file without one is ANSI.
#pragma once

#include <string>
#include <string_view>

namespace standin::profile {

enum class TextEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

struct DecodedText {
  TextEncoding encoding = TextEncoding::Ansi;
  std::wstring text;
};

DecodedText DecodeProfileBytes(std::string_view bytes);

// The whole file: byte-order mark (none for ANSI) and the text in that encoding.
std::string EncodeProfileText(TextEncoding encoding, std::wstring_view text);

}  // namespace standin::profile
