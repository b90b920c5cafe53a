// The analyses called in the orders a user can click them in: before a run, before their
// own preparation, after a longer workbook was opened. Run under the address sanitizer,
// these show any read past a table.
#include <gtest/gtest.h>

#include "analysis/annual.h"
#include "analysis/period.h"
#include "analysis/seven_day.h"
#include "model/dates.h"
#include "support/project_builder.h"
#include "support/temp_dir.h"
#include "workbook/data_book.h"
#include "workbook/xlsx_builder.h"

namespace tarn {
namespace {

using namespace std::chrono;

Project twoYears() {
    Project p = testing::makeProject(year{2001} / 1 / 1, std::vector<double>(730, 1.0),
                                     std::vector<double>(730, 1.0), {testing::SubAreaSetup{}});
    for (int d = 1; d <= p.NumDays; ++d) {
        p.Balance(slot::FirstRun, d, qty::Q) = 1 + d % 11;
        p.FlowTable(tarn::FlowColumn::CatchmentFirst, d, tarn::kCatchment) = 7000.0 * (1 + d % 11);
    }
    return p;
}

TEST(CallOrder, AnalysesBeforeTheirPreparationFindNothingAndReadNothingPastTheTables) {
    Project p = twoYears();
    SevenDayPager sevenDay;
    EXPECT_FALSE(sevenDay.next(p));
    sevenDay.previous(p);
    AnnualPager annual;
    EXPECT_FALSE(annual.next(p.NumYears));
    annual.previous(p.NumYears);
    buildAnnualVolumes(p, YearType::Water);  // no run, no monthly totals yet
    EXPECT_EQ(p.AnnYearsOf[1].count, 0);

    // The minima compute the means of the runs as they are themselves.
    findSevenDayMinima(p, YearType::Calendar);
    EXPECT_EQ(p.MinYearsOf[2], 2);
    EXPECT_NE(p.MinDateFirst(tarn::YearType::Calendar, 1), "");
    const PeriodMinima early = periodMinima(p, p.DayDate(1, 0), p.DayDate(730, 0));
    EXPECT_NE(early.firstDate, "");

    // A screen shows eight year columns whatever the record holds.
    for (int k = 1; k <= 8; ++k) {
        const int day = valueAt(p.MinDayFirst, k);
        EXPECT_EQ(p.SubFlow7.value(tarn::Run::First, day, 1), 0.0);
        if (k > 2) {
            EXPECT_EQ(p.MinDateFirst.value(tarn::YearType::Calendar, k), "");
            EXPECT_EQ(p.MinFlowLast.value(tarn::YearType::Calendar, k), 0.0);
            EXPECT_TRUE(p.SubAnnual.value(1, tarn::annualBlock(tarn::Run::First, tarn::YearType::Water), annual.subAreaYear(k)).isEmpty());
        }
    }
}

TEST(CallOrder, OpeningALongerWorkbookGrowsEveryDailyTable) {
    Project p = twoYears();
    computeSevenDayMeans(p);
    findSevenDayMinima(p, YearType::Calendar);

    testing::TempDir dir;
    XlsxBuilder b;
    b.addSheet("S");
    const int first = daysSinceEpoch(year{2001} / 1 / 1);
    for (int d = 1; d <= 3000; ++d) b.setDate(0, 24 + d, 4, first + d - 1);
    b.save(dir / "long.xlsx");
    auto book = OpenDataBook(p, dir / "long.xlsx", "D");
    ASSERT_EQ(p.NumDays, 3000);
    EXPECT_GE(p.Balance.days(), p.NumDays + 16);
    EXPECT_GE(p.FlowTable.days(), p.NumDays + 1);
    EXPECT_GE(p.SubFlow7.days(), p.NumDays + 1);
    EXPECT_EQ(p.MinYearsOf[2], 0);  // the old period's results went with it

    // The searches before any date or run of the new period.
    computeSevenDayMeans(p);
    findSevenDayMinima(p, YearType::Water);
    findSevenDayMinima(p, YearType::Calendar);
    computePeriodMeans(p);
    EXPECT_EQ(p.YearBounds, 0);  // no dates read yet: no year boundaries
}

}  // namespace
}  // namespace tarn
