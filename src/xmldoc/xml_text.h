// Text between the library's wide strings and the XML library's XMLCh strings.
//
// XMLCh is char16_t in the host build and wchar_t (UTF-16) in the Windows build; both are UTF-16
// code units, so one compile-time branch picks a plain copy or the UTF-16 conversion. Both
// branches compile in both builds (the functions are not templates), hence the iterator copies.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>
#include <xercesc/util/XercesDefs.hpp>

#include "platform/unicode.h"

namespace xmldoc {

// The wide text of an XML string; empty for a null pointer.
inline std::wstring ToWide(const XMLCh* text) {
  if (text == nullptr) return {};
  std::basic_string_view<XMLCh> view(text);
  if constexpr (std::is_same_v<XMLCh, wchar_t>) {
    return std::wstring(view.begin(), view.end());
  } else {
    return unicode::FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(view.data()), view.size()));
  }
}

// The XML string of a wide text.
inline std::basic_string<XMLCh> ToXml(std::wstring_view text) {
  if constexpr (std::is_same_v<XMLCh, wchar_t>) {
    return std::basic_string<XMLCh>(text.begin(), text.end());
  } else {
    std::u16string units = unicode::ToUtf16(text);
    return std::basic_string<XMLCh>(units.begin(), units.end());
  }
}

}  // namespace xmldoc
