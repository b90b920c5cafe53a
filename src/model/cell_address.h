#pragma once
// Worksheet cell addresses: column letters followed by a row number ("F5", "AD16").
#include <optional>
#include <string>
#include <string_view>

namespace tarn {

// 1 -> "A", 26 -> "Z", 27 -> "AA".
std::string columnLetters(int column);
// "A" -> 1, "AA" -> 27; no column for an empty or non-letter text (case is ignored).
std::optional<int> columnNumber(std::string_view letters);

inline std::string cellAddress(std::string_view column, int row) {
    return std::string(column) + std::to_string(row);
}

struct CellRef {
    int column = 0;  // 1-based
    int row = 0;     // 1-based
};
// Splits "AD16" into column 30 and row 16; no reference for anything else.
std::optional<CellRef> parseCellAddress(std::string_view address);

}  // namespace tarn
