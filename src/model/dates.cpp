#include "model/dates.h"

#include <cstdio>

namespace tarn {

namespace {

// Reads digits [pos, pos + n) of text; false unless there are exactly min..max digits
// before the next non-digit.
bool readField(std::string_view text, std::size_t& pos, int minDigits, int maxDigits, int& out) {
    int value = 0;
    int n = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && n < maxDigits) {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++n;
    }
    if (n < minDigits) return false;
    if (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') return false;
    out = value;
    return true;
}

}  // namespace

std::optional<std::chrono::year_month_day> parseDateText(std::string_view text) {
    std::size_t pos = 0;
    int y = 0, m = 0, d = 0;
    if (!readField(text, pos, 4, 4, y)) return std::nullopt;
    if (pos >= text.size()) return std::nullopt;
    const char sep = text[pos];
    if (sep != '-' && sep != '/') return std::nullopt;
    ++pos;
    // ISO text has two-digit fields; the slashed form allows one or two.
    const int minDigits = sep == '-' ? 2 : 1;
    if (!readField(text, pos, minDigits, 2, m)) return std::nullopt;
    if (pos >= text.size() || text[pos] != sep) return std::nullopt;
    ++pos;
    if (!readField(text, pos, minDigits, 2, d)) return std::nullopt;
    if (pos != text.size()) return std::nullopt;
    std::chrono::year_month_day date{std::chrono::year{y}, std::chrono::month{unsigned(m)},
                                     std::chrono::day{unsigned(d)}};
    if (!date.ok()) return std::nullopt;
    return date;
}

std::string dateText(std::chrono::year_month_day date) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", int(date.year()), unsigned(date.month()),
                  unsigned(date.day()));
    return buf;
}

int daysSinceEpoch(std::chrono::year_month_day date) {
    return int(std::chrono::sys_days(date).time_since_epoch().count());
}

std::chrono::year_month_day dateFromDays(int days) {
    return std::chrono::year_month_day(std::chrono::sys_days(std::chrono::days(days)));
}

}  // namespace tarn
