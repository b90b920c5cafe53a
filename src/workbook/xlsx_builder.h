#pragma once
// Writes a new .xlsx workbook from scratch: worksheets of numbers, texts, dates, booleans
// and formulas with their cached values. Used for the example workbook, for the copy of a
// legacy .xls input, and by tests to make workbooks of every flavour.
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "workbook/cell.h"

namespace tarn {

class XlsxBuilder {
public:
    struct Options {
        bool date1904 = false;       // the 1904 date system
        bool sharedStrings = false;  // texts in the shared-string table, not inline
    };
    XlsxBuilder() = default;
    explicit XlsxBuilder(Options options) : options_(options) {}

    // Adds a worksheet after the others; `partName` is its file inside the package
    // (by default sheetN.xml). Returns its index.
    int addSheet(std::string name, std::string partName = {});
    // A cell, 1-based. Dates are shown as yyyy-mm-dd.
    void set(int sheet, int row, int column, const Cell& cell);
    void setNumber(int sheet, int row, int column, double x);
    void setText(int sheet, int row, int column, std::string text);
    void setDate(int sheet, int row, int column, int daysSinceEpoch);
    // A formula with the value it last calculated to.
    void setFormula(int sheet, int row, int column, std::string formula, const Cell& cached);
    // Column width in characters, for the looks.
    void setColumnWidth(int sheet, int column, double width);

    bool date1904() const { return options_.date1904; }
    // Writes the workbook to `target` atomically.
    void save(const std::filesystem::path& target) const;

private:
    struct Entry {
        Cell cell;
        std::string formula;
    };
    struct Sheet {
        std::string name;
        std::string part;
        std::map<std::pair<int, int>, Entry> cells;
        std::map<int, double> widths;
    };
    std::string sheetXml(const Sheet& sheet, std::map<std::string, int>& shared,
                         std::vector<std::string>& sharedList) const;

    Options options_;
    std::vector<Sheet> sheets_;
};

}  // namespace tarn
