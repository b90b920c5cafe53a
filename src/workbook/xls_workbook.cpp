#include "workbook/xls_workbook.h"

#include <freexl.h>

#include <algorithm>
#include <vector>

#include "model/dates.h"
#include "model/errors.h"
#include "workbook/xls_formulas.h"
#include "workbook/xlsx_builder.h"

namespace tarn {

namespace {

namespace fs = std::filesystem;

class XlsWorkbook final : public Workbook {
public:
    XlsWorkbook(const fs::path& path, std::string_view bytes) : Workbook(path) { load(bytes); }

    bool date1904() const override { return date1904_; }

    SaveResult saveAs(const fs::path& requested) const override {
        fs::path target = requested;
        std::string ext = target.extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char ch) { return char(std::tolower(ch)); });
        if (ext == ".xls") target.replace_extension(".xlsx");
        XlsxBuilder builder({date1904_, true});
        const int sheet = builder.addSheet(sheetName_.empty() ? "Sheet1" : sheetName_);
        for (std::size_t r = 1; r < rows_.size(); ++r)
            for (const auto& [column, cell] : rows_[r]) builder.set(sheet, int(r), column, cell);
        for (const auto& [key, value] : written_) builder.set(sheet, key.first, key.second, cellOfValue(value));
        builder.save(target);
        return {target,
                "The input workbook is in the old .xls format; the copy was saved as an .xlsx workbook "
                "with the cells of its first worksheet"};
    }

protected:
    bool hasStoredCell(int row, int column) const override { return !storedCell(row, column).empty(); }
    int lastStoredRow() const override {
        for (int row = int(rows_.size()) - 1; row > 0; --row)
            if (!rows_[std::size_t(row)].empty()) return row;
        return 0;
    }
    Cell storedCell(int row, int column) const override {
        if (row < 1 || row >= int(rows_.size())) return {};
        const auto& cells = rows_[std::size_t(row)];
        auto it = std::lower_bound(cells.begin(), cells.end(), column,
                                   [](const auto& entry, int col) { return entry.first < col; });
        if (it == cells.end() || it->first != column) return {};
        return it->second;
    }

private:
    void load(std::string_view bytes) {
        // Our own reading of the records first: it refuses a workbook protected by a
        // password in its own words and finds the worksheet to read.
        XlsFormulaResults formulas = readXlsFormulaResults(bytes, path().string());
        const void* handle = nullptr;
        const int opened = freexl_open(path().c_str(), &handle);
        if (opened != FREEXL_OK) {
            if (handle) freexl_close(handle);
            throw InputError(path().string() + " is not a readable .xls workbook (FreeXL error " +
                             std::to_string(opened) + ")");
        }
        struct Closer {
            const void* h;
            ~Closer() { freexl_close(h); }
        } closer{handle};

        unsigned int info = 0;
        if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &info) != FREEXL_OK || info == 0)
            throw InputError(path().string() + " has no worksheet");
        unsigned int mode = 0;
        if (freexl_get_info(handle, FREEXL_BIFF_DATEMODE, &mode) == FREEXL_OK)
            date1904_ = mode == FREEXL_BIFF_DATEMODE_1904;
        // The worksheet the records name (the first visible one), found by its name.
        unsigned short sheet = 0;
        for (unsigned int i = 0; i < info; ++i) {
            const char* name = nullptr;
            if (freexl_get_worksheet_name(handle, static_cast<unsigned short>(i), &name) == FREEXL_OK && name &&
                name == formulas.sheetName) {
                sheet = static_cast<unsigned short>(i);
                break;
            }
        }
        if (freexl_select_active_worksheet(handle, sheet) != FREEXL_OK)
            throw InputError(path().string() + ": the worksheet cannot be read");
        const char* name = nullptr;
        if (freexl_get_worksheet_name(handle, sheet, &name) == FREEXL_OK && name) sheetName_ = name;
        unsigned int rows = 0;
        unsigned short columns = 0;
        if (freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK)
            throw InputError(path().string() + ": the first worksheet cannot be read");
        rows_.resize(std::size_t(rows) + 1);
        for (unsigned int r = 0; r < rows; ++r) {
            for (unsigned short c = 0; c < columns; ++c) {
                FreeXL_CellValue value;
                if (freexl_get_cell_value(handle, r, c, &value) != FREEXL_OK) continue;
                Cell cell;
                switch (value.type) {
                    case FREEXL_CELL_INT:
                        cell.type = Cell::Type::Number;
                        cell.number = value.value.int_value;
                        break;
                    case FREEXL_CELL_DOUBLE:
                        cell.type = Cell::Type::Number;
                        cell.number = value.value.double_value;
                        break;
                    case FREEXL_CELL_TEXT:
                    case FREEXL_CELL_SST_TEXT:
                        cell.type = Cell::Type::Text;
                        cell.text = value.value.text_value ? value.value.text_value : "";
                        break;
                    case FREEXL_CELL_DATE:
                    case FREEXL_CELL_DATETIME: {
                        const std::string text = value.value.text_value ? value.value.text_value : "";
                        auto date = parseDateText(std::string_view(text).substr(0, std::min<std::size_t>(10, text.size())));
                        if (!date) {
                            cell.type = Cell::Type::Text;
                            cell.text = text;
                            break;
                        }
                        cell.type = Cell::Type::Date;
                        cell.number = serialOfDays(daysSinceEpoch(*date), date1904_);
                        cell.text = dateText(*date);
                        break;
                    }
                    case FREEXL_CELL_TIME:
                        cell.type = Cell::Type::Text;
                        cell.text = value.value.text_value ? value.value.text_value : "";
                        break;
                    default:
                        continue;
                }
                rows_[std::size_t(r) + 1].emplace_back(int(c) + 1, std::move(cell));
            }
        }
        mergeFormulaResults(std::move(formulas));
    }

    // FreeXL leaves formula cells out: their stored results come from the file itself and
    // take the place of anything FreeXL gave for the same cell.
    void mergeFormulaResults(XlsFormulaResults formulas) {
        for (auto& [row, column, cell] : formulas.cells) {
            if (std::size_t(row) >= rows_.size()) rows_.resize(std::size_t(row) + 1);
            auto& cells = rows_[std::size_t(row)];
            auto it = std::lower_bound(cells.begin(), cells.end(), column,
                                       [](const auto& entry, int col) { return entry.first < col; });
            if (it != cells.end() && it->first == column)
                it->second = std::move(cell);
            else
                cells.emplace(it, column, std::move(cell));
        }
    }

    bool date1904_ = false;
    std::string sheetName_;
    std::vector<std::vector<std::pair<int, Cell>>> rows_;
};

}  // namespace

std::unique_ptr<Workbook> openXlsWorkbook(const fs::path& path, std::string_view bytes) {
    return std::make_unique<XlsWorkbook>(path, bytes);
}

}  // namespace tarn
