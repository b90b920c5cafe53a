// Saving a copy of a workbook with written cells: the input file stays untouched, every
// part but the first worksheet stays as it was, the copy reads back (here and, where it is
// installed, in LibreOffice), and a failed save leaves nothing behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "model/errors.h"
#include "support/temp_dir.h"
#include "workbook/workbook.h"
#include "workbook/xlsx_builder.h"
#include "workbook/zip_archive.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

fs::path fixture(const std::string& name) { return fs::path(TARNFLOW_TEST_DATA_DIR) / name; }

fs::path copyOf(const TempDir& dir, const std::string& name) {
    fs::copy_file(fixture(name), dir / name);
    return dir / name;
}

void writeSome(Workbook& book) {
    book.write("F1", "Renamed catchment");    // existing text cell
    book.write("G1", 42.125);                  // new cell in an existing row
    book.write("D26", "2001/3/28");            // over a date cell
    book.write("AF3", 7.0);                    // over a formula
    book.write("B20", "between rows");         // a row that does not exist yet
    book.write("CG40", 0.1 + 0.2);             // beyond the last row and column
    book.write("E27", Variant());              // cleared
}

void checkSome(const Workbook& book) {
    EXPECT_EQ(book.text("F1"), "Renamed catchment");
    EXPECT_EQ(book.cell("G1").toNumber(), 42.125);
    EXPECT_EQ(book.text("D26"), "2001/3/28");
    EXPECT_EQ(book.cell("AF3").toNumber(), 7.0);
    EXPECT_EQ(book.text("B20"), "between rows");
    EXPECT_EQ(book.cell("CG40").toNumber(), 0.1 + 0.2);  // exactly the same double
    EXPECT_TRUE(book.cell("E27").empty());
    EXPECT_EQ(book.text("F2"), "A. Hydrologist");          // untouched cells stay
    EXPECT_EQ(book.cell("E29").toNumber(), 0.4);
}

TEST(WorkbookSave, CopyHoldsWrittenCellsAndTheInputStaysUntouched) {
    TempDir dir;
    for (const char* name : {"openpyxl_1900.xlsx", "libreoffice.xlsx"}) {
        const fs::path input = copyOf(dir, name);
        const std::string before = readWholeFile(input);
        auto book = openWorkbook(input);
        writeSome(*book);
        checkSome(*book);  // reads see the writes at once
        const auto result = book->saveAs(dir / "copy.xlsx");
        EXPECT_EQ(result.path, dir / "copy.xlsx");
        EXPECT_EQ(result.note, "");
        EXPECT_EQ(readWholeFile(input), before) << name;
        checkSome(*openWorkbook(dir / "copy.xlsx"));

        // Every part except the first worksheet (and the workbook's recalculation flag)
        // is the same as in the input.
        ZipReader a(readWholeFile(input), "in"), b(readWholeFile(dir / "copy.xlsx"), "out");
        EXPECT_EQ(a.names(), b.names());
        for (const auto& part : a.names()) {
            if (part == "xl/worksheets/sheet1.xml" || part == "xl/workbook.xml") continue;
            EXPECT_EQ(*a.read(part), *b.read(part)) << name << ": " << part;
        }
        EXPECT_NE(b.read("xl/workbook.xml")->find("fullCalcOnLoad=\"1\""), std::string::npos);
        fs::remove(input);
    }
}

TEST(WorkbookSave, StaleCalculationChainIsDropped) {
    TempDir dir;
    XlsxBuilder builder;
    builder.addSheet("S");
    Cell four;
    four.type = Cell::Type::Number;
    four.number = 4;
    builder.setNumber(0, 1, 1, 2);
    builder.setFormula(0, 1, 2, "A1*2", four);
    builder.save(dir / "plain.xlsx");
    // Add a calculation chain as spreadsheet programs write it.
    {
        ZipReader in(readWholeFile(dir / "plain.xlsx"), "plain");
        ZipWriter out;
        for (const auto& part : in.names()) {
            std::string content = *in.read(part);
            if (part == "[Content_Types].xml")
                content.insert(content.find("</Types>"),
                               "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"application/"
                               "vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml\"/>");
            if (part == "xl/_rels/workbook.xml.rels")
                content.insert(content.find("</Relationships>"),
                               "<Relationship Id=\"rId99\" Type=\"http://schemas.openxmlformats.org/"
                               "officeDocument/2006/relationships/calcChain\" Target=\"calcChain.xml\"/>");
            out.add(part, content);
        }
        out.add("xl/calcChain.xml", "<calcChain xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><c r=\"B1\" i=\"1\"/></calcChain>");
        out.save(dir / "chained.xlsx");
    }
    auto book = openWorkbook(dir / "chained.xlsx");
    book->write("A1", 5.0);
    book->saveAs(dir / "saved.xlsx");
    ZipReader saved(readWholeFile(dir / "saved.xlsx"), "saved");
    EXPECT_FALSE(saved.contains("xl/calcChain.xml"));
    EXPECT_EQ(saved.read("[Content_Types].xml")->find("calcChain"), std::string::npos);
    EXPECT_EQ(saved.read("xl/_rels/workbook.xml.rels")->find("calcChain"), std::string::npos);
    EXPECT_NE(saved.read("xl/workbook.xml")->find("<calcPr fullCalcOnLoad=\"1\"/>"), std::string::npos);
    auto reread = openWorkbook(dir / "saved.xlsx");
    EXPECT_EQ(reread->cell("A1").toNumber(), 5.0);
    EXPECT_EQ(reread->cell("B1").toNumber(), 4.0);  // the cached value until recalculated
}

TEST(WorkbookSave, SavingOntoTheInputFileItselfKeepsItWhole) {
    TempDir dir;
    const fs::path input = copyOf(dir, "libreoffice.xlsx");
    auto book = openWorkbook(input);
    writeSome(*book);
    book->saveAs(input);
    checkSome(*openWorkbook(input));
    // Nothing else is left in the folder.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path())) ++files;
    EXPECT_EQ(files, 1);
}

TEST(WorkbookSave, FailedSaveSaysWhyAndLeavesNothing) {
    TempDir dir;
    auto book = openWorkbook(copyOf(dir, "openpyxl_1900.xlsx"));
    try {
        book->saveAs(dir / "no-such-folder" / "copy.xlsx");
        FAIL() << "expected an error";
    } catch (const InputError& e) {
        EXPECT_NE(std::string(e.what()).find("does not exist"), std::string::npos) << e.what();
    }
    fs::create_directory(dir / "locked");
    fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    const bool rootIgnoresPermissions = [&] {
        std::ofstream probe(dir / "locked" / "probe");
        return bool(probe);
    }();
    if (!rootIgnoresPermissions) {
        EXPECT_THROW(book->saveAs(dir / "locked" / "copy.xlsx"), InputError);
        EXPECT_TRUE(fs::is_empty(dir / "locked"));
    }
    fs::permissions(dir / "locked", fs::perms::owner_all);
    // Saving onto a folder's name.
    fs::create_directory(dir / "taken.xlsx");
    EXPECT_THROW(book->saveAs(dir / "taken.xlsx"), InputError);
}

TEST(WorkbookSave, LegacyXlsInputIsSavedAsXlsxAndSaysSo) {
    TempDir dir;
    const fs::path input = copyOf(dir, "libreoffice.xls");
    const std::string before = readWholeFile(input);
    auto book = openWorkbook(input);
    writeSome(*book);
    const auto result = book->saveAs(dir / "copy.xls");
    EXPECT_EQ(result.path, dir / "copy.xlsx");
    EXPECT_NE(result.note.find(".xlsx"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "copy.xls"));
    EXPECT_EQ(readWholeFile(input), before);
    auto copy = openWorkbook(dir / "copy.xlsx");
    checkSome(*copy);
    EXPECT_EQ(copy->text("D25"), "2001-03-27");  // dates stay dates
    EXPECT_EQ(copy->cell("D25").type, Cell::Type::Date);
}

// LibreOffice, where installed, opens the saved copy and sees the same cells.
TEST(WorkbookSave, LibreOfficeReadsTheSavedCopy) {
    if (std::system("command -v soffice >/dev/null 2>&1") != 0) GTEST_SKIP() << "LibreOffice is not installed";
    TempDir dir;
    auto book = openWorkbook(copyOf(dir, "openpyxl_1900.xlsx"));
    writeSome(*book);
    book->saveAs(dir / "copy.xlsx");
    const std::string command = "cd '" + dir.path().string() +
                                "' && soffice -env:UserInstallation=file://" + dir.path().string() +
                                "/profile --headless --convert-to csv copy.xlsx >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream csv(dir / "copy.csv");
    ASSERT_TRUE(csv) << "LibreOffice wrote no CSV";
    std::vector<std::vector<std::string>> rows;
    std::string line;
    while (std::getline(csv, line)) {
        std::vector<std::string> cells;
        std::string cellText;
        bool quoted = false;
        for (char ch : line) {
            if (ch == '"') quoted = !quoted;
            else if (ch == ',' && !quoted) { cells.push_back(cellText); cellText.clear(); }
            else cellText.push_back(ch);
        }
        cells.push_back(cellText);
        rows.push_back(cells);
    }
    auto at = [&](int row, int column) -> std::string {
        if (row > int(rows.size()) || column > int(rows[std::size_t(row - 1)].size())) return "";
        return rows[std::size_t(row - 1)][std::size_t(column - 1)];
    };
    EXPECT_EQ(at(1, 6), "Renamed catchment");
    EXPECT_EQ(at(1, 7), "42.125");
    EXPECT_EQ(at(20, 2), "between rows");
    EXPECT_EQ(at(26, 4), "2001/3/28");
    EXPECT_EQ(at(3, 32), "7");
    EXPECT_EQ(at(40, 85), "0.3");
    EXPECT_EQ(at(27, 5), "");
    EXPECT_EQ(at(29, 5), "0.4");
    EXPECT_EQ(at(2, 6), "A. Hydrologist");
}

}  // namespace
}  // namespace tarn
