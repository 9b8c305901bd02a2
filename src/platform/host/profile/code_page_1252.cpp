#include "profile/code_page_1252.h"

#include <array>

#include "platform/unicode.h"
#include "profile/code_page_1252_best_fit.h"

namespace standin::profile {

namespace {

// Bytes 0x80 to 0x9F; the five the code page leaves undefined map to the C1 control of the same
// value, so that every byte survives a read and a rewrite.
constexpr std::array<char16_t, 32> kHighControls = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char ByteFor(char16_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == unit) return static_cast<char>(0x80 + i);
  }
  return BestFit1252(unit).value_or('?');
}

}  // namespace

std::wstring FromCodePage1252(std::string_view bytes) {
  // Every character of the code page lies in the 16-bit range, so it is one wchar_t in both builds.
  std::wstring text(bytes.size(), L'\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    auto b = static_cast<unsigned char>(bytes[i]);
    text[i] = static_cast<wchar_t>(b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : b);
  }
  return text;
}

std::string ToCodePage1252(std::wstring_view text) {
  std::u16string units = unicode::ToUtf16(text);
  std::string bytes;
  bytes.reserve(units.size());
  for (char16_t unit : units) bytes.push_back(ByteFor(unit));
  return bytes;
}

}  // namespace standin::profile
