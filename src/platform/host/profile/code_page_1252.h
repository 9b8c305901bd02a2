// The ANSI code page of the machine (1252, Western European), both ways.
#pragma once

#include <string>
#include <string_view>

namespace standin::profile {

std::wstring FromCodePage1252(std::string_view bytes);
// A character the code page cannot hold becomes a look-alike where it has one (A for \u0100),
// else '?', one per UTF-16 unit.
std::string ToCodePage1252(std::wstring_view text);

}  // namespace standin::profile
