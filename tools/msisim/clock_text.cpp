#include "clock_text.h"

#include <chrono>

namespace msisim {

namespace {
// Reads exactly `digits` decimal digits at `position`.
std::optional<unsigned> Number(std::string_view text, std::size_t position, std::size_t digits) {
  if (position + digits > text.size()) return std::nullopt;
  unsigned value = 0;
  for (std::size_t i = position; i < position + digits; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
  }
  return value;
}
}  // namespace

std::optional<SYSTEMTIME> ParseUtcTime(std::string_view text) {
  // 0123456789012345678
  // YYYY-MM-DDTHH:MM:SS
  if (text.size() < 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' || text[16] != ':' ||
      text.back() != 'Z') {
    return std::nullopt;
  }
  auto year = Number(text, 0, 4), month = Number(text, 5, 2), day = Number(text, 8, 2);
  auto hour = Number(text, 11, 2), minute = Number(text, 14, 2), second = Number(text, 17, 2);
  std::optional<unsigned> millisecond = 0;
  if (text.size() == 24 && text[19] == '.') {
    millisecond = Number(text, 20, 3);
  } else if (text.size() != 20) {
    return std::nullopt;
  }
  if (!year || !month || !day || !hour || !minute || !second || !millisecond) return std::nullopt;
  using namespace std::chrono;
  year_month_day date{std::chrono::year(static_cast<int>(*year)), std::chrono::month(*month), std::chrono::day(*day)};
  if (!date.ok() || *year < 1601 || *hour > 23 || *minute > 59 || *second > 59) return std::nullopt;
  weekday weekDay{sys_days(date)};
  return SYSTEMTIME{static_cast<WORD>(*year),   static_cast<WORD>(*month),      static_cast<WORD>(weekDay.c_encoding()),
                    static_cast<WORD>(*day),    static_cast<WORD>(*hour),       static_cast<WORD>(*minute),
                    static_cast<WORD>(*second), static_cast<WORD>(*millisecond)};
}

}  // namespace msisim
