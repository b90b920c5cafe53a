#include "model/cell_address.h"

namespace tarn {

std::string columnLetters(int column) {
    std::string letters;
    while (column > 0) {
        const int r = (column - 1) % 26;
        letters.insert(letters.begin(), char('A' + r));
        column = (column - 1) / 26;
    }
    return letters;
}

std::optional<int> columnNumber(std::string_view letters) {
    if (letters.empty() || letters.size() > 3) return std::nullopt;
    int n = 0;
    for (char ch : letters) {
        if (ch >= 'a' && ch <= 'z') ch = char(ch - 'a' + 'A');
        if (ch < 'A' || ch > 'Z') return std::nullopt;
        n = n * 26 + (ch - 'A' + 1);
    }
    return n;
}

std::optional<CellRef> parseCellAddress(std::string_view address) {
    std::size_t i = 0;
    while (i < address.size() && ((address[i] >= 'A' && address[i] <= 'Z') ||
                                  (address[i] >= 'a' && address[i] <= 'z')))
        ++i;
    auto column = columnNumber(address.substr(0, i));
    if (!column || i == address.size()) return std::nullopt;
    long row = 0;
    for (std::size_t j = i; j < address.size(); ++j) {
        if (address[j] < '0' || address[j] > '9') return std::nullopt;
        row = row * 10 + (address[j] - '0');
        if (row > 1048576) return std::nullopt;
    }
    if (row < 1) return std::nullopt;
    return CellRef{*column, int(row)};
}

}  // namespace tarn
