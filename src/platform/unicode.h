// Conversions between wide strings and their byte forms, the same code for both builds.
//
// wchar_t is UTF-16 on Windows and UTF-32 elsewhere; the branch on its size is decided at compile
// time, so the Windows build compiles these to plain copies. Invalid input never throws: an
// unpaired surrogate or a malformed UTF-8 sequence becomes U+FFFD.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace unicode {

constexpr char32_t kReplacement = 0xFFFD;

inline std::u16string ToUtf16(std::wstring_view text) {
  std::u16string out;
  out.reserve(text.size());
  if constexpr (sizeof(wchar_t) == 2) {
    for (wchar_t c : text) out.push_back(static_cast<char16_t>(c));
  } else {
    for (wchar_t wc : text) {
      auto c = static_cast<char32_t>(wc);
      if (c >= 0x10000 && c <= 0x10FFFF) {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
      } else if (c > 0x10FFFF) {
        out.push_back(static_cast<char16_t>(kReplacement));
      } else {
        out.push_back(static_cast<char16_t>(c));
      }
    }
  }
  return out;
}

inline std::wstring FromUtf16(std::u16string_view text) {
  std::wstring out;
  out.reserve(text.size());
  if constexpr (sizeof(wchar_t) == 2) {
    for (char16_t c : text) out.push_back(static_cast<wchar_t>(c));
  } else {
    for (std::size_t i = 0; i < text.size(); ++i) {
      char32_t c = text[i];
      if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
        ++i;
      }
      // A lone surrogate is kept as it is, as Windows keeps it in a UTF-16 string.
      out.push_back(static_cast<wchar_t>(c));
    }
  }
  return out;
}

// The bytes of the text as UTF-16 little endian, without a byte-order mark.
inline std::string ToUtf16LeBytes(std::wstring_view text) {
  std::u16string units = ToUtf16(text);
  std::string bytes;
  bytes.reserve(units.size() * 2);
  for (char16_t u : units) {
    bytes.push_back(static_cast<char>(u & 0xFF));
    bytes.push_back(static_cast<char>(u >> 8));
  }
  return bytes;
}

// Reads UTF-16 little-endian bytes; an odd last byte is dropped.
inline std::wstring FromUtf16LeBytes(std::string_view bytes) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
  return FromUtf16(units);
}

inline std::string ToUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  auto put = [&out](char32_t c) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  };
  std::wstring decoded = FromUtf16(ToUtf16(text));  // joins surrogate pairs on UTF-16 builds
  for (wchar_t wc : decoded) {
    auto c = static_cast<char32_t>(wc);
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = kReplacement;
    put(c);
  }
  return out;
}

inline std::wstring FromUtf8(std::string_view text) {
  std::u16string units;
  units.reserve(text.size());
  auto emit = [&units](char32_t c) {
    if (c >= 0x10000) {
      c -= 0x10000;
      units.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      units.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      units.push_back(static_cast<char16_t>(c));
    }
  };
  for (std::size_t i = 0; i < text.size();) {
    auto b = static_cast<unsigned char>(text[i]);
    int extra = b < 0x80 ? 0 : (b >> 5) == 0x6 ? 1 : (b >> 4) == 0xE ? 2 : (b >> 3) == 0x1E ? 3 : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= text.size() + (extra == 0 ? 1 : 0)) {
      emit(kReplacement);
      ++i;
      continue;
    }
    char32_t c = extra == 0 ? b : b & (0x3F >> extra);
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      auto cont = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((cont & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      c = (c << 6) | (cont & 0x3F);
    }
    if (!ok || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      emit(kReplacement);
      ++i;
      continue;
    }
    emit(c);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return FromUtf16(units);
}

}  // namespace unicode
