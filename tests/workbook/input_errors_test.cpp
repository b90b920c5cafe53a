// Bad input workbooks: each gives one clear message that names the file or the cell, and
// nothing of the project or the file changes.
#include <gtest/gtest.h>

#include <fstream>

#include "model/dates.h"
#include "model/errors.h"
#include "model/measured_days.h"
#include "support/temp_dir.h"
#include "workbook/input_workbook.h"
#include "workbook/xlsx_builder.h"
#include "workbook/zip_archive.h"

namespace tarn {
namespace {

using namespace std::chrono;
using testing::TempDir;

std::string messageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const InputError& e) {
        return e.what();
    }
    return "(no error)";
}

// A workbook with `days` consecutive days from 2001-01-01 in D, rain 1 in E, ETref 2 in F.
XlsxBuilder seriesBook(int days) {
    XlsxBuilder b;
    b.addSheet("S");
    const int first = daysSinceEpoch(year{2001} / 1 / 1);
    for (int d = 1; d <= days; ++d) {
        b.setDate(0, 24 + d, 4, first + d - 1);
        b.setNumber(0, 24 + d, 5, 1);
        b.setNumber(0, 24 + d, 6, 2);
    }
    return b;
}

TEST(InputErrors, FilesThatAreNoWorkbooksAreNamed) {
    TempDir dir;
    EXPECT_EQ(messageOf([&] { openWorkbook(dir / "missing.xlsx"); }),
              (dir / "missing.xlsx").string() + ": no such file");
    std::ofstream(dir / "notes.xlsx") << "just some text";
    EXPECT_EQ(messageOf([&] { openWorkbook(dir / "notes.xlsx"); }),
              (dir / "notes.xlsx").string() + " is not a workbook (neither .xlsx nor .xls)");
    EXPECT_NE(messageOf([&] { openWorkbook(dir.path()); }).find("is a folder"), std::string::npos);

    // A zip archive without a workbook inside.
    ZipWriter zip;
    zip.add("hello.txt", "hi");
    zip.save(dir / "archive.xlsx");
    EXPECT_NE(messageOf([&] { openWorkbook(dir / "archive.xlsx"); }).find("xl/workbook.xml is missing"),
              std::string::npos);

    // A broken archive that starts like one.
    std::ofstream(dir / "cut.xlsx") << "PK\x03\x04" << std::string(100, 'x');
    EXPECT_NE(messageOf([&] { openWorkbook(dir / "cut.xlsx"); }).find("is not a workbook"), std::string::npos);
    std::ofstream(dir / "cut.xls") << "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" << std::string(100, 'x');
    EXPECT_NE(messageOf([&] { openWorkbook(dir / "cut.xls"); }).find("not a readable .xls workbook"),
              std::string::npos);
}

TEST(InputErrors, WorkbookWithoutWorksheets) {
    TempDir dir;
    XlsxBuilder b;
    b.addSheet("S");
    b.save(dir / "book.xlsx");
    ZipReader in(readWholeFile(dir / "book.xlsx"), "book");
    ZipWriter out;
    for (const auto& name : in.names()) {
        if (name == "xl/workbook.xml")
            out.add(name, "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheets/></workbook>");
        else
            out.copy(in, name);
    }
    out.save(dir / "empty.xlsx");
    EXPECT_EQ(messageOf([&] { openWorkbook(dir / "empty.xlsx"); }), (dir / "empty.xlsx").string() + " has no worksheet");
}

TEST(InputErrors, NonNumberInADataColumnNamesTheCell) {
    TempDir dir;
    XlsxBuilder b = seriesBook(1020);
    b.setText(0, 1043, 5, "n/a");
    b.save(dir / "book.xlsx");
    auto book = openWorkbook(dir / "book.xlsx");
    Project p;
    p.resizeDays(3);
    p.DayDate(1, 0) = "1999-01-01";
    EXPECT_EQ(messageOf([&] { loadDailySeries(*book, p, {}); }), "E1043: 'n/a' is not a number");
    EXPECT_EQ(p.NumDays, 3);  // the project is as it was
    EXPECT_EQ(p.DayDate(1, 0), "1999-01-01");
}

TEST(InputErrors, DatesThatAreNotDatesOrNotConsecutive) {
    TempDir dir;
    {
        XlsxBuilder b = seriesBook(40);
        b.setText(0, 30, 4, "next day");
        b.save(dir / "a.xlsx");
        Project p;
        EXPECT_EQ(messageOf([&] { loadDailySeries(*openWorkbook(dir / "a.xlsx"), p, {}); }),
                  "D30: 'next day' is not a date");
    }
    {
        XlsxBuilder b = seriesBook(40);
        b.setDate(0, 31, 4, daysSinceEpoch(year{2001} / 1 / 9));  // skips 2001-01-07 and -08
        b.save(dir / "b.xlsx");
        Project p;
        EXPECT_EQ(messageOf([&] { loadDailySeries(*openWorkbook(dir / "b.xlsx"), p, {}); }),
                  "D31: 2001-01-09 does not follow 2001-01-06 of D30; the dates must be consecutive days");
    }
    {
        XlsxBuilder b = seriesBook(5);
        b.setText(0, 27, 4, "2001-01-02");  // repeats the day before
        b.save(dir / "c.xlsx");
        Project p;
        EXPECT_EQ(messageOf([&] { loadDailySeries(*openWorkbook(dir / "c.xlsx"), p, {}); }),
                  "D27: 2001-01-02 does not follow 2001-01-02 of D26; the dates must be consecutive days");
    }
    {
        XlsxBuilder b = seriesBook(5);
        b.setNumber(0, 26, 4, 60);  // 29 February 1900, a day that never was
        b.save(dir / "d.xlsx");
        Project p;
        EXPECT_EQ(messageOf([&] { loadDailySeries(*openWorkbook(dir / "d.xlsx"), p, {}); }),
                  "D26: '60' is not a date");
    }
}

TEST(InputErrors, NoSilentMisreads) {
    TempDir dir;
    {
        // The dates stop at D30 while the rainfall goes on.
        XlsxBuilder b = seriesBook(40);
        b.setText(0, 30, 4, "");
        b.save(dir / "short-dates.xlsx");
        Project p;
        EXPECT_EQ(messageOf([&] { loadDailySeries(*openWorkbook(dir / "short-dates.xlsx"), p, {}); }),
                  "D30 is empty while E30 holds the rainfall '1'; the dates must go on as long as the rainfall does");
    }
    {
        // Formulas: a stored result is read as the value; a formula that a program wrote
        // without calculating it is not taken for an empty cell.
        XlsxBuilder b = seriesBook(10);
        Cell three;
        three.type = Cell::Type::Number;
        three.number = 3;
        b.setFormula(0, 26, 5, "1+2", three);
        b.setFormula(0, 27, 5, "E26*2", Cell());
        b.setFormula(0, 3, 40, "F3*2", Cell());  // a cell no one reads
        b.save(dir / "formulas.xlsx");
        auto book = openWorkbook(dir / "formulas.xlsx");
        EXPECT_EQ(book->cell("E26").toNumber(), 3.0);
        Project p;
        EXPECT_EQ(messageOf([&] { loadDailySeries(*book, p, {}); }),
                  "E27: the formula has no stored result; open the workbook in a spreadsheet program and save "
                  "it again");
        EXPECT_EQ(p.NumDays, 0);
    }
}

TEST(InputErrors, EmptyMeasuredCellsAreMissingDaysNotZeroFlow) {
    // Ten days with measured streamflow 0.5 in C25:C34, except the cells a case sets:
    // nullptr empties the cell, any other text is written as it is or as the number it reads.
    struct Case {
        const char* name;
        std::vector<std::pair<int, const char*>> cells;  // day, content
        std::vector<int> missing;
        const char* missingText;
        const char* negativeText;
    } cases[] = {
        {"none", {}, {}, "", ""},
        {"one", {{3, nullptr}}, {3}, "C27 has no measured streamflow", ""},
        {"many", {{2, "\t"}, {5, nullptr}, {6, nullptr}, {7, " "}}, {2, 5, 6, 7},
         "C26 and 3 more days have no measured streamflow", ""},
        {"negatives and a gap", {{4, "-0.3"}, {8, "-2"}, {9, "-1"}, {1, nullptr}}, {1},
         "C25 has no measured streamflow", "C28: the measured streamflow -0.3 is negative and 2 more days"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        XlsxBuilder b = seriesBook(10);
        for (int d = 1; d <= 10; ++d) b.setNumber(0, 24 + d, 3, 0.5);
        for (const auto& [day, content] : c.cells) {
            if (!content)
                b.set(0, 24 + day, 3, Cell());
            else if (auto x = parseNumber(content))
                b.setNumber(0, 24 + day, 3, *x);
            else
                b.setText(0, 24 + day, 3, content);
        }
        b.save(dir / "book.xlsx");
        Project p;
        loadDailySeries(*openWorkbook(dir / "book.xlsx"), p, {true, true, EtrefInput::Daily});
        std::vector<int> missing;
        for (int d = 0; d <= 11; ++d)
            if (measuredMissing(p, d)) missing.push_back(d);
        EXPECT_EQ(missing, c.missing);
        EXPECT_EQ(missingMeasuredDays(p), int(c.missing.size()));
        EXPECT_EQ(p.MeasMissing.empty(), c.missing.empty());
        for (int d : c.missing) EXPECT_EQ(p.Balance(slot::FirstRun, d, qty::Measured), 0.0);
        EXPECT_EQ(missingMeasuredText(p), c.missingText);
        EXPECT_EQ(negativeMeasuredText(p), c.negativeText);

        // A read that fails keeps what the last good read found; one without the measured
        // series, or whose measured series is whole, leaves nothing missing.
        b.setText(0, 30, 3, "n/a");
        b.save(dir / "bad.xlsx");
        EXPECT_EQ(messageOf([&] { loadDailySeries(*openWorkbook(dir / "bad.xlsx"), p, {true, true, EtrefInput::Daily}); }),
                  "C30: 'n/a' is not a number");
        EXPECT_EQ(missingMeasuredText(p), c.missingText);
        loadDailySeries(*openWorkbook(dir / "book.xlsx"), p, {});
        EXPECT_EQ(missingMeasuredText(p) + negativeMeasuredText(p), "");
    }
}

TEST(InputErrors, EmptyDateColumnAndTooManyDays) {
    TempDir dir;
    {
        XlsxBuilder b;
        b.addSheet("S");
        b.setText(0, 1, 1, "nothing here");
        b.save(dir / "none.xlsx");
        Project p;
        auto book = openWorkbook(dir / "none.xlsx");
        EXPECT_EQ(countDays(*book), 0);
        EXPECT_EQ(messageOf([&] { loadDailySeries(*book, p, {}); }),
                  "D25: there are no dates from row 25 down in column D");
    }
    {
        XlsxBuilder b;
        b.addSheet("S");
        for (int d = 1; d <= kMaxDays + 1; ++d) b.setNumber(0, 24 + d, 4, 1000 + d);
        b.save(dir / "long.xlsx");
        auto book = openWorkbook(dir / "long.xlsx");
        EXPECT_EQ(messageOf([&] { countDays(*book); }),
                  "Column D holds more than 40000 days from row 25; at most 40000 days can be run");
    }
}

TEST(InputErrors, SoilClassValueThatIsNotANumber) {
    TempDir dir;
    XlsxBuilder b;
    b.addSheet("S");
    b.setText(0, 6, 17, "deep");  // Q6: RAW of class 2
    b.save(dir / "soil.xlsx");
    Project p;
    p.SubPara(0, para::TAW) = "150";
    EXPECT_EQ(messageOf([&] { loadParametersFromDataFile(*openWorkbook(dir / "soil.xlsx"), p); }),
              "Q6: 'deep' is not a number");
    EXPECT_EQ(p.SubPara(0, para::TAW), Variant("150"));
}

}  // namespace
}  // namespace tarn
