// Refusals of the readers: one short line of printable text naming the file and the cell
// or line, whatever the file holds (UTF-16, binary bytes, huge texts, absurd numbers, a
// password), and the worksheet read when a hidden one comes first.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>

#include "fuzz/xls_fuzz_input.h"
#include "model/errors.h"
#include "model/message_text.h"
#include "model/project.h"
#include "support/temp_dir.h"
#include "workbook/daily_csv.h"
#include "workbook/input_workbook.h"
#include "workbook/xls_formulas.h"
#include "workbook/xlsx_builder.h"
#include "workbook/zip_archive.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

std::string example() { return std::string(TARNFLOW_EXAMPLES_DIR) + "/coln_bibury.xlsx"; }

// One line, short, and nothing but printable ASCII or well-formed UTF-8.
void expectOneShortPrintableLine(const std::string& message) {
    EXPECT_LT(message.size(), 300u) << message.substr(0, 300);
    for (unsigned char ch : message) ASSERT_TRUE(ch >= 0x20 && ch != 0x7F) << message.substr(0, 300);
    EXPECT_EQ(printableText(message, message.size()), message);
}

std::string refusalOf(const std::function<void()>& read) {
    try {
        read();
    } catch (const InputError& e) {
        return e.what();
    }
    return "(read)";
}

TEST(MessageText, CutsAndEscapesWhatAFileHolds) {
    struct Case {
        std::string text, shown;
    } cases[] = {
        {"n/a", "'n/a'"},
        {std::string(41, 'x'), "'" + std::string(40, 'x') + "...'"},
        {std::string(40, 'x'), "'" + std::string(40, 'x') + "'"},
        {"a\tb\nc\x01", "'a\\tb\\nc\\x01'"},
        {"caf\xC3\xA9 \xE2\x82\xAC", "'caf\xC3\xA9 \xE2\x82\xAC'"},             // UTF-8 kept
        {"\xFF\xC3(\xC0\xAF\xED\xA0\x80", "'\\xFF\\xC3(\\xC0\\xAF\\xED\\xA0\\x80'"},  // not UTF-8
        {"\xC2\x85|\x7F", "'\\u0085|\\x7F'"},
        {std::string("a\0b", 3), "'a\\x00b'"},
    };
    for (const Case& c : cases) EXPECT_EQ(quotedText(c.text), c.shown);
}

TEST(CsvRefusals, OneShortLineNamingTheFileAndLine) {
    testing::TempDir dir;
    const std::string header = "date,rain,etref,flow\n";
    struct Case {
        const char* name;
        std::string bytes, says;
    } cases[] = {
        {"utf16-bom", std::string("\xFF\xFE" "d\0a\0t\0e\0", 10), ": the file is not UTF-8 text"},
        {"utf16-bare", std::string("d\0a\0t\0e\0,\0", 10), ": the file is not UTF-8 text"},
        {"binary", header + std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), ": the file is not UTF-8 text"},
        {"huge-field", header + "2001-01-01," + std::string(10'000'000, '7') + "x,1,\n",
         ", line 2: rainfall '" + std::string(40, '7') + "...' is not a number"},
        {"control-bytes", header + "2001-01-01,\x1B[31m\x07,1,\n", ", line 2: rainfall '\\x1B[31m\\x07' is not a number"},
        {"bad-utf8-date", header + "\xC0\xAF\xFE,1,1,\n", ", line 2: date '\\xC0\\xAF\\xFE' is not a date"},
        {"huge-rain", header + "2001-01-01,1e308,1,\n",
         ", line 2: the rainfall 1e308 mm is not plausible (0..10000 mm a day)"},
        {"huge-etref", header + "2001-01-01,1,10000.5,\n", ", line 2: the reference evapotranspiration 10000.5 mm"},
        {"huge-flow", header + "2001-01-01,1,1,2e4\n", ", line 2: the measured streamflow 2e4 mm is not plausible"},
    };
    for (const Case& c : cases) {
        const fs::path file = dir / (std::string(c.name) + ".csv");
        std::ofstream(file, std::ios::binary) << c.bytes;
        const std::string message = refusalOf([&] { readDailyCsv(file); });
        EXPECT_EQ(message.rfind(file.string() + c.says, 0), 0u) << c.name << ": " << message.substr(0, 300);
        expectOneShortPrintableLine(message);
    }
    // A negative measured streamflow is read (and only warned of later); 10000 mm is the edge.
    std::ofstream(dir / "edge.csv") << header << "2001-01-01,10000,0,-0.2\n";
    EXPECT_EQ(readDailyCsv(dir / "edge.csv").days.at(0).flow, -0.2);
}

TEST(WorkbookRefusals, DailyValuesAndTextsOfCells) {
    struct Case {
        const char* address;
        Variant value;
        std::string says;
    } cases[] = {
        {"E1043", 1e308, "E1043: the rainfall 1E+308 mm is not plausible (0..10000 mm a day)"},
        {"E30", -3.0, "E30: the rainfall -3 mm is not plausible"},
        {"F31", 20000.0, "F31: the reference evapotranspiration 20000 mm is not plausible"},
        {"C32", 1e6, "C32: the measured streamflow 1000000 mm is not plausible"},
        {"E33", std::string(10'000'000, 'y'), "E33: '" + std::string(40, 'y') + "...' is not a number"},
        {"E34", std::string("\x1B]0;pwned\x07\r\n"), "E34: '\\x1B]0;pwned\\x07\\r\\n' is not a number"},
        {"D35", std::string("\xFF\xFE"), "D35: '\\xFF\\xFE' is not a date"},
    };
    for (const Case& c : cases) {
        auto book = openWorkbook(example());
        book->write(c.address, c.value);
        Project p;
        const std::string message = refusalOf([&] { loadDailySeries(*book, p, {true, true, EtrefInput::Daily}); });
        EXPECT_EQ(message.rfind(c.says, 0), 0u) << message.substr(0, 300);
        expectOneShortPrintableLine(message);
        EXPECT_EQ(p.NumDays, 0) << c.address;  // nothing was read into the project
    }
    // The input chart's reads of one series refuse the same values.
    auto book = openWorkbook(example());
    book->write("E40", 1e308);
    EXPECT_EQ(refusalOf([&] { readDayNumbers(*book, 3653, "E"); }),
              "E40: the rainfall 1E+308 mm is not plausible (0..10000 mm a day)");
    book->write("AD7", -1.0);
    EXPECT_EQ(refusalOf([&] { readMonthlyTable(*book, "AD"); }),
              "AD7: the reference evapotranspiration -1 mm is not plausible (0..10000 mm a day)");
}

// A compound file whose one stream, of `bytes`, is named `name` (at most 31 ASCII letters).
std::string compoundFileWithStream(const std::string& name, const std::string& bytes) {
    std::string file = xlsCompoundFile(bytes);
    const std::string workbook("W\0o\0r\0k\0b\0o\0o\0k\0", 16);
    const auto at = file.find(workbook);
    std::string entry(64, '\0');
    for (std::size_t i = 0; i < name.size(); ++i) entry[2 * i] = name[i];
    file.replace(at, 64, entry);
    const unsigned length = unsigned(2 * name.size() + 2);
    file[at + 64] = char(length & 0xFF);
    file[at + 65] = char(length >> 8);
    return file;
}

TEST(WorkbookRefusals, PasswordProtectedWorkbooks) {
    testing::TempDir dir;
    // An .xlsx saved with a password is a compound file with the encryption streams; an
    // .xls has a FILEPASS record in its globals.
    const std::string bof = std::string("\x09\x08\x10\x00\x00\x06\x05\x00", 8) + std::string(12, '\0');
    const std::string filePass = std::string("\x2F\x00\x06\x00", 4) + std::string(6, '\0');
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"info.xlsx", compoundFileWithStream("EncryptionInfo", std::string(5000, '\x04'))},
        {"package.xlsx", compoundFileWithStream("EncryptedPackage", std::string(200, '\x04'))},
        {"old.xls", xlsCompoundFile(bof + filePass + std::string(5000, '\0'))},
    };
    for (const auto& c : cases) {
        const fs::path file = dir / c.name;
        std::ofstream(file, std::ios::binary) << c.bytes;
        EXPECT_EQ(refusalOf([&] { openWorkbook(file); }),
                  file.string() + ": the workbook is protected by a password; save it without a password and try again");
    }
}

TEST(WorkbookRefusals, AHiddenWorksheetBeforeTheProjectIsPassedOver) {
    testing::TempDir dir;
    XlsxBuilder builder;
    const int notes = builder.addSheet("Notes");
    const int secret = builder.addSheet("Secret");
    const int project = builder.addSheet("Project");
    builder.setText(notes, 1, 6, "notes");
    builder.setText(secret, 1, 6, "secret");
    builder.setText(project, 1, 6, "the project");
    builder.save(dir / "plain.xlsx");
    // Hide the first two sheets in the workbook part, as spreadsheet programs do.
    ZipReader plain(readWholeFile(dir / "plain.xlsx"), "plain.xlsx");
    std::string workbookXml = *plain.read("xl/workbook.xml");
    for (auto [name, state] : {std::pair{"\"Notes\"", "hidden"}, std::pair{"\"Secret\"", "veryHidden"}}) {
        const auto at = workbookXml.find(name);
        ASSERT_NE(at, std::string::npos) << workbookXml;
        workbookXml.insert(at + std::string(name).size(), std::string(" state=\"") + state + "\"");
    }
    ZipWriter hidden;
    for (const std::string& part : plain.names())
        if (part == "xl/workbook.xml")
            hidden.add(part, workbookXml);
        else
            hidden.copy(plain, part);
    hidden.save(dir / "hidden.xlsx");
    EXPECT_EQ(openWorkbook(dir / "hidden.xlsx")->text("F1"), "the project");
    EXPECT_EQ(openWorkbook(dir / "plain.xlsx")->text("F1"), "notes");
}

}  // namespace
}  // namespace tarn
