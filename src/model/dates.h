#pragma once
// Calendar dates as the project holds them: the text "YYYY-MM-DD" of each day, turned back
// into a date where its month or year is needed.
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace tarn {

// Reads "YYYY-MM-DD" or "YYYY/M/D" (one or two digits for month and day). No date for any
// other text or for a day that does not exist (2001-02-29).
std::optional<std::chrono::year_month_day> parseDateText(std::string_view text);

// The short date form of the system: ISO "YYYY-MM-DD".
std::string dateText(std::chrono::year_month_day date);

// Days since 1970-01-01 and back.
int daysSinceEpoch(std::chrono::year_month_day date);
std::chrono::year_month_day dateFromDays(int days);

}  // namespace tarn
