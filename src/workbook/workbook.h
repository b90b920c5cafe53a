#pragma once
// A spreadsheet workbook file: its first worksheet's cells to read, cells to write, and a
// copy to save. The file itself is never written to; a save always goes to a new file.
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "model/run_model.h"
#include "workbook/cell.h"

namespace tarn {

class Workbook : public CellReader {
public:
    ~Workbook() override = default;

    // The file this workbook was read from.
    const std::filesystem::path& path() const { return path_; }
    // True for the 1904 date system.
    virtual bool date1904() const = 0;

    // A cell of the first worksheet, 1-based; what was written since opening wins.
    Cell cell(int row, int column) const;
    // The same by address ("F5"); throws InputError for a malformed address.
    Cell cell(std::string_view address) const;
    // The value converted to text without a format pattern (dates as "YYYY-MM-DD").
    std::string text(std::string_view address) const { return cell(address).displayText(); }
    // CellReader: the value as the project holds it.
    Variant value(std::string_view address) const override { return cell(address).toVariant(); }

    // Writes a value into a cell of the first worksheet (text as text, numbers as numbers,
    // an empty value clears the cell). Takes effect in this object and in saved copies.
    void write(std::string_view address, const Variant& value);
    void write(int row, int column, const Variant& value);
    // Empties a cell that the file or an earlier write has filled; leaves other cells alone.
    void clear(int row, int column);

    // The last row of the first worksheet that holds a cell, written ones included.
    int lastUsedRow() const;

    struct SaveResult {
        std::filesystem::path path;  // where the copy went
        std::string note;            // what the user should know about it, or ""
    };
    // Saves a copy holding every cell of the file and the written cells to `target`,
    // atomically; `target` may be the workbook's own file. Throws InputError on failure.
    virtual SaveResult saveAs(const std::filesystem::path& target) const = 0;

protected:
    explicit Workbook(std::filesystem::path path) : path_(std::move(path)) {}
    virtual Cell storedCell(int row, int column) const = 0;
    // Whether the file holds a cell there (a value, or a formula whose result is unknown).
    virtual bool hasStoredCell(int row, int column) const = 0;
    virtual int lastStoredRow() const = 0;

    // Written cells by (row, column).
    std::map<std::pair<int, int>, Variant> written_;

private:
    std::filesystem::path path_;
};

// Opens a workbook file: .xlsx (Office Open XML) or the older .xls, recognised by content.
// Throws InputError naming the file when it is missing, unreadable, not a workbook or has
// no worksheet.
std::unique_ptr<Workbook> openWorkbook(const std::filesystem::path& path);

// The cell of a written value, as it reads back.
Cell cellOfValue(const Variant& value);

}  // namespace tarn
