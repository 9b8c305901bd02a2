// Case folding for comparisons that ignore case.
#pragma once

#include <string>
#include <string_view>

namespace standin {

// Lower-cases the ASCII letters A to Z and leaves every other character as it is.
std::wstring FoldAsciiCase(std::wstring_view text);

// Lower-cases every letter of the Basic Multilingual Plane that has a single small letter.
std::wstring FoldCase(std::wstring_view text);

}  // namespace standin
