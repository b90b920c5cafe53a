// The stored formula results of .xls workbooks: LibreOffice's files through the whole
// workbook, and crafted files (container and records) straight through the reader.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>

#include "fuzz/xls_fuzz_input.h"
#include "model/errors.h"
#include "workbook/workbook.h"
#include "workbook/xls_formulas.h"
#include "workbook/zip_archive.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

fs::path fixture(const std::string& name) { return fs::path(TARNFLOW_TEST_DATA_DIR) / name; }

class FormulaWorkbook : public ::testing::TestWithParam<const char*> {};

TEST_P(FormulaWorkbook, StoredResultsOfEveryKindAreRead) {
    auto book = openWorkbook(fixture(GetParam()));
    EXPECT_EQ(book->cell("D26").type, Cell::Type::Date);
    EXPECT_EQ(book->cell("D26").number, 36978.0);
    EXPECT_EQ(book->text("D34"), "2001-04-05");
    EXPECT_EQ(book->cell("E27").toNumber(), 12.25);
    EXPECT_EQ(book->cell("E34").toNumber(), 22.75);
    EXPECT_EQ(book->text("F2"), "A. Hydrologist");
    EXPECT_EQ(book->cell("AF3").toNumber(), 2500.0);
    EXPECT_EQ(book->cell("AF4").type, Cell::Type::Error);
    EXPECT_EQ(book->text("AF4"), "#DIV/0!");
    EXPECT_EQ(book->cell("AF5").type, Cell::Type::Boolean);
    EXPECT_EQ(book->text("AF5"), "TRUE");
    EXPECT_EQ(book->cell("AF6").type, Cell::Type::Text);
    EXPECT_EQ(book->text("AF6"), "");
    std::string abab;
    for (int i = 0; i < 5000; ++i) abab += "ab";
    EXPECT_EQ(book->text("AF7"), abab);
    EXPECT_EQ(book->text("AF8"), "\xE2\x82\xAC" "5");
}

INSTANTIATE_TEST_SUITE_P(LibreOffice, FormulaWorkbook,
                         ::testing::Values("libreoffice_formulas.xls", "libreoffice_formulas.xlsx"),
                         [](const auto& info) { return std::string(info.param).substr(21); });

// ---- Crafted files ------------------------------------------------------------------------

std::string le16(unsigned v) { return {char(v & 0xFF), char((v >> 8) & 0xFF)}; }
std::string le32(std::uint32_t v) { return le16(v & 0xFFFF) + le16(v >> 16); }
std::string le64(double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    return le32(std::uint32_t(bits)) + le32(std::uint32_t(bits >> 32));
}
void put32(std::string& bytes, std::size_t at, std::uint32_t v) { bytes.replace(at, 4, le32(v)); }

std::string record(unsigned type, const std::string& body) { return le16(type) + le16(unsigned(body.size())) + body; }

// A FORMULA record of the cell (0-based) with its 8 result bytes and an empty formula.
std::string formula(unsigned row, unsigned column, unsigned xf, const std::string& result) {
    return record(0x0006, le16(row) + le16(column) + le16(xf) + result + le16(0) + le32(0) + le16(0));
}
std::string number(unsigned row, unsigned column, unsigned xf, double v) { return formula(row, column, xf, le64(v)); }
const std::string kTextResult = std::string("\0\0\0\0\0\0\xFF\xFF", 8);

// D26 = 2001-03-28 (XF 1 shows dates), E27 = 3.5.
const std::string kCells = number(25, 3, 1, 36978) + number(26, 4, 0, 3.5);

// A BIFF8 workbook stream whose first worksheet holds `cells`; the globals pad the stream
// to `size` bytes at least.
std::string biff(const std::string& cells, std::size_t size = 5000, const std::string& globalsExtra = "") {
    std::string globals = record(0x0809, le16(0x0600) + le16(0x0005) + std::string(12, '\0')) + globalsExtra +
                          record(0x00E0, le16(0) + le16(0) + std::string(16, '\0')) +
                          record(0x00E0, le16(0) + le16(14) + std::string(16, '\0'));
    if (globals.size() + 40 < size) globals += record(0x00EB, std::string(size - globals.size() - 40, '\0'));
    const std::size_t sheetAt = globals.size() + 13 + 4;  // after BOUNDSHEET and EOF
    globals += record(0x0085, le32(std::uint32_t(sheetAt)) + le16(0) + std::string("\x01\x00S", 3)) + record(0x000A, "");
    return globals + record(0x0809, le16(0x0600) + le16(0x0010) + std::string(12, '\0')) + cells + record(0x000A, "");
}

// "D26=2001-03-28 date E27=3.5", or the message of the refusal after the file name.
std::string outcome(const std::string& bytes) {
    try {
        std::string out;
        for (const auto& r : readXlsFormulaResults(bytes, "book.xls").cells)
            out += (out.empty() ? "" : " ") + std::string(1, char('A' + r.column - 1)) + std::to_string(r.row) +
                   "=" + r.cell.displayText() + (r.cell.type == Cell::Type::Date ? " date" : "");
        return out;
    } catch (const InputError& e) {
        const std::string message = e.what();
        return message.rfind("book.xls", 0) == 0 ? message.substr(8) : "(file not named) " + message;
    }
}

TEST(XlsFormulaResults, TheFirstVisibleWorksheetIsRead) {
    // Sheets "H" (hidden), "V" (very hidden, a chart) and "S" (visible); each holds D26.
    auto sheet = [](const std::string& name, unsigned state, unsigned type, std::uint32_t at) {
        return record(0x0085, le32(at) + std::string{char(state), char(type)} + "\x01" + std::string(1, '\0') + name);
    };
    const std::string bof = record(0x0809, le16(0x0600) + le16(0x0005) + std::string(12, '\0'));
    const std::string xfs = record(0x00E0, le16(0) + le16(0) + std::string(16, '\0'));
    const std::size_t globals = bof.size() + xfs.size() + 3 * 13 + 4;
    auto substream = [&](double d26) {
        return record(0x0809, le16(0x0600) + le16(0x0010) + std::string(12, '\0')) + number(25, 3, 0, d26) +
               record(0x000A, "");
    };
    const std::size_t each = substream(0).size();
    for (const auto& [states, expected] : {std::pair{std::array<unsigned, 3>{1, 2, 0}, "D26=3"},
                                            std::pair{std::array<unsigned, 3>{0, 0, 0}, "D26=1"},
                                            std::pair{std::array<unsigned, 3>{1, 1, 2}, "D26=1"}}) {
        const std::string stream = bof + xfs + sheet("H", states[0], 0, std::uint32_t(globals)) +
                                   sheet("V", states[1], 2, std::uint32_t(globals + each)) +
                                   sheet("S", states[2], 0, std::uint32_t(globals + 2 * each)) + record(0x000A, "") +
                                   substream(1) + substream(2) + substream(3);
        EXPECT_EQ(outcome(xlsCompoundFile(stream)), expected);
    }
}

TEST(XlsFormulaResults, CraftedFilesAreReadOrRefusedCleanly) {
    const std::string wb = biff(kCells);
    const std::string good = xlsCompoundFile(wb);
    const std::size_t stream = 3 * 512;  // where the workbook stream starts in `good`
    const std::size_t sheetAt = wb.find(std::string("\x85\x00\x09\x00", 4)) + 4;  // BOUNDSHEET's offset
    auto changed = [](std::string bytes, const std::function<void(std::string&)>& change) {
        change(bytes);
        return bytes;
    };
    // The text result "A. Hydrologist€": one-byte characters, then two-byte ones in a CONTINUE.
    const std::string text = formula(1, 5, 0, kTextResult) + record(0x0207, le16(15) + '\0' + "A. Hydro") +
                             record(0x003C, std::string("\x01l\0o\0g\0i\0s\0t\0\xAC\x20", 15));
    const std::string chart = record(0x0809, le16(0x0600) + le16(0x0020) + std::string(12, '\0')) + record(0x000A, "");
    const std::string damaged = " is not a readable .xls workbook: ";
    const std::string noResult =
        ": E27: the formula has no stored result; open the workbook in a spreadsheet program and save it again";
    const struct {
        const char* name;
        std::string bytes;
        std::string expected;
    } cases[] = {
        {"regular sectors", good, "D26=2001-03-28 date E27=3.5"},
        {"mini stream", xlsCompoundFile(biff(kCells, 0)), "D26=2001-03-28 date E27=3.5"},
        {"sector table beyond the header's list", xlsCompoundFile(biff(kCells), 111), "D26=2001-03-28 date E27=3.5"},
        {"text over a CONTINUE record", xlsCompoundFile(biff(text)), "F2=A. Hydrologist\xE2\x82\xAC"},
        {"formula after an embedded chart", xlsCompoundFile(biff(chart + kCells)), "D26=2001-03-28 date E27=3.5"},
        {"encrypted", xlsCompoundFile(biff(kCells, 5000, record(0x002F, std::string(6, '\0')))),
         ": the workbook is protected by a password; save it without a password and try again"},
        {"cut header", good.substr(0, 300), damaged + "the file is too short"},
        {"cut stream", good.substr(0, stream + 4000), damaged + "the workbook stream is cut short"},
        {"sector chain in a loop", changed(good, [](std::string& b) { put32(b, 512 + 4 * 4, 3); }),
         damaged + "the workbook stream runs in a loop"},
        {"sector out of range", changed(good, [](std::string& b) { put32(b, 512 + 4 * 4, 70000); }),
         damaged + "the workbook stream lies outside the file"},
        {"index of the sector table in a loop",
         changed(xlsCompoundFile(biff(kCells, 70000), 111),
                 [](std::string& b) {
                     put32(b, 0x2C, 240);
                     put32(b, b.size() - 4, std::uint32_t(b.size() / 512 - 2));  // itself
                 }),
         damaged + "the index of the sector table runs in a loop"},
        {"sector table larger than the file", changed(good, [](std::string& b) { put32(b, 0x2C, 1u << 30); }),
         damaged + "the sector table is larger than the file"},
        {"absurd stream size", changed(good, [](std::string& b) { put32(b, 1024 + 128 + 0x78, 0xFFFFFF00); }),
         damaged + "the workbook stream is larger than the file"},
        {"record past the end", changed(good, [&](std::string& b) { b.replace(stream + wb.size() - 2, 2, le16(300)); }),
         damaged + "a record runs past the end of the workbook stream"},
        {"worksheet outside the stream", changed(good, [&](std::string& b) { put32(b, stream + sheetAt, 1u << 20); }),
         damaged + "the first worksheet lies outside the workbook stream"},
        {"formula without a result", xlsCompoundFile(biff(record(0x0006, le16(26) + le16(4) + le16(0) + le32(0)))),
         noResult},
        {"text result without its STRING record", xlsCompoundFile(biff(formula(26, 4, 0, kTextResult))), noResult},
    };
    for (const auto& c : cases) EXPECT_EQ(outcome(c.bytes), c.expected) << c.name;
}

// Inputs kept from fuzzing the reader (scripts/fuzz): each is read or refused with an
// InputError naming the file, and what is read lies on the worksheet.
TEST(XlsFormulaResults, KeptFuzzInputsAreReadOrRefusedCleanly) {
    int inputs = 0;
    for (const auto& entry : fs::directory_iterator(fixture("fuzz-xls"))) {
        if (entry.path().extension() == ".md") continue;
        EXPECT_EQ(xlsFuzzProblem(readWholeFile(entry.path())), "") << entry.path();
        ++inputs;
    }
    EXPECT_GT(inputs, 0);
}

}  // namespace
}  // namespace tarn
