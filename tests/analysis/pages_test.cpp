// The texts of the analysis screens' boxes: which box shows which year and run, in which
// pattern and scale, and which boxes stay blank.
#include <gtest/gtest.h>

#include "analysis/pages.h"
#include "analysis/seven_day.h"
#include "support/months.h"
#include "support/project_builder.h"

namespace tarn {
namespace {

using namespace std::chrono;

constexpr YearColumns kFirstEight{1, 2, 3, 4, 5, 6, 7, 8};

TEST(AnalysisPages, CaptionsNameTheDataFileAndTheSheet) {
    Project p;
    p.DataFile = "/data/coln.xlsx";
    const std::pair<AnalysisForm, const char*> cases[] = {
        {AnalysisForm::Monthly, "  Active data file is  /data/coln.xlsx   Sheet 9.5 of 9 "},
        {AnalysisForm::AnnualVolume, " Active data file is  /data/coln.xlsx     Sheet 9.2 of 9 "},
        {AnalysisForm::AnnualDepth, " Active data file is  /data/coln.xlsx     Sheet 9.1 of 9 "},
        {AnalysisForm::SevenDay, " Active data file is  /data/coln.xlsx  Sheet 9.3 of 9 "},
        {AnalysisForm::Period, " Active data file is  /data/coln.xlsx   Sheet 9.4 of 9 "},
    };
    for (const auto& [form, caption] : cases) EXPECT_EQ(analysisCaption(p, form), caption);
}

TEST(AnalysisPages, AnnualVolumesFillTheRunsBlocksAndOnlyTheYearsTheTableHolds) {
    Project p;
    testing::setMonths(p, 2000, 1, 30);  // two calendar years, 2000 and 2001
    p.TotalArea = "250";
    p.AnnScale = 10;
    for (int m = 1; m <= 12; ++m) p.MonSub(tarn::Run::First, 4, m) = 20;  // sub-area 4, first run, 2000: 240
    buildAnnualVolumes(p, YearType::Calendar);

    const AnnualVolumeTexts t = annualVolumeTexts(p, YearType::Calendar, {1, 2}, kFirstEight, false);
    EXPECT_EQ(t.years[0], "2000");
    EXPECT_EQ(t.years[1], "2001");
    EXPECT_EQ(t.years[2], kBlankBox);
    EXPECT_EQ(t.volumes[0], "1");    // 12 thousand m3 / 10
    EXPECT_EQ(t.measured[0], "3");   // 12 mm over 250 ha = 30 thousand m3, / 10
    EXPECT_EQ(t.first[0][3], "24");
    EXPECT_EQ(t.first[1][2], "4");   // 12 x 3 / 10 = 3.6
    EXPECT_EQ(t.first[2][2], "");    // no third year
    // Without a rerun the last-run block and its sub-area table stay blank.
    EXPECT_EQ(t.years[8], kBlankBox);
    EXPECT_EQ(t.measured[8], kBlankBox);
    EXPECT_EQ(t.last[0][2], "");
    // A year type whose table was never built shows nothing.
    const AnnualVolumeTexts water = annualVolumeTexts(p, YearType::Water, {1, 2}, kFirstEight, false);
    EXPECT_EQ(water.years[0], kBlankBox);
    EXPECT_EQ(water.first[0][3], "");

    p.RerunFlag = 1;
    buildAnnualVolumes(p, YearType::Calendar);
    p.SubAnnual(5, tarn::annualBlock(tarn::Run::First, tarn::YearType::Calendar), 2) = -6.0;
    const AnnualVolumeTexts rerun = annualVolumeTexts(p, YearType::Calendar, {2}, {2}, false);
    EXPECT_EQ(rerun.years[8], "2001");
    EXPECT_EQ(rerun.volumes[8], "1");
    EXPECT_EQ(rerun.measured[8], "3");
    EXPECT_EQ(rerun.last[0][1], "5");  // 12 x 2 x 2 / 10 = 4.8
    EXPECT_EQ(rerun.first[0][4], "-1");
    // A page turned writes only the sub-area volumes above 0.
    EXPECT_EQ(annualVolumeTexts(p, YearType::Calendar, {2}, {2}, true).first[0][4], "");
}

TEST(AnalysisPages, AnnualDepthsAreWholeMillimetres) {
    Project p;
    testing::setMonths(p, 1999, 7, 24);  // water years 1999-2000 and 2000-2001
    for (int m = 1; m <= 24; ++m) p.MonTotal(tarn::MonthField::FirstDepth, m) = 30.04;
    buildAnnualDepths(p, YearType::Water);
    const AnnualDepthTexts t = annualDepthTexts(p, YearType::Water, {2});
    EXPECT_EQ(t.years[0], "2000-2001");
    EXPECT_EQ(t.depths[0], "360");
    EXPECT_EQ(t.measured[0], "12");
    EXPECT_EQ(t.depths[8], kBlankBox);
}

TEST(AnalysisPages, SevenDayMinimaShowDateVolumeDepthAndSubAreasOfTheMinimumDay) {
    // Two calendar years at 3 mm/day with a week at 1 mm/day from day 100; sub-area 1
    // carries all the flow, sub-area 2 none.
    const int n = 730;
    Project p = testing::makeProject(year{2001} / 1 / 1, std::vector<double>(n, 0.0), std::vector<double>(n, 0.0), {});
    for (int d = 1; d <= n; ++d) {
        const double q = d >= 100 && d < 107 ? 1.0 : 3.0;
        p.Balance(slot::FirstRun, d, qty::Q) = q;
        p.Balance(slot::FirstRun, d, qty::Measured) = 2 * q;
        p.FlowTable(tarn::FlowColumn::CatchmentFirst, d, tarn::kCatchment) = q * 7000;
        p.FlowTable(tarn::FlowColumn::SubAreaFirst, d, 1) = q * 7000;
    }
    p.FlowScale = 0.001;
    computeSevenDayMeans(p);
    findSevenDayMinima(p, YearType::Calendar);

    for (const bool page : {false, true}) {
        const SevenDayTexts t = sevenDayTexts(p, YearType::Calendar, {1, 2}, page);
        EXPECT_EQ(t.years[0], "2001");
        EXPECT_EQ(t.years[1], "2002");
        EXPECT_EQ(t.dates[0], p.DayDate(100, 0));
        EXPECT_EQ(t.minima[0], "7000");  // 7 m3 a day / 0.001
        EXPECT_EQ(t.depths[0], "01.00");
        EXPECT_EQ(t.first[0][0], "7000");
        EXPECT_EQ(t.first[0][1], page ? kBlankBox : "0");  // a sub-area without flow that day
        EXPECT_EQ(t.first[2][0], kBlankBox);                 // no third year
        // Without a rerun or a measured series their boxes stay blank.
        EXPECT_EQ(t.years[8], kBlankBox);
        EXPECT_EQ(t.dates[17], kBlankBox);
    }

    p.MeasFlow = 1;
    p.RerunFlag = 1;
    for (int d = 1; d <= n; ++d) {
        p.Balance(slot::LastRun, d, qty::Q) = 4;
        p.FlowTable(tarn::FlowColumn::CatchmentLast, d, tarn::kCatchment) = 4 * 7000;
    }
    computeSevenDayMeans(p);
    findSevenDayMinima(p, YearType::Calendar);
    const SevenDayTexts t = sevenDayTexts(p, YearType::Calendar, {2}, false);
    EXPECT_EQ(t.years[8], "2002");
    EXPECT_EQ(t.minima[8], "28000");
    EXPECT_EQ(t.depths[8], "04.00");
    EXPECT_EQ(t.minima[17], "06.00");
    EXPECT_EQ(t.minima[25], "06.00");
    EXPECT_EQ(t.dates[25], t.dates[17]);
    EXPECT_EQ(t.dates[16], kBlankBox);
}

TEST(AnalysisPages, AreasAsTheTablesShowThem) {
    Project p;
    p.TotalArea = "10697";
    p.SubArea[1] = 4278.8;
    p.SubArea[2] = "0";
    const AreaTexts t = areaTexts(p);
    EXPECT_EQ(t.total, "10697");
    EXPECT_EQ(t.subAreas[0], "4279");
    EXPECT_EQ(t.subAreas[1], "");
}

}  // namespace
}  // namespace tarn
