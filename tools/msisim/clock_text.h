// The machine clock as a scenario gives it: an ISO-8601 UTC time.
#pragma once

#include <optional>
#include <string_view>

#include "platform/win32.h"

namespace msisim {

// "YYYY-MM-DDTHH:MM:SSZ" or "YYYY-MM-DDTHH:MM:SS.mmmZ" (UTC, milliseconds optional); nothing
// for any other text or an impossible date or time. The day of the week is filled in.
std::optional<SYSTEMTIME> ParseUtcTime(std::string_view text);

}  // namespace msisim
