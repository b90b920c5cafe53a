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
    // The worksheet read: the first visible one in the workbook's order (the first sheet
    // when none is visible), its position among the workbook's sheets (0-based) and name.
    int sheetIndex = 0;
    std::string sheetName;
};

// The formula results of the worksheet read (see sheetIndex) of the .xls file `bytes`. A
// number whose cell has a date format is a Date. Throws InputError starting with
// `fileName` for bytes that are no readable .xls workbook, a workbook protected by a
// password (passwordProtectedText), and a formula without a stored result (naming its cell).
XlsFormulaResults readXlsFormulaResults(std::string_view bytes, const std::string& fileName);

// Whether the compound file `bytes` is an encrypted .xlsx workbook: its root holds an
// "EncryptionInfo" or "EncryptedPackage" stream. False for anything else.
bool isEncryptedPackage(std::string_view bytes);

// "<file>: the workbook is protected by a password; save it without a password and try
// again".
std::string passwordProtectedText(const std::string& fileName);

}  // namespace tarn
