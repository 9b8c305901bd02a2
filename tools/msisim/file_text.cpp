#include "file_text.h"

#include <array>
#include <utility>

#include "platform/unicode.h"

namespace msisim {

namespace {

constexpr std::array<std::pair<Encoding, std::string_view>, 4> kNames{{
    {Encoding::Utf16LeBom, "utf-16le-bom"},
    {Encoding::Utf8, "utf-8"},
    {Encoding::Utf8Bom, "utf-8-bom"},
    {Encoding::Latin1, "latin-1"},
}};

constexpr std::string_view kUtf16Bom = "\xFF\xFE";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t extra = lead < 0x80                    ? 0
                        : lead >= 0xC2 && lead <= 0xDF ? 1
                        : (lead & 0xF0) == 0xE0        ? 2
                        : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                       : 4;
    if (extra == 4 || i + extra >= bytes.size() + (extra == 0 ? 1 : 0)) return false;
    char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (std::size_t k = 1; k <= extra; ++k) {
      auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    constexpr std::array<char32_t, 4> kSmallest{0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[extra] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return false;
    i += extra + 1;
  }
  return true;
}

}  // namespace

std::string_view EncodingName(Encoding encoding) {
  for (const auto& [value, name] : kNames) {
    if (value == encoding) return name;
  }
  return {};
}

std::optional<Encoding> EncodingNamed(std::string_view name) {
  for (const auto& [value, known] : kNames) {
    if (known == name) return value;
  }
  return std::nullopt;
}

std::string EncodingNames() {
  std::string names;
  for (const auto& [value, name] : kNames) names += (names.empty() ? "" : ", ") + std::string(name);
  return names;
}

std::optional<std::string> EncodeText(std::string_view utf8Text, Encoding encoding) {
  switch (encoding) {
    case Encoding::Utf16LeBom:
      return std::string(kUtf16Bom) + unicode::ToUtf16LeBytes(unicode::FromUtf8(utf8Text));
    case Encoding::Utf8:
      return std::string(utf8Text);
    case Encoding::Utf8Bom:
      return std::string(kUtf8Bom) + std::string(utf8Text);
    case Encoding::Latin1: {
      std::string bytes;
      for (wchar_t c : unicode::FromUtf8(utf8Text)) {
        if (static_cast<char32_t>(c) > 0xFF) return std::nullopt;
        bytes.push_back(static_cast<char>(c));
      }
      return bytes;
    }
  }
  return std::nullopt;
}

FileText DecodeFile(std::string_view bytes) {
  if (bytes.substr(0, 2) == kUtf16Bom) {
    return {Encoding::Utf16LeBom, unicode::ToUtf8(unicode::FromUtf16LeBytes(bytes.substr(2)))};
  }
  if (bytes.substr(0, 3) == kUtf8Bom) return {Encoding::Utf8Bom, std::string(bytes.substr(3))};
  if (IsValidUtf8(bytes)) return {Encoding::Utf8, std::string(bytes)};
  std::wstring latin;
  for (char c : bytes) latin.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return {Encoding::Latin1, unicode::ToUtf8(latin)};
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace msisim
