// Seven-day means, the yearly minima of water and calendar years, and the period minimum.
#include <gtest/gtest.h>

#include "analysis/period.h"
#include "analysis/seven_day.h"
#include "model/errors.h"
#include "support/project_builder.h"

namespace tarn {
namespace {

using namespace std::chrono;

// A project of n days from `start` whose first-run catchment discharge is q(d) mm/day and
// volume q(d) * 7000 litres, and whose measured streamflow is 2 q(d).
template <class F>
Project withDischarge(year_month_day start, int n, F q) {
    Project p = testing::makeProject(start, std::vector<double>(std::size_t(n), 0.0),
                                     std::vector<double>(std::size_t(n), 0.0), {});
    for (int d = 1; d <= n; ++d) {
        p.Balance(slot::FirstRun, d, qty::Q) = q(d);
        p.FlowTable(tarn::FlowColumn::CatchmentFirst, d, tarn::kCatchment) = q(d) * 7000;
        p.Balance(slot::FirstRun, d, qty::Measured) = 2 * q(d);
    }
    return p;
}

TEST(SevenDayMeans, LookForwardAndCountDaysPastTheRecordAsZero) {
    Project p = withDischarge(year{2001} / 1 / 1, 10, [](int d) { return double(d); });
    computeSevenDayMeans(p);
    EXPECT_DOUBLE_EQ(p.SevenDay.firstDepth[1], (1 + 2 + 3 + 4 + 5 + 6 + 7) / 7.0);
    EXPECT_DOUBLE_EQ(p.SevenDay.firstVolume[1], (1 + 2 + 3 + 4 + 5 + 6 + 7) * 7000 / 7000.0);
    EXPECT_DOUBLE_EQ(p.SevenDay.firstDepth[9], (9 + 10) / 7.0);
    EXPECT_DOUBLE_EQ(p.SevenDay.measuredDepth[10], 20 / 7.0);
}

TEST(SevenDayMinima, WholeCalendarYearsEachGiveOneYear) {
    Project p = withDischarge(year{2001} / 1 / 1, 730, [](int d) { return 5.0 + (d % 50); });
    computeSevenDayMeans(p);
    findSevenDayMinima(p, YearType::Calendar);
    EXPECT_EQ(p.YearBounds, 3);  // 2001-01-01, 2002-01-01, 2002-12-31
    EXPECT_EQ(p.MinYearsOf[2], 2);
    EXPECT_EQ(p.YearStartText[3], "2002-12-31");
    EXPECT_EQ(p.YearNum[1], 2001);
    EXPECT_EQ(p.YearNum[2], 2002);
    EXPECT_EQ(p.PageYears, 2);
}

TEST(SevenDayMinima, OnlyWholeWindowsCountSoTheLastYearKeepsItsMidYearLow) {
    // 3 mm/day with one week at 1 mm/day in May 2002. The windows of the record's last six
    // days would hold fewer than seven days of flow and look lower still.
    Project p = withDischarge(year{2001} / 1 / 1, 730, [](int d) { return d >= 500 && d < 507 ? 1.0 : 3.0; });
    computeSevenDayMeans(p);
    for (YearType type : {YearType::Calendar, YearType::Water}) {
        findSevenDayMinima(p, type);
        const int column = int(type), last = p.MinYearsOf[std::size_t(column)];
        ASSERT_GE(last, 1);
        EXPECT_EQ(p.MinDateFirst(type, last), p.DayDate(500, 0));
        EXPECT_DOUBLE_EQ(p.MinFlowFirst(type, last), 7.0);
        EXPECT_EQ(p.MinDateMeas(type, last), p.DayDate(500, 0));
    }
    // A record shorter than a week has no whole window at all.
    Project shortRecord = withDischarge(year{2001} / 12 / 28, 6, [](int) { return 1.0; });
    computeSevenDayMeans(shortRecord);
    findSevenDayMinima(shortRecord, YearType::Calendar);
    EXPECT_EQ(shortRecord.MinYearsOf[2], 0);
}

TEST(SevenDayMinima, PartialFirstYearIsSkipped) {
    Project p = withDischarge(year{2001} / 1 / 2, 800, [](int) { return 1.0; });
    computeSevenDayMeans(p);
    findSevenDayMinima(p, YearType::Calendar);
    EXPECT_EQ(p.YearStartText[1], "2002-01-01");
    EXPECT_EQ(p.MinYearsOf[2], 1);
    EXPECT_EQ(p.YearNum[1], 2002);
}

TEST(SevenDayMinima, EqualMinimaGiveTheLaterDayAndLeadingZerosDoNotCount) {
    // 2001 and the first day of 2002: ten dry days, then 3 mm/day with two equal week-long
    // dips to 0.1 mm/day.
    Project p = withDischarge(year{2001} / 1 / 1, 366, [](int d) {
        if (d <= 10) return 0.0;
        if ((d >= 100 && d < 107) || (d >= 200 && d < 207)) return 0.1;
        return 3.0;
    });
    computeSevenDayMeans(p);
    findSevenDayMinima(p, YearType::Calendar);
    ASSERT_EQ(p.MinYearsOf[2], 1);
    EXPECT_DOUBLE_EQ(p.MinFlowFirst(tarn::YearType::Calendar, 1), 0.7);  // the week's litres / 7000
    EXPECT_EQ(p.MinDayFirst[1], 200);
    EXPECT_EQ(p.MinDateFirst(tarn::YearType::Calendar, 1), p.DayDate(200, 0));
    EXPECT_EQ(p.MinDayMeas[1], 200);
    EXPECT_DOUBLE_EQ(p.MinFlowMeas(tarn::YearType::Calendar, 1), 0.2);
}

TEST(SevenDayMinima, YearWithoutAnyPositiveMeanHasNoMinimum) {
    Project p = withDischarge(year{2001} / 1 / 1, 731, [](int d) { return d <= 365 ? 2.0 : 0.0; });
    computeSevenDayMeans(p);
    findSevenDayMinima(p, YearType::Calendar);
    ASSERT_EQ(p.MinYearsOf[2], 2);
    EXPECT_NE(p.MinDateFirst(tarn::YearType::Calendar, 1), "");
    EXPECT_EQ(p.MinDateFirst(tarn::YearType::Calendar, 2), "");
    EXPECT_EQ(p.MinFlowFirst(tarn::YearType::Calendar, 2), 0.0);
    EXPECT_EQ(p.MinDayFirst[2], 0);
}

// Two calendar years at 3 mm/day (measured 6). The measured streamflow dips to 1 on days
// 43..49 and 51..57; day 50 has no measurement (its cell was empty: 0 is stored), nor has
// any day of 2002 (days 366..730).
Project withMissingMeasuredDays() {
    Project p = withDischarge(year{2001} / 1 / 1, 730, [](int) { return 3.0; });
    for (int d = 43; d <= 57; ++d) p.Balance(slot::FirstRun, d, qty::Measured) = d == 50 ? 0.0 : 1.0;
    p.MeasMissing.assign(731, 0);
    p.MeasMissing[50] = 1;
    for (int d = 366; d <= 730; ++d) {
        p.MeasMissing[std::size_t(d)] = 1;
        p.Balance(slot::FirstRun, d, qty::Measured) = 0;
    }
    return p;
}

TEST(SevenDayMinima, MeasuredWindowsWithAMissingDayAreNoMeans) {
    // The windows of days 44..50 hold day 50 and would mean less than 1; they do not count.
    Project p = withMissingMeasuredDays();
    computeSevenDayMeans(p);
    EXPECT_FALSE(measuredMeanExists(p, 44));
    EXPECT_TRUE(measuredMeanExists(p, 43));
    EXPECT_TRUE(measuredMeanExists(p, 51));
    findSevenDayMinima(p, YearType::Calendar);
    ASSERT_EQ(p.MinYearsOf[2], 2);
    EXPECT_EQ(p.MinDayMeas[1], 51);  // equal to day 43's; the later day wins
    EXPECT_DOUBLE_EQ(p.MinFlowMeas(tarn::YearType::Calendar, 1), 1.0);
    // A year without a single whole measured window has no measured minimum.
    EXPECT_EQ(p.MinDayMeas[2], 0);
    EXPECT_EQ(p.MinDateMeas(tarn::YearType::Calendar, 2), "");
    EXPECT_EQ(p.MinFlowMeas(tarn::YearType::Calendar, 2), 0.0);
    // The modelled minima do not care about measured gaps.
    EXPECT_NE(p.MinDayFirst[2], 0);
}

TEST(PeriodMinimum, MeasuredWindowsWithAMissingDayAreSkipped) {
    Project p = withMissingMeasuredDays();
    computePeriodMeans(p);
    struct Case {
        int from, to;
        int day;  // of the measured minimum; 0: none
    } cases[] = {{2, 100, 43},  {45, 60, 51},   // the search starts at the first whole window
                 {44, 50, 0},   {44, 44, 0},    // every window holds day 50
                 {360, 400, 0}, {50, 49, 0}};   // 2002 is unmeasured; a reversed period from day 50
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + ".." + std::to_string(c.to));
        const PeriodMinima r = periodMinima(p, p.DayDate(c.from, 0), p.DayDate(c.to, 0));
        EXPECT_EQ(r.measDate, c.day ? p.DayDate(c.day, 0) : "");
        EXPECT_DOUBLE_EQ(r.measMin, c.day ? 1.0 : 0.0);
        EXPECT_EQ(r.firstDate, c.from <= c.to ? p.DayDate(c.from, 0) : "");  // the modelled search is as before
    }
}

TEST(SevenDayMinima, WaterYearsGoFromJulyToJuneIntoTheirOwnColumn) {
    Project p = withDischarge(year{2000} / 1 / 1, 3 * 365 + 1, [](int d) { return 1.0 + d % 9; });
    computeSevenDayMeans(p);
    findSevenDayMinima(p, YearType::Water);
    EXPECT_EQ(p.YearStartText[1], "2000-07-01");
    EXPECT_EQ(p.YearStartText[2], "2001-07-01");
    EXPECT_EQ(p.YearStartText[3], "2002-07-01");  // 30 June 2003 lies past the record
    EXPECT_EQ(p.MinYearsOf[1], 2);
    EXPECT_NE(p.MinDateFirst(tarn::YearType::Water, 1), "");
    EXPECT_EQ(p.MinDateFirst.cols() > 0 ? p.MinDateFirst(tarn::YearType::Calendar, 1) : "", "");
    EXPECT_EQ(p.MinFlowLast(tarn::YearType::Water, 1), 0.0);  // no rerun
}

TEST(SevenDayPaging, NineYearsPageByEightRepeatingTheLastColumn) {
    Project p = withDischarge(year{2001} / 1 / 1, 3652 + 200, [](int) { return 1.0; });  // to mid-2011
    computeSevenDayMeans(p);
    findSevenDayMinima(p, YearType::Calendar);
    ASSERT_EQ(p.MinYearsOf[2], 10);  // 2001..2010; 2011 is not complete
    SevenDayPager pager;
    EXPECT_EQ(pager.showMe(p), (YearColumns{1, 2, 3, 4, 5, 6, 7, 8}));
    auto next = pager.next(p);
    ASSERT_TRUE(next);
    EXPECT_EQ(*next, (YearColumns{8, 9, 10, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(pager.next(p));  // start 16 >= 11 boundaries
    auto previous = pager.previous(p);
    ASSERT_TRUE(previous);
    EXPECT_EQ(*previous, (YearColumns{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(pager.start(), 1);
}

TEST(PeriodMinimum, EarlierDayWinsAndTheFirstRunStartsAtItsFirstPositiveMean) {
    Project p = withDischarge(year{2001} / 1 / 1, 60, [](int d) {
        if (d <= 10) return 0.0;
        if (d >= 30 && d < 37) return 0.1;
        if (d >= 45 && d < 52) return 0.1;
        return 4.0;
    });
    computePeriodMeans(p);
    const PeriodMinima r = periodMinima(p, p.DayDate(2, 0), p.DayDate(50, 0));
    EXPECT_EQ(r.firstDate, p.DayDate(30, 0));
    EXPECT_DOUBLE_EQ(r.firstMin, 0.1);
    EXPECT_FALSE(r.hasLast);
    // The measured means start at 0 on day 2 and nothing is smaller.
    EXPECT_EQ(r.measDate, p.DayDate(2, 0));
    EXPECT_EQ(r.measMin, 0.0);
    EXPECT_EQ(periodValueText(r.firstMin), "00.100   mm/day");
}

TEST(PeriodMinimum, OneDayAndReversedPeriods) {
    Project p = withDischarge(year{2001} / 1 / 1, 30, [](int d) { return double(d); });
    computePeriodMeans(p);
    PeriodMinima one = periodMinima(p, p.DayDate(5, 0), p.DayDate(5, 0));
    EXPECT_DOUBLE_EQ(one.firstMin, (5 + 6 + 7 + 8 + 9 + 10 + 11) / 7.0);
    EXPECT_DOUBLE_EQ(one.measMin, 2 * one.firstMin);
    PeriodMinima reversed = periodMinima(p, p.DayDate(9, 0), p.DayDate(3, 0));
    EXPECT_EQ(reversed.firstDate, "");
    EXPECT_EQ(reversed.firstMin, 0.0);
    EXPECT_EQ(reversed.measDate, p.DayDate(9, 0));
    EXPECT_THROW(periodMinima(p, "1999-01-01", p.DayDate(3, 0)), InputError);

    // A period to the last day ends with the last whole window, day 24; one that begins
    // after it has no minimum at all.
    PeriodMinima toEnd = periodMinima(p, p.DayDate(20, 0), p.DayDate(30, 0));
    EXPECT_EQ(toEnd.firstDate, p.DayDate(20, 0));
    EXPECT_EQ(toEnd.measDate, p.DayDate(20, 0));
    PeriodMinima pastEnd = periodMinima(p, p.DayDate(25, 0), p.DayDate(30, 0));
    for (const auto& [date, value] : {std::pair{pastEnd.firstDate, pastEnd.firstMin},
                                      std::pair{pastEnd.measDate, pastEnd.measMin}}) {
        EXPECT_EQ(date, "");
        EXPECT_EQ(value, 0.0);
    }
    EXPECT_EQ(pastEnd.note, "No whole seven-day window starts on " + p.DayDate(25, 0) +
                                ": a window needs seven days of the record, and the record ends 5 days later");
    EXPECT_EQ(toEnd.note, "");
}

// The yearly and the period minima share no table: opened in any order, with a rerun
// between them, each gives the minima of the runs as they are then.
TEST(SevenDayMinima, AnyOrderOfTheScreensAndRerunsReadsTheCurrentRuns) {
    Project p = withDischarge(year{2001} / 1 / 1, 730, [](int d) { return 5.0 + (d % 50); });
    findSevenDayMinima(p, YearType::Calendar);
    const Project alone = p;
    computePeriodMeans(p);  // the period screen opened in between
    const PeriodMinima period = periodMinima(p, p.DayDate(1, 0), p.DayDate(700, 0));
    findSevenDayMinima(p, YearType::Calendar);
    EXPECT_EQ(p.MinFlowFirst(tarn::YearType::Calendar, 1), alone.MinFlowFirst(tarn::YearType::Calendar, 1));
    EXPECT_EQ(p.MinDateFirst(tarn::YearType::Calendar, 2), alone.MinDateFirst(tarn::YearType::Calendar, 2));
    // The lowest window begins on a day with d % 50 == 0: 5 + (0 + 1 + ... + 6) / 7.
    EXPECT_DOUBLE_EQ(period.firstMin, 8.0);

    // A rerun whose discharge is ten times lower: its minima, not the old ones.
    p.RerunFlag = 1;
    for (int d = 1; d <= p.NumDays; ++d) {
        p.Balance(slot::LastRun, d, qty::Q) = p.Balance(slot::FirstRun, d, qty::Q) / 10;
        p.FlowTable(tarn::FlowColumn::CatchmentLast, d, tarn::kCatchment) = p.FlowTable(tarn::FlowColumn::CatchmentFirst, d, tarn::kCatchment) / 10;
    }
    const PeriodMinima rerun = periodMinima(p, p.DayDate(1, 0), p.DayDate(700, 0));
    EXPECT_DOUBLE_EQ(rerun.lastMin, period.firstMin / 10);
    findSevenDayMinima(p, YearType::Calendar);
    EXPECT_DOUBLE_EQ(p.MinFlowLast(tarn::YearType::Calendar, 1), alone.MinFlowFirst(tarn::YearType::Calendar, 1) / 10);
    EXPECT_EQ(p.MinFlowFirst(tarn::YearType::Calendar, 1), alone.MinFlowFirst(tarn::YearType::Calendar, 1));
}

}  // namespace
}  // namespace tarn
