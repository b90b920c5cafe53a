// Annual totals by water and calendar year, their labels and their paging.
#include <gtest/gtest.h>

#include "analysis/annual.h"
#include "support/months.h"

namespace tarn {
namespace {

TEST(AnnualTotals, WaterYearsRunFromJulyAndAreLabelledByTheirJuly) {
    Project p;
    testing::setMonths(p, 1995, 7, 24);  // July 1995 .. June 1997
    buildAnnualVolumes(p, YearType::Water);
    ASSERT_EQ(p.NumYears, 2);
    EXPECT_EQ(p.AnnYear[1], 1995.0f);
    EXPECT_EQ(p.AnnYear[2], 1996.0f);
    EXPECT_EQ(annualYearLabel(p, YearType::Water, 1), "1995-1996");
    EXPECT_EQ(annualYearLabel(p, YearType::Water, 2), "1996-1997");  // the last label is whole
    EXPECT_EQ(p.AnnTotal(tarn::annualRow(tarn::AnnualFigure::FirstVolume, tarn::YearType::Water), 1), 12.0);
    EXPECT_EQ(p.SubAnnual(3, tarn::annualBlock(tarn::Run::First, tarn::YearType::Water), 2), 36.0);  // 12 months of 3 (sub-area 3, first run)
}

TEST(AnnualTotals, CalendarYearsLeaveOutPartialYears) {
    Project p;
    testing::setMonths(p, 1995, 3, 24);  // March 1995 .. February 1997
    buildAnnualVolumes(p, YearType::Calendar);
    ASSERT_EQ(p.NumYears, 1);
    EXPECT_EQ(p.AnnYear[1], 1996.0f);
    EXPECT_EQ(annualYearLabel(p, YearType::Calendar, 1), "1996");
    EXPECT_EQ(p.AnnTotal(tarn::annualRow(tarn::AnnualFigure::FirstVolume, tarn::YearType::Calendar), 1), 12.0);
}

TEST(AnnualTotals, MeasuredDepthBecomesAVolumeOverTheCatchment) {
    Project p;
    testing::setMonths(p, 2001, 1, 12);
    for (int m = 1; m <= 12; ++m) p.MonTotal(tarn::MonthField::MeasuredDepth, m) = 350.0 / 12;
    p.TotalArea = "120";
    buildAnnualVolumes(p, YearType::Calendar);
    EXPECT_NEAR(p.AnnTotal(tarn::annualRow(tarn::AnnualFigure::MeasuredVolume, tarn::YearType::Calendar), 1), 420, 1e-3);
    buildAnnualDepths(p, YearType::Calendar);
    EXPECT_NEAR(p.AnnTotal(tarn::annualRow(tarn::AnnualFigure::MeasuredDepth, tarn::YearType::Calendar), 1), 350, 1e-4);
}

TEST(AnnualTotals, RunningSumIsHeldInSinglePrecision) {
    Project p;
    testing::setMonths(p, 2001, 1, 12);
    for (int m = 1; m <= 12; ++m) p.MonTotal(tarn::MonthField::FirstVolume, m) = 0.1;
    buildAnnualVolumes(p, YearType::Calendar);
    float acc = 0;
    for (int m = 1; m <= 12; ++m) acc = float(double(acc) + 0.1);
    EXPECT_EQ(p.AnnTotal(tarn::annualRow(tarn::AnnualFigure::FirstVolume, tarn::YearType::Calendar), 1), double(acc));
    EXPECT_NE(p.AnnTotal(tarn::annualRow(tarn::AnnualFigure::FirstVolume, tarn::YearType::Calendar), 1), 1.2);
}

TEST(AnnualTotals, LastRunOnlyAfterARerunAndEachYearTypeKeepsItsYears) {
    Project p;
    testing::setMonths(p, 2000, 1, 30);  // Jan 2000 .. Jun 2002
    buildAnnualVolumes(p, YearType::Water);
    EXPECT_EQ(p.AnnTotal(tarn::annualRow(tarn::AnnualFigure::LastVolume, tarn::YearType::Water), 1), 0.0);
    p.RerunFlag = 1;
    buildAnnualVolumes(p, YearType::Water);
    EXPECT_EQ(p.AnnTotal(tarn::annualRow(tarn::AnnualFigure::LastVolume, tarn::YearType::Water), 1), 12.0);
    EXPECT_EQ(p.SubAnnual(2, tarn::annualBlock(tarn::Run::Last, tarn::YearType::Water), 1), 48.0);
    buildAnnualVolumes(p, YearType::Calendar);
    EXPECT_EQ(p.NumYears, 2);  // the latest table's years
    EXPECT_EQ(p.AnnYearsOf[std::size_t(YearType::Water)].count, 2);
    EXPECT_EQ(p.AnnYearsOf[std::size_t(YearType::Water)].years[1], 2000.0f);
    EXPECT_EQ(p.AnnYearsOf[std::size_t(YearType::Calendar)].years[2], 2001.0f);
}

TEST(AnnualTotals, RecordShorterThanAYearGivesNoYears) {
    Project p;
    testing::setMonths(p, 2001, 3, 11);
    buildAnnualVolumes(p, YearType::Calendar);
    EXPECT_EQ(p.NumYears, 0);
}

TEST(AnnualTotals, ScaleAndUnitFromTheLargestMonth) {
    Project p;
    p.MaxMonFirst = 2500;
    EXPECT_EQ(chooseAnnualScale(p), "cubm x    10,000");
    EXPECT_EQ(p.AnnScale, 10);
    EXPECT_EQ(p.AnnUnit, "cubm x 10,000");
}

TEST(AnnualPaging, EightYearsAPageAndBack) {
    AnnualPager pager;
    const int years = 20;
    EXPECT_EQ(pager.showMe(years), (YearColumns{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(pager.start(), 8);
    auto second = pager.next(years);
    ASSERT_TRUE(second);
    EXPECT_EQ(*second, (YearColumns{8, 9, 10, 11, 12, 13, 14, 15}));
    EXPECT_EQ(pager.subAreaYear(1), 8);
    auto third = pager.next(years);
    ASSERT_TRUE(third);
    EXPECT_EQ(*third, (YearColumns{16, 17, 18, 19, 20, 0, 0, 0}));
    EXPECT_FALSE(pager.next(years).has_value());  // start 24 >= 20
    EXPECT_EQ(pager.previous(years), (YearColumns{9, 10, 11, 12, 13, 14, 15, 16}));
    EXPECT_EQ(pager.start(), 17);
    pager.showMe(years);
    pager.next(years);
    EXPECT_EQ(pager.previous(years), (YearColumns{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(pager.start(), 9);
    // Fewer than eight years, or none, fill fewer columns and have no next page.
    EXPECT_EQ(pager.showMe(3), (YearColumns{1, 2, 3, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(pager.next(3).has_value());
    pager.showMe(0);
    EXPECT_FALSE(pager.next(0).has_value());
}

}  // namespace
}  // namespace tarn
