// The monthly table's rows and its paging twelve months at a time.
#include <gtest/gtest.h>

#include "analysis/monthly.h"
#include "support/months.h"

namespace tarn {
namespace {

std::vector<std::string> years(const MonthPage& page) {
    std::vector<std::string> out;
    for (const auto& row : page) out.push_back(row.year + "/" + row.month);
    return out;
}

TEST(MonthlyTable, ThirtyMonthsPageByTwelve) {
    Project p;
    testing::setMonths(p, 2001, 1, 30);
    p.MaxMonFirst = 50;
    chooseMonthlyScale(p);
    MonthPager pager;
    MonthPage page = pager.load(p);
    EXPECT_EQ(page[0].month, "January");
    EXPECT_EQ(page[11].month, "Dec");
    EXPECT_EQ(pager.position(), 12);
    page = pager.next(p);
    EXPECT_EQ(page[0].year, "2002");
    EXPECT_EQ(page[0].month, "January");
    EXPECT_EQ(pager.position(), 24);
    page = pager.next(p);
    EXPECT_EQ(page[5].month, "June");  // month 30
    EXPECT_EQ(page[6].month, " ");     // rows 6..11 blank
    EXPECT_EQ(page[11].firstRun, " ");
    EXPECT_EQ(pager.position(), 30);
    page = pager.next(p);
    for (const auto& row : page) EXPECT_EQ(row.month, " ");
}

TEST(MonthlyTable, PreviousShowsTheTwelveMonthsBeforeTheLastWritten) {
    Project p;
    testing::setMonths(p, 2001, 1, 30);
    MonthPager pager;
    pager.load(p);
    pager.next(p);
    const MonthPage page = pager.previous(p);  // months 12..23
    EXPECT_EQ(page[0].year + page[0].month, "2001Dec");
    EXPECT_EQ(page[11].year + page[11].month, "2002Nov");
    EXPECT_EQ(pager.position(), 12);
}

TEST(MonthlyTable, ShortRecordShowsBlankMonthsOnLoad) {
    Project p;
    testing::setMonths(p, 2001, 11, 3);
    MonthPager pager;
    const MonthPage page = pager.load(p);
    EXPECT_EQ(page[2].month, "January");
    EXPECT_EQ(page[3].month, " ");
    EXPECT_EQ(page[3].year, "");
    EXPECT_EQ(page[3].firstRun, "00");
}

TEST(MonthlyTable, RowValuesInTheDisplayScale) {
    Project p;
    testing::setMonths(p, 2001, 1, 2);
    p.MonTotal(tarn::MonthField::FirstVolume, 1) = 7.2;
    p.MonTotal(tarn::MonthField::MeasuredDepth, 1) = 25;  // mm
    p.TotalArea = "200";    // ha
    p.MaxMonFirst = 50;
    EXPECT_EQ(chooseMonthlyScale(p), "cubm x 1000");
    MonthRow row = monthRow(p, 1);
    EXPECT_EQ(row.firstRun, "07");
    EXPECT_EQ(row.lastRun, " ");     // no rerun
    EXPECT_EQ(row.measured, "50");   // 25 mm over 200 ha
    p.MaxMonFirst = 5;
    EXPECT_EQ(chooseMonthlyScale(p), "cubm");
    row = monthRow(p, 1);
    EXPECT_EQ(row.firstRun, "7200");  // in m3
    p.RerunFlag = 1;
    EXPECT_EQ(monthRow(p, 1).lastRun, "1000");
}

}  // namespace
}  // namespace tarn
