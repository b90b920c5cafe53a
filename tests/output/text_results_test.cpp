// The text results file, line by line against a file checked by hand
// (tests/data/small_results.csv), and its writing.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "model/errors.h"
#include "output/text_results.h"
#include "support/temp_dir.h"
#include "workbook/zip_archive.h"

namespace tarn {
namespace {

// Two days across the start of a water year, with one water year, two calendar years of
// seven-day minima and tables written directly.
Project smallProject() {
    Project p;
    p.resizeDays(2);
    p.DayDate(1, 0) = "2001-06-30";
    p.DayDate(2, 0) = "2001-07-01";
    for (int k = 1; k <= 16; ++k) {
        p.Balance(tarn::slot::FirstRun, 1, tarn::quantityAt(k)) = k + 0.5;
        p.Balance(tarn::slot::FirstRun, 2, tarn::quantityAt(k)) = 2.0 * k;
    }
    p.FlowTable(tarn::FlowColumn::CatchmentFirst, 1, tarn::kCatchment) = 1000;
    p.FlowTable(tarn::FlowColumn::CatchmentFirst, 2, tarn::kCatchment) = 2000.5;
    p.reserveMonths(2);
    p.NumMonths = 2;
    p.MonYear[1] = p.MonYear[2] = 2001;
    p.MonMonth[1] = 6;
    p.MonMonth[2] = 7;
    p.MonTotal(tarn::MonthField::FirstVolume, 1) = 0.25;
    p.MonTotal(tarn::MonthField::MeasuredDepth, 1) = 1.5;
    p.MonTotal(tarn::MonthField::FirstVolume, 2) = 0.5;
    p.MonTotal(tarn::MonthField::MeasuredDepth, 2) = 3;
    p.reserveYears(3);
    p.AnnUnit = "cubm x 1000";
    p.AnnYearsOf[1].count = 1;
    p.AnnYearsOf[1].years[1] = 2001;
    p.AnnTotal(tarn::annualRow(tarn::AnnualFigure::FirstVolume, tarn::YearType::Water), 1) = 12.5;
    p.AnnTotal(tarn::annualRow(tarn::AnnualFigure::MeasuredVolume, tarn::YearType::Water), 1) = 13.25;
    p.SubAnnual(1, tarn::annualBlock(tarn::Run::First, tarn::YearType::Water), 1) = 4.5;
    p.SubAnnual(2, tarn::annualBlock(tarn::Run::First, tarn::YearType::Water), 1) = 8.0;
    p.MinFlowUnit = "cubm x 1000 / day";
    p.MinYearsOf[1] = 1;
    p.MinYearsOf[2] = 2;
    p.MinDateFirst(tarn::YearType::Water, 1) = "2001-07-01";
    p.MinFlowFirst(tarn::YearType::Water, 1) = 0.125;
    p.MinDateMeas(tarn::YearType::Water, 1) = "2001-07-02";
    p.MinFlowMeas(tarn::YearType::Water, 1) = 0.5;
    p.MinDateFirst(tarn::YearType::Calendar, 1) = "2001-06-30";
    p.MinFlowFirst(tarn::YearType::Calendar, 1) = 1;
    p.MinDateFirst(tarn::YearType::Calendar, 2) = "2002-01-05";
    p.MinFlowFirst(tarn::YearType::Calendar, 2) = 2.5;
    return p;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends in CR LF";
        if (end == std::string::npos) break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(TextResults, LayoutMatchesTheHandCheckedFile) {
    const std::string expected = readWholeFile(std::string(TARNFLOW_TEST_DATA_DIR) + "/small_results.csv");
    const std::string actual = textResults(smallProject());
    const auto want = linesOf(expected), got = linesOf(actual);
    for (std::size_t i = 0; i < std::max(want.size(), got.size()); ++i)
        EXPECT_EQ(i < got.size() ? got[i] : "(missing)", i < want.size() ? want[i] : "(extra)") << "line " << i + 1;
}

TEST(TextResults, AfterARerunTheDailyLinesCarryTheLastRunWithUnscaledRain) {
    Project p = smallProject();
    p.RerunFlag = 1;
    p.Balance(tarn::slot::Inputs, 1, tarn::qty::P) = 9.75;
    p.Balance(tarn::slot::LastRun, 1, tarn::qty::ETr) = 0.125;
    p.FlowTable(tarn::FlowColumn::CatchmentLast, 1, tarn::kCatchment) = 1e-7;
    const auto lines = linesOf(textResults(p));
    EXPECT_EQ(lines[1].substr(0, 30), "\"2001-06-30\",9.75,0.125,0,0,0,");
    EXPECT_NE(lines[1].find(",1000,0.0000001"), std::string::npos) << lines[1];  // plain decimals
}

TEST(TextResults, QuotesInsideStringsAreDoubled) {
    Project p = smallProject();
    p.DayDate(1, 0) = "30 \"June\" 2001";
    EXPECT_NE(textResults(p).find("\"30 \"\"June\"\" 2001\","), std::string::npos);
}

TEST(TextResults, TitlesNameTheUnitOfTheNumbersWhateverScaleAScreenChose) {
    for (const char* shown : {"", "cubm x 100,000"}) {
        Project p = smallProject();
        p.AnnUnit = p.MinFlowUnit = shown;
        const std::string text = textResults(p);
        EXPECT_NE(text.find("\r\n\" Annual Totals cubm x 1000\"\r\n"), std::string::npos) << shown;
        EXPECT_NE(text.find("\r\n\" 7 Day Minimum  cubm/day - Water Year \","), std::string::npos) << shown;
    }
}

TEST(TextResults, EmptyTablesStillWriteTheirHeaders) {
    Project p;
    p.resizeDays(1);
    p.DayDate(1, 0) = "2001-01-01";
    const auto lines = linesOf(textResults(p));
    // header, one day, separator; monthly 8, annual 9, four sub-area blocks of 7, seven-day 8
    EXPECT_EQ(lines.size(), 2u + 1 + 8 + 9 + 4 * 7 + 8);
    EXPECT_EQ(lines.back(), "\"  \"");
}

TEST(TextResults, WrittenAtomicallyAndFailuresSayWhy) {
    testing::TempDir dir;
    const Project p = smallProject();
    writeTextResults(p, dir / "r.csv");
    EXPECT_EQ(readWholeFile(dir / "r.csv"), textResults(p));
    try {
        writeTextResults(p, dir / "missing" / "r.csv");
        FAIL();
    } catch (const InputError& e) {
        EXPECT_NE(std::string(e.what()).find("does not exist"), std::string::npos);
    }
}

}  // namespace
}  // namespace tarn
