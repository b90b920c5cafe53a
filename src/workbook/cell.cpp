#include "workbook/cell.h"

#include <cctype>
#include <cmath>

#include "model/dates.h"

namespace tarn {

std::string Cell::displayText() const {
    switch (type) {
        case Type::Empty: return {};
        case Type::Number: return generalNumberText(number);
        case Type::Boolean: return number != 0 ? "TRUE" : "FALSE";
        case Type::Text:
        case Type::Error:
        case Type::Date: return text;
    }
    return {};
}

Variant Cell::toVariant() const {
    switch (type) {
        case Type::Empty: return {};
        case Type::Number: return number;
        default: return displayText();
    }
}

std::optional<double> Cell::toNumber() const {
    switch (type) {
        case Type::Empty: return 0.0;
        case Type::Number: return number;
        case Type::Text:
            if (text.find_first_not_of(" \t") == std::string::npos) return 0.0;
            return parseNumber(text);
        default: return std::nullopt;
    }
}

namespace {
// 1899-12-30 and 1904-01-01 as days since 1970-01-01.
constexpr int kEpoch1900 = -25569;
constexpr int kEpoch1904 = -24107;
}  // namespace

std::optional<std::string> dateTextOfSerial(double serial, bool date1904) {
    if (!std::isfinite(serial) || serial < (date1904 ? 0 : 1) || serial >= 2958466)
        return std::nullopt;  // 2958465 is 9999-12-31
    const int day = int(std::floor(serial));
    if (date1904) return dateText(dateFromDays(kEpoch1904 + day));
    if (day == 60) return std::nullopt;  // 1900-02-29
    // Serials before the phantom leap day count from 1899-12-31.
    return dateText(dateFromDays(kEpoch1900 + day + (day < 60 ? 1 : 0)));
}

double serialOfDays(int daysSinceEpoch, bool date1904) {
    if (date1904) return double(daysSinceEpoch - kEpoch1904);
    const int serial = daysSinceEpoch - kEpoch1900;
    return double(serial < 61 ? serial - 1 : serial);
}

bool isBuiltinDateFormat(int id) {
    return (id >= 14 && id <= 17) || id == 22 || (id >= 27 && id <= 36) || (id >= 50 && id <= 58);
}

bool isDateFormatCode(const std::string& code) {
    // Only the first section (positive numbers) decides.
    bool date = false;
    bool hour = false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char ch = code[i];
        if (ch == ';') break;
        if (ch == '"') {  // quoted literal
            const auto end = code.find('"', i + 1);
            if (end == std::string::npos) break;
            i = end;
            continue;
        }
        if (ch == '\\' || ch == '_' || ch == '*') {  // escaped or padding character
            ++i;
            continue;
        }
        if (ch == '[') {  // colour, condition, locale ([$-409]) or elapsed time ([h])
            const auto end = code.find(']', i + 1);
            if (end == std::string::npos) break;
            const std::string inner = code.substr(i + 1, end - i - 1);
            if (!inner.empty() && inner.find_first_not_of("hHmMsS") == std::string::npos) hour = true;
            i = end;
            continue;
        }
        const char lower = char(std::tolower(static_cast<unsigned char>(ch)));
        if (lower == 'd' || lower == 'y') date = true;
        if (lower == 'h' || lower == 's') hour = true;
        if (lower == 'm') {
            // m is minutes right after h or right before s, months otherwise.
            std::size_t j = i;
            while (j + 1 < code.size() && std::tolower(static_cast<unsigned char>(code[j + 1])) == 'm') ++j;
            std::size_t k = j + 1;
            while (k < code.size() && (code[k] == ':' || code[k] == ' ')) ++k;
            const bool beforeSeconds = k < code.size() && std::tolower(static_cast<unsigned char>(code[k])) == 's';
            if (!hour && !beforeSeconds) date = true;
            i = j;
        }
    }
    return date;
}

}  // namespace tarn
