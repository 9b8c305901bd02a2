#include "profile/text_encoding.h"

#include "platform/unicode.h"
#include "profile/code_page_1252.h"

namespace standin::profile {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

std::string SwapByteOrder(std::string_view bytes) {
  std::string swapped(bytes.substr(0, bytes.size() & ~std::size_t{1}));
  for (std::size_t i = 0; i + 1 < swapped.size(); i += 2) std::swap(swapped[i], swapped[i + 1]);
  return swapped;
}

}  // namespace

DecodedText DecodeProfileBytes(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) {
    return {TextEncoding::Utf8, unicode::FromUtf8(bytes.substr(kUtf8Mark.size()))};
  }
  if (bytes.starts_with(kUtf16LeMark)) {
    return {TextEncoding::Utf16Le, unicode::FromUtf16LeBytes(bytes.substr(kUtf16LeMark.size()))};
  }
  if (bytes.starts_with(kUtf16BeMark)) {
    return {TextEncoding::Utf16Be, unicode::FromUtf16LeBytes(SwapByteOrder(bytes.substr(kUtf16BeMark.size())))};
  }
  return {TextEncoding::Ansi, FromCodePage1252(bytes)};
}

std::string EncodeProfileText(TextEncoding encoding, std::wstring_view text) {
  switch (encoding) {
    case TextEncoding::Utf8:
      return std::string(kUtf8Mark) + unicode::ToUtf8(text);
    case TextEncoding::Utf16Le:
      return std::string(kUtf16LeMark) + unicode::ToUtf16LeBytes(text);
    case TextEncoding::Utf16Be:
      return std::string(kUtf16BeMark) + SwapByteOrder(unicode::ToUtf16LeBytes(text));
    case TextEncoding::Ansi:
      break;
  }
  return ToCodePage1252(text);
}

}  // namespace standin::profile
