// The look-alike byte that code page 1252 writes for a character it does not hold.
#pragma once

#include <optional>

namespace standin::profile {

std::optional<char> BestFit1252(char16_t unit);

}  // namespace standin::profile
