// The .xlsx reader on the variations of the format: sheet order, string tables, sparse and
// unordered rows, formulas, booleans, date formats and both date systems.
#include <gtest/gtest.h>

#include "model/dates.h"
#include "model/errors.h"
#include "support/temp_dir.h"
#include "workbook/workbook.h"
#include "workbook/xlsx_builder.h"
#include "workbook/zip_archive.h"

namespace tarn {
namespace {

using testing::TempDir;

// Rewrites one part of an .xlsx file.
void replacePart(const std::filesystem::path& file, const std::string& part, const std::string& content) {
    ZipReader in(readWholeFile(file), file.string());
    ZipWriter out;
    for (const auto& name : in.names()) {
        if (name == part)
            out.add(name, content);
        else
            out.copy(in, name);
    }
    if (!in.contains(part)) out.add(part, content);
    out.save(file);
}

const char* kSheetHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><worksheet "
    "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";

std::filesystem::path workbookWithSheet(const TempDir& dir, const std::string& sheetData) {
    XlsxBuilder b;
    b.addSheet("S");
    const auto file = dir / "book.xlsx";
    b.save(file);
    replacePart(file, "xl/worksheets/sheet1.xml", std::string(kSheetHead) + sheetData + "</sheetData></worksheet>");
    return file;
}

TEST(XlsxReader, FirstWorksheetIsTheFirstInSheetOrderNotByFileName) {
    TempDir dir;
    XlsxBuilder b;
    const int first = b.addSheet("Data", "sheet9.xml");
    const int second = b.addSheet("Other", "sheet1.xml");
    b.setText(first, 1, 1, "first");
    b.setText(second, 1, 1, "second");
    b.save(dir / "order.xlsx");
    EXPECT_EQ(openWorkbook(dir / "order.xlsx")->text("A1"), "first");
}

TEST(XlsxReader, SharedAndInlineStringsReadAlike) {
    TempDir dir;
    for (bool shared : {false, true}) {
        XlsxBuilder b({false, shared});
        const int s = b.addSheet("S");
        b.setText(s, 1, 1, "  padded & <odd> ");
        b.setText(s, 2, 3, "Zürich");
        b.setText(s, 3, 1, "  padded & <odd> ");
        b.save(dir / "strings.xlsx");
        auto book = openWorkbook(dir / "strings.xlsx");
        EXPECT_EQ(book->text("A1"), "  padded & <odd> ");
        EXPECT_EQ(book->text("C2"), "Zürich");
        EXPECT_EQ(book->text("A3"), "  padded & <odd> ");
        EXPECT_EQ(book->text("B2"), "");
    }
}

TEST(XlsxReader, RichTextSharedStringsAreJoined) {
    TempDir dir;
    XlsxBuilder b({false, true});
    b.addSheet("S");
    b.setText(0, 1, 1, "x");
    b.save(dir / "rich.xlsx");
    replacePart(dir / "rich.xlsx", "xl/sharedStrings.xml",
                "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><r><t>Rain</t></r>"
                "<r><rPr><b/></rPr><t xml:space=\"preserve\"> fall</t></r><rPh><t>x</t></rPh></si></sst>");
    EXPECT_EQ(openWorkbook(dir / "rich.xlsx")->text("A1"), "Rain fall");
}

TEST(XlsxReader, RowsAndCellsWithoutReferencesOrOutOfOrder) {
    TempDir dir;
    const auto file = workbookWithSheet(dir,
        "<row><c><v>1</v></c><c><v>2</v></c></row>"            // row 1: A1, B1
        "<row r=\"5\"><c r=\"C5\"><v>3</v></c><c><v>4</v></c></row>"  // D5 follows C5
        "<row><c r=\"B6\"><v>5</v></c></row>"                  // row 6
        "<row r=\"3\"><c r=\"E3\"><v>6</v></c><c r=\"A3\"><v>7</v></c></row>");
    auto book = openWorkbook(file);
    EXPECT_EQ(book->cell("A1").toNumber(), 1.0);
    EXPECT_EQ(book->cell("B1").toNumber(), 2.0);
    EXPECT_EQ(book->cell("C5").toNumber(), 3.0);
    EXPECT_EQ(book->cell("D5").toNumber(), 4.0);
    EXPECT_EQ(book->cell("B6").toNumber(), 5.0);
    EXPECT_EQ(book->cell("E3").toNumber(), 6.0);
    EXPECT_EQ(book->cell("A3").toNumber(), 7.0);
    EXPECT_TRUE(book->cell("A2").empty());
    EXPECT_TRUE(book->cell("ZZ999").empty());
}

TEST(XlsxReader, FormulaResultsBooleansErrorsAndIsoDates) {
    TempDir dir;
    const auto file = workbookWithSheet(dir,
        "<row r=\"1\"><c r=\"A1\"><f>1+1</f><v>2</v></c><c r=\"B1\" t=\"str\"><f>\"a\"&amp;\"b\"</f><v>ab</v></c>"
        "<c r=\"C1\" t=\"b\"><v>1</v></c><c r=\"D1\" t=\"e\"><v>#N/A</v></c>"
        "<c r=\"E1\" t=\"d\"><v>2001-03-27T00:00:00</v></c><c r=\"F1\" s=\"0\"/>"
        "<c r=\"G1\" t=\"inlineStr\"><is><t>12.5</t></is></c></row>");
    auto book = openWorkbook(file);
    EXPECT_EQ(book->cell("A1").toNumber(), 2.0);
    EXPECT_EQ(book->text("B1"), "ab");
    EXPECT_EQ(book->text("C1"), "TRUE");
    EXPECT_FALSE(book->cell("C1").toNumber().has_value());
    EXPECT_EQ(book->text("D1"), "#N/A");
    EXPECT_EQ(book->cell("E1").type, Cell::Type::Date);
    EXPECT_EQ(book->text("E1"), "2001-03-27");
    EXPECT_TRUE(book->cell("F1").empty());
    EXPECT_EQ(book->cell("G1").toNumber(), 12.5);  // a number typed as text
}

TEST(XlsxReader, DisplayedTextOfNumbers) {
    TempDir dir;
    const auto file = workbookWithSheet(dir,
        "<row r=\"1\"><c r=\"A1\"><v>1250</v></c><c r=\"B1\"><v>0.30000000000000004</v></c>"
        "<c r=\"C1\"><v>-2.5E-3</v></c><c r=\"D1\"><v>1E+21</v></c></row>");
    auto book = openWorkbook(file);
    EXPECT_EQ(book->text("A1"), "1250");
    EXPECT_EQ(book->text("B1"), "0.3");
    EXPECT_EQ(book->text("C1"), "-0.0025");
    EXPECT_EQ(book->text("D1"), "1E+21");
}

TEST(DateSerials, NineteenHundredSystemKeepsItsPhantomLeapDay) {
    EXPECT_EQ(dateTextOfSerial(1, false), "1900-01-01");
    EXPECT_EQ(dateTextOfSerial(59, false), "1900-02-28");
    EXPECT_FALSE(dateTextOfSerial(60, false).has_value());
    EXPECT_EQ(dateTextOfSerial(61, false), "1900-03-01");
    EXPECT_EQ(dateTextOfSerial(36977, false), "2001-03-27");
    EXPECT_EQ(dateTextOfSerial(36977.75, false), "2001-03-27");  // the time of day is dropped
    EXPECT_FALSE(dateTextOfSerial(0, false).has_value());
    EXPECT_FALSE(dateTextOfSerial(-5, false).has_value());
    EXPECT_EQ(dateTextOfSerial(0, true), "1904-01-01");
    EXPECT_EQ(dateTextOfSerial(35515, true), "2001-03-27");
    for (const char* text : {"1900-01-01", "1900-02-28", "1900-03-01", "2001-03-27", "2099-12-31"}) {
        const int days = daysSinceEpoch(*parseDateText(text));
        EXPECT_EQ(dateTextOfSerial(serialOfDays(days, false), false), text);
        if (std::string(text) >= "1904") EXPECT_EQ(dateTextOfSerial(serialOfDays(days, true), true), text);
    }
}

TEST(DateFormats, DateCodesAreToldFromNumberAndTimeCodes) {
    for (const char* code : {"yyyy-mm-dd", "d/m/yy", "[$-409]d-mmm-yy;@", "dd\\.mm\\.yyyy", "mmm yyyy",
                             "yyyy-mm-dd hh:mm", "[Red]d-m-yy", "\"Day \"d mmmm"})
        EXPECT_TRUE(isDateFormatCode(code)) << code;
    for (const char* code : {"General", "0.00", "#,##0", "mm:ss", "[h]:mm", "h:mm AM/PM", "0.0\" mm\"",
                             "\"date\"0", "0.00E+00", "@"})
        EXPECT_FALSE(isDateFormatCode(code)) << code;
    EXPECT_TRUE(isBuiltinDateFormat(14));
    EXPECT_TRUE(isBuiltinDateFormat(22));
    EXPECT_FALSE(isBuiltinDateFormat(0));
    EXPECT_FALSE(isBuiltinDateFormat(2));
    EXPECT_FALSE(isBuiltinDateFormat(20));  // h:mm
}

TEST(XlsxReader, PrefixedElementNamesAreRead) {
    TempDir dir;
    XlsxBuilder b;
    b.addSheet("S");
    const auto file = dir / "prefixed.xlsx";
    b.save(file);
    replacePart(file, "xl/worksheets/sheet1.xml",
                "<x:worksheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                "<x:sheetData><x:row r=\"2\"><x:c r=\"B2\" t=\"inlineStr\"><x:is><x:t>hi</x:t></x:is></x:c>"
                "</x:row></x:sheetData></x:worksheet>");
    EXPECT_EQ(openWorkbook(file)->text("B2"), "hi");
}

}  // namespace
}  // namespace tarn
