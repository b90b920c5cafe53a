#include "workbook/workbook.h"

#include <algorithm>

#include "model/cell_address.h"
#include "model/errors.h"
#include "workbook/xls_formulas.h"
#include "workbook/xls_workbook.h"
#include "workbook/xlsx_workbook.h"
#include "workbook/zip_archive.h"

namespace tarn {

Cell cellOfValue(const Variant& value) {
    Cell c;
    if (value.isNumber()) {
        c.type = Cell::Type::Number;
        c.number = *value.toNumber();
    } else if (value.isText()) {
        c.type = Cell::Type::Text;
        c.text = *value.textPtr();
    }
    return c;
}

Cell Workbook::cell(int row, int column) const {
    if (!written_.empty()) {
        auto it = written_.find({row, column});
        if (it != written_.end()) return cellOfValue(it->second);
    }
    return storedCell(row, column);
}

Cell Workbook::cell(std::string_view address) const {
    auto ref = parseCellAddress(address);
    if (!ref) throw InputError("'" + std::string(address) + "' is not a cell address");
    return cell(ref->row, ref->column);
}

void Workbook::write(std::string_view address, const Variant& value) {
    auto ref = parseCellAddress(address);
    if (!ref) throw InputError("'" + std::string(address) + "' is not a cell address");
    write(ref->row, ref->column, value);
}

void Workbook::write(int row, int column, const Variant& value) {
    written_[{row, column}] = value;
}

void Workbook::clear(int row, int column) {
    auto it = written_.find({row, column});
    if (it != written_.end())
        it->second = Variant();
    else if (hasStoredCell(row, column))
        written_.emplace(std::pair{row, column}, Variant());
}

int Workbook::lastUsedRow() const {
    int last = lastStoredRow();
    if (!written_.empty()) last = std::max(last, written_.rbegin()->first.first);
    return last;
}

std::unique_ptr<Workbook> openWorkbook(const std::filesystem::path& path) {
    std::string bytes = readWholeFile(path);
    static constexpr unsigned char kZip[] = {'P', 'K', 3, 4};
    static constexpr unsigned char kOle[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    auto startsWith = [&](const unsigned char* magic, std::size_t n) {
        return bytes.size() >= n && std::equal(magic, magic + n, bytes.begin(), [](unsigned char a, char b) {
                   return a == static_cast<unsigned char>(b);
               });
    };
    if (startsWith(kZip, sizeof kZip)) return openXlsxWorkbook(path, std::move(bytes));
    if (startsWith(kOle, sizeof kOle)) {
        // An .xlsx saved with a password is a compound file holding the encrypted package.
        if (isEncryptedPackage(bytes)) throw InputError(passwordProtectedText(path.string()));
        return openXlsWorkbook(path, bytes);
    }
    throw InputError(path.string() + " is not a workbook (neither .xlsx nor .xls)");
}

}  // namespace tarn
