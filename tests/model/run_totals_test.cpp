// Calendar-month totals of a run, the calendar years after a rerun and MaxMonFirst.
#include <gtest/gtest.h>

#include "model/run_model.h"
#include "model/run_totals.h"
#include "support/project_builder.h"

namespace tarn {
namespace {

using namespace std::chrono;
using testing::makeProject;
using testing::SubAreaSetup;

// A project whose discharges are set directly, so the totals can be checked by hand.
Project withDischarge(year_month_day start, int n) {
    SubAreaSetup a;
    a.area = 200;
    Project p = makeProject(start, std::vector<double>(std::size_t(n), 1.0),
                            std::vector<double>(std::size_t(n), 1.0), {a});
    for (int d = 1; d <= n; ++d) {
        p.Balance(tarn::subAreaSlot(1), d, qty::Q) = 1.0;                 // mm/day
        p.Balance(slot::FirstRun, d, qty::Q) = 1.0;    // mm/day
        p.FlowTable(tarn::FlowColumn::CatchmentFirst, d, tarn::kCatchment) = 2000000.0;             // litres = 2 thousand m3
    }
    return p;
}

TEST(RunTotals, PeriodFromMidMarchToMayGivesThreePartialMonths) {
    Project p = withDischarge(year{2001} / 3 / 15, 57);  // 15 March .. 10 May
    BuildRunTotals(p);
    ASSERT_EQ(p.NumMonths, 3);
    const int days[] = {17, 30, 10};
    for (int m = 1; m <= 3; ++m) {
        EXPECT_EQ(p.MonYear[std::size_t(m)], 2001.0f);
        EXPECT_EQ(p.MonMonth[std::size_t(m)], float(2 + m));
        EXPECT_DOUBLE_EQ(p.MonTotal(tarn::MonthField::FirstDepth, m), days[m - 1]);           // mm
        EXPECT_DOUBLE_EQ(p.MonTotal(tarn::MonthField::FirstVolume, m), 2.0 * days[m - 1]);     // thousand m3
        EXPECT_DOUBLE_EQ(p.MonSub(Run::First, 1, m), 200 * 1.0 / 100 * days[m - 1]);
    }
}

TEST(RunTotals, OneDayIsOneMonth) {
    Project p = withDischarge(year{2001} / 7 / 31, 1);
    p.Balance(slot::FirstRun, 1, qty::Measured) = 4.5;
    BuildRunTotals(p);
    ASSERT_EQ(p.NumMonths, 1);
    EXPECT_DOUBLE_EQ(p.MonTotal(tarn::MonthField::FirstDepth, 1), 1.0);
    EXPECT_DOUBLE_EQ(p.MonTotal(tarn::MonthField::FirstVolume, 1), 2.0);
    EXPECT_DOUBLE_EQ(p.MonTotal(tarn::MonthField::MeasuredDepth, 1), 4.5);
    EXPECT_EQ(p.MonMonth[1], 7.0f);
    EXPECT_DOUBLE_EQ(p.MaxMonFirst, 2.0);
}

TEST(RunTotals, MeasuredTotalIsThePlainSumAlsoInTheLastMonth) {
    Project p = withDischarge(year{2001} / 1 / 30, 5);  // 30, 31 Jan; 1, 2, 3 Feb
    const double measured[] = {10, 20, 1, 2, 3};
    for (int d = 1; d <= 5; ++d) p.Balance(slot::FirstRun, d, qty::Measured) = measured[d - 1];
    BuildRunTotals(p);
    ASSERT_EQ(p.NumMonths, 2);
    EXPECT_DOUBLE_EQ(p.MonTotal(tarn::MonthField::MeasuredDepth, 1), 30);
    EXPECT_DOUBLE_EQ(p.MonTotal(tarn::MonthField::MeasuredDepth, 2), 6);
}

TEST(RunTotals, RerunListsCalendarYearsClosedByDecemberOrTheLastMonth) {
    {
        Project p = withDischarge(year{2000} / 1 / 1, 366);
        p.RerunFlag = 1;
        BuildRunTotals(p);
        ASSERT_EQ(p.NumYears, 1);
        EXPECT_EQ(p.AnnYear[1], 2000.0f);
    }
    {
        Project p = withDischarge(year{2000} / 1 / 1, 366 + 59);  // to 28 Feb 2001
        p.RerunFlag = 1;
        BuildRunTotals(p);
        ASSERT_EQ(p.NumMonths, 14);
        ASSERT_EQ(p.NumYears, 2);
        EXPECT_EQ(p.AnnYear[1], 2000.0f);
        EXPECT_EQ(p.AnnYear[2], 2001.0f);
    }
    {
        Project p = withDischarge(year{2000} / 1 / 1, 366);
        BuildRunTotals(p);  // a first run leaves the years alone
        EXPECT_EQ(p.NumYears, 0);
    }
}

TEST(RunTotals, MaxMonFirstLeavesTheLastMonthOut) {
    Project p = withDischarge(year{2001} / 4 / 1, 61);  // April, May
    for (int d = 1; d <= 30; ++d) p.FlowTable(tarn::FlowColumn::CatchmentFirst, d, tarn::kCatchment) = 5e6 / 30;
    for (int d = 31; d <= 61; ++d) p.FlowTable(tarn::FlowColumn::CatchmentFirst, d, tarn::kCatchment) = 9e6 / 31;
    BuildRunTotals(p);
    ASSERT_EQ(p.NumMonths, 2);
    EXPECT_NEAR(p.MonTotal(tarn::MonthField::FirstVolume, 2), 9, 1e-9);
    EXPECT_NEAR(p.MaxMonFirst, 5, 1e-9);
}

TEST(RunTotals, RerunKeepsFirstRunFieldsAndFillsLastRunFields) {
    Project p = withDischarge(year{2001} / 1 / 1, 90);
    BuildRunTotals(p);
    const double firstVolume = p.MonTotal(tarn::MonthField::FirstVolume, 2), firstDepth = p.MonTotal(tarn::MonthField::FirstDepth, 2);
    p.RerunFlag = 1;
    for (int d = 1; d <= 90; ++d) {
        p.Balance(slot::LastRun, d, qty::Q) = 3.0;
        p.FlowTable(tarn::FlowColumn::CatchmentLast, d, tarn::kCatchment) = 1000000.0;
        p.Balance(tarn::subAreaSlot(1), d, qty::Q) = 2.0;
    }
    BuildRunTotals(p);
    EXPECT_EQ(p.MonTotal(tarn::MonthField::FirstVolume, 2), firstVolume);
    EXPECT_EQ(p.MonTotal(tarn::MonthField::FirstDepth, 2), firstDepth);
    EXPECT_DOUBLE_EQ(p.MonTotal(tarn::MonthField::LastDepth, 2), 3.0 * 28);
    EXPECT_DOUBLE_EQ(p.MonTotal(tarn::MonthField::LastVolume, 2), 1.0 * 28);
    EXPECT_DOUBLE_EQ(p.MonSub(Run::Last, 1, 2), 200 * 2.0 / 100 * 28);
    EXPECT_DOUBLE_EQ(p.MonSub(Run::First, 1, 2), 200 * 1.0 / 100 * 28);
}

TEST(RunTotals, LongRecordGrowsTheMonthTables) {
    const int n = 365 * 40 + 10;
    Project p = withDischarge(year{1950} / 1 / 1, n);
    BuildRunTotals(p);
    EXPECT_EQ(p.NumMonths, 40 * 12);  // 1950..1989: forty years, ten of them leap years
}

}  // namespace
}  // namespace tarn
