// The saved workbook: a copy of the input with inputs, tables and daily series written,
// that opens again as an input workbook; the input itself stays untouched.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/errors.h"
#include "output/saved_workbook.h"
#include "run_job.h"
#include "support/temp_dir.h"
#include "workbook/input_workbook.h"
#include "workbook/zip_archive.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

struct Ran {
    testing::TempDir dir;
    fs::path input;
    Project project;
};

// The bundled example, copied and run as `tarnflow run` runs it.
std::unique_ptr<Ran> runExample(const std::string& inputName = "coln.xlsx",
                                const fs::path& source = fs::path(TARNFLOW_EXAMPLES_DIR) / "coln_bibury.xlsx") {
    auto ran = std::make_unique<Ran>();
    ran->input = ran->dir / inputName;
    fs::copy_file(source, ran->input);
    RunJobOptions options;
    options.workbook = ran->input;
    options.measured = true;
    options.timeNow = "2026-12-06 10:00:00";
    runJob(ran->project, options);
    return ran;
}

TEST(SavedWorkbook, DateTextIsYearMonthDayWithoutLeadingZeros) {
    EXPECT_EQ(savedDateText("1995-03-07"), "1995/3/7");
    EXPECT_EQ(savedDateText("2001-12-31"), "2001/12/31");
}

TEST(SavedWorkbook, CopyHoldsInputsAndTablesAndReopensAsAnInputWorkbook) {
    auto ran = runExample();
    const Project& p = ran->project;
    const std::string before = readWholeFile(ran->input);
    const SavedWorkbook saved = saveResultsWorkbook(p, ran->dir / "out.xlsx", false);
    EXPECT_EQ(saved.path, ran->dir / "out.xlsx");
    EXPECT_EQ(readWholeFile(ran->input), before);

    auto book = openWorkbook(saved.path);
    EXPECT_EQ(book->text("H2"), "2026-12-06 10:00:00");
    EXPECT_EQ(book->cell("F3").type, Cell::Type::Number);  // numbers stay numbers
    EXPECT_EQ(book->cell("G7").toNumber(), 100.0);           // TAW of sub-area 2
    EXPECT_EQ(book->text("D25"), "1999/1/1");
    EXPECT_EQ(book->cell("AF6").toNumber(), 1999.0);
    EXPECT_EQ(book->cell("AG6").toNumber(), 1.0);
    EXPECT_EQ(book->cell("AH6").toNumber(), p.MonTotal(tarn::MonthField::FirstVolume, 1));
    // Water years from July 1999: nine; calendar years: ten. Each side has its own years.
    EXPECT_EQ(book->cell("AM6").toNumber(), 1999.0);
    EXPECT_EQ(book->cell("AN6").toNumber(), p.AnnTotal(tarn::annualRow(tarn::AnnualFigure::FirstVolume, tarn::YearType::Water), 1));
    EXPECT_EQ(book->cell("AR15").toNumber(), 2008.0);
    EXPECT_TRUE(book->cell("AM15").empty());
    EXPECT_EQ(book->text("BF6"), p.MinDateFirst(tarn::YearType::Calendar, 1));
    EXPECT_EQ(book->cell("BG6").toNumber(), p.MinFlowFirst(tarn::YearType::Calendar, 1));
    EXPECT_TRUE(book->cell("AY15").empty());

    // The copy is an input workbook again, with the same series.
    Project again;
    loadDailySeries(*book, again, {true, true, EtrefInput::Daily});
    ASSERT_EQ(again.NumDays, p.NumDays);
    for (int d = 1; d <= p.NumDays; d += 97) {
        EXPECT_EQ(again.DayDate(d, 0), p.DayDate(d, 0));
        EXPECT_EQ(again.Balance(tarn::slot::Inputs, d, tarn::qty::P), p.Balance(tarn::slot::Inputs, d, tarn::qty::P));
        EXPECT_EQ(again.Balance(tarn::slot::Inputs, d, tarn::qty::ETr), p.Balance(tarn::slot::FirstRun, d, tarn::qty::ETr));
    }
}

TEST(SavedWorkbook, ExcelModeWritesTheDailyResults) {
    auto ran = runExample();
    const Project& p = ran->project;
    saveResultsWorkbook(p, ran->dir / "excel.xlsx", true);
    auto book = openWorkbook(ran->dir / "excel.xlsx");
    const int d = 400, row = 24 + d;
    EXPECT_EQ(book->cell(row, 5).toNumber(), p.Balance(tarn::slot::FirstRun, d, tarn::qty::P));       // E: rainfall
    EXPECT_EQ(book->cell(row, 19).toNumber(), p.Balance(tarn::slot::FirstRun, d, tarn::qty::Q));     // S: discharge
    EXPECT_EQ(book->cell(row, 20).toNumber(), p.Balance(tarn::slot::FirstRun, d, tarn::qty::Measured));     // T: measured
    EXPECT_EQ(book->cell(row, 21).toNumber(), p.Balance(tarn::slot::LastRun, d, tarn::qty::Q));     // U: last run
    EXPECT_EQ(book->cell(row, 22).toNumber(), p.FlowTable(tarn::FlowColumn::SubAreaFirst, d, 1));     // V: sub-area 1 litres
    EXPECT_EQ(book->cell(row, 31).toNumber(), p.FlowTable(tarn::FlowColumn::SubAreaFirst, d, 10));    // AE
}

TEST(SavedWorkbook, TheInputWorkbookIsNeverTheTarget) {
    auto ran = runExample();
    const std::string before = readWholeFile(ran->input);
    EXPECT_THROW(saveResultsWorkbook(ran->project, ran->input, false), InputError);
    EXPECT_EQ(readWholeFile(ran->input), before);
}

TEST(SavedWorkbook, ACopyOfACopyKeepsNoResultsOfTheEarlierRun) {
    // Last week's copy, with every daily result and table, opened again as the input of a
    // run whose tables are shorter.
    auto ran = runExample();
    Project& p = ran->project;
    const fs::path earlier = ran->dir / "earlier.xlsx";
    saveResultsWorkbook(p, earlier, true);
    {
        // The testing-only reference columns of the day rows are the workbook's own input.
        auto book = openWorkbook(earlier);
        for (const char* cell : {"AY25", "AZ26", "BA27", "BE28", "BF29", "BM30", "CG31"}) book->write(cell, 1.5);
        book->saveAs(earlier);
    }
    p.DataFile = earlier.string();
    p.NumMonths = 12;
    p.AnnYearsOf[1].count = p.AnnYearsOf[2].count = 1;
    p.MinYearsOf[1] = p.MinYearsOf[2] = 1;
    saveResultsWorkbook(p, ran->dir / "again.xlsx", false);

    auto book = openWorkbook(ran->dir / "again.xlsx");
    const int lastDayRow = 24 + p.NumDays;
    for (const char* cell : {"G25", "S400", "AE400"}) EXPECT_TRUE(book->cell(cell).empty()) << cell;
    EXPECT_TRUE(book->cell(lastDayRow, 31).empty());
    for (const char* cell : {"AF18", "AJ18", "AF100", "AM7", "AU7", "AY7", "BD7", "BF7", "BK7"})
        EXPECT_TRUE(book->cell(cell).empty()) << cell;
    for (const char* cell : {"AF17", "AM6", "AR6", "AY6", "BF6"}) EXPECT_FALSE(book->cell(cell).empty()) << cell;
    for (const char* cell : {"AY25", "AZ26", "BA27", "BE28", "BF29", "BM30", "CG31"})
        EXPECT_EQ(book->cell(cell).toNumber(), 1.5) << cell;
    // Inputs stay: the day rows' C..F, the monthly ETref table, the class tables.
    auto input = openWorkbook(ran->input);
    for (const char* cell : {"C400", "E400", "AC5", "AD16", "P5", "V5"})
        EXPECT_EQ(book->text(cell), input->text(cell)) << cell;
}

// The soil step reads the shares and rainfall factors of rows 5 and 6 again; the copy holds
// those the run used, so that it runs the same project when it is opened again.
TEST(SavedWorkbook, RowsFiveAndSixHoldTheSharesAndFactorsTheRunUsed) {
    auto ran = runExample();
    Project& p = ran->project;
    auto input = openWorkbook(ran->input);
    p.RainFactor[2] = 90;
    p.SubPara(0, para::Area) = 33.4;  // as read from a file; the run used the whole percent
    p.SubAreaPct[1] = 33;
    saveResultsWorkbook(p, ran->dir / "used.xlsx", false);
    auto book = openWorkbook(ran->dir / "used.xlsx");
    EXPECT_EQ(book->cell("G6").toNumber(), 90.0);
    EXPECT_EQ(book->cell("F5").toNumber(), 33.0);
    for (const char* cell : {"F6", "G5", "H5", "H6"}) EXPECT_EQ(book->text(cell), input->text(cell)) << cell;
}

TEST(SavedWorkbook, LegacyInputGivesAnXlsxCopyAndSaysSo) {
    auto ran = runExample("project.xls", fs::path(TARNFLOW_TEST_DATA_DIR) / "libreoffice.xls");
    const SavedWorkbook saved = saveResultsWorkbook(ran->project, ran->dir / "out.xls", false);
    EXPECT_EQ(saved.path, ran->dir / "out.xlsx");
    EXPECT_FALSE(saved.note.empty());
    EXPECT_EQ(openWorkbook(saved.path)->text("D25"), "2001/3/27");
}

TEST(SavedWorkbook, FailureSaysWhyAndLeavesNothing) {
    auto ran = runExample();
    EXPECT_THROW(saveResultsWorkbook(ran->project, ran->dir / "nope" / "out.xlsx", false), InputError);
    EXPECT_FALSE(fs::exists(ran->dir / "nope"));
}

}  // namespace
}  // namespace tarn
