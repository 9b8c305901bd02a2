// Case folding for comparisons that ignore case.
#pragma once

#include <string>
#include <string_view>

namespace standin {

// Lower-cases the ASCII letters A to Z and leaves every other character as it is.
std::wstring FoldAsciiCase(std::wstring_view text);

// Lower-cases the letters of the Latin, Greek and Cyrillic alphabets.
std::wstring FoldCase(std::wstring_view text);

}  // namespace standin
