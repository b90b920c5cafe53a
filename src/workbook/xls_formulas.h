#pragma once
// The stored results of the formula cells of a legacy .xls workbook. FreeXL leaves formula
// cells out, so the .xls reader takes their values from here: the last results the
// spreadsheet program saved with the file, read straight from the file's bytes (the
// compound file container, then the BIFF5/BIFF8 records of the first worksheet).
#include <string>
#include <string_view>
#include <vector>

#include "workbook/cell.h"

namespace tarn {

struct XlsFormulaResult {
    int row = 0;     // 1-based
    int column = 0;  // 1-based
    Cell cell;       // Number, Date, Text, Boolean or Error
};

struct XlsFormulaResults {
    bool date1904 = false;
    std::vector<XlsFormulaResult> cells;  // in the order of the file; a later one wins
};

// The formula results of the first worksheet (the first sheet in the workbook's order) of
// the .xls file `bytes`. A number whose cell has a date format is a Date. Throws InputError
// starting with `fileName` for bytes that are no readable .xls workbook, an encrypted
// workbook, and a formula without a stored result (naming its cell).
XlsFormulaResults readXlsFormulaResults(std::string_view bytes, const std::string& fileName);

}  // namespace tarn
