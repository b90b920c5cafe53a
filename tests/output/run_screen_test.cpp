// The run screen without its window: a run and its refusal, Show me and the chart table,
// the days lists, and where the save dialogs open.
#include <gtest/gtest.h>

#include <fstream>

#include "analysis/period.h"
#include "output/run_screen.h"
#include "support/project_builder.h"
#include "support/temp_dir.h"

namespace tarn {
namespace {

using namespace std::chrono;

Project fortyDays() {
    Project p = testing::fortyShowerDays();
    for (int d = 1; d <= 40; ++d) p.Balance(slot::FirstRun, d, qty::Measured) = 0.1 * d;
    return p;
}

TEST(RunScreen, RunEnablesTheOutputsAndARefusedRunChangesNothing) {
    Project p = fortyDays();
    for (const ControlState& c : runScreenLoad(p).controls) EXPECT_EQ(c.enabled, c.name == "cmdRunModel") << c.name;

    p.SubPara(0, para::TAW) = 50;  // TAW <= RAW (75)
    const RunOutcome refusedRun = runScreenRun(p, {});
    EXPECT_FALSE(refusedRun.result.ok);
    EXPECT_EQ(refusedRun.result.status, "A1: TAW (mm) must be greater than RAW (mm)");
    EXPECT_EQ(p.ModelRun, 0);
    EXPECT_EQ(p.RunDone, 0);
    EXPECT_EQ(p.Balance(slot::FirstRun, 5, qty::Q), 0.0);
    EXPECT_FALSE(runScreenShowMe(p, {}).result.ok);  // nothing to show yet

    p.SubPara(0, para::TAW) = 150;
    int calls = 0;
    const RunOutcome run = runScreenRun(p, {false, nullptr, [&](int, int) { ++calls; }});
    ASSERT_TRUE(run.result.ok);
    EXPECT_EQ(run.result.status, kRunCompleted);
    EXPECT_EQ(p.ModelRun, 1);
    EXPECT_GT(calls, 0);
    EXPECT_EQ(run.days.items.back(), "40");
    for (const ControlState& c : run.controls) EXPECT_EQ(c.enabled, c.name != "cmdRunModel") << c.name;
}

TEST(RunScreen, ShowMeTakesTheDaysBoxAndChoosesTheOutputScreen) {
    Project p = fortyDays();
    ASSERT_TRUE(runScreenRun(p, {}).result.ok);
    struct Case {
        std::string box;
        bool ok;
        int daysOut;
        std::string boxAfter;
    };
    for (const Case& c : std::vector<Case>{{"10", true, 10, "10"},
                                           {"", true, 40, ""},
                                           {"99999", true, 40, "40"},
                                           {"abc", false, 40, "abc"},
                                           {"0", false, 40, "0"}}) {
        p.DaysOut = 40;
        const ShowMeResult r = runScreenShowMe(p, {false, false, c.box, {true, false, false, true, false}});
        EXPECT_EQ(r.result.ok, c.ok) << c.box;
        EXPECT_EQ(p.DaysOut, c.daysOut) << c.box;
        EXPECT_EQ(r.daysOutBox, c.boxAfter) << c.box;
        if (!c.ok) EXPECT_EQ(r.result.focus, "cmbDaysOut");
        if (c.ok) EXPECT_EQ(r.chart.table.rows(), c.daysOut) << c.box;
    }
    // The generic names open frmOutput_2 once; the next Show me without the option frmOutput.
    EXPECT_EQ(runScreenShowMe(p, {true, false, "", {}}).screen, OutputScreen::Classes);
    EXPECT_EQ(runScreenShowMe(p, {false, false, "", {}}).screen, OutputScreen::Values);
}

TEST(ChartConfig, FirstRunColumnsAndRowsOverTheWindow) {
    Project p = fortyDays();
    ASSERT_TRUE(runScreenRun(p, {}).result.ok);
    p.DaysOut = 10;
    const OutputChart first = chartConfig(p, {true, false, false, true, false});
    ASSERT_EQ(first.table.rows(), 10);
    EXPECT_EQ(first.table.names, (std::vector<std::string>{"Rain", "modelled streamflow first run"}));
    EXPECT_EQ(first.table.labels[9], p.DayDate(10, 0));
    EXPECT_EQ(first.table.value(1, 0), 18.0);
    EXPECT_EQ(first.table.value(2, 9), p.Balance(slot::FirstRun, 10, qty::Q));

    // After a rerun: the window from StartDay, the last run beside the first, the
    // measured series once and the rainfall repeated with an empty title.
    p.RerunFlag = 1;
    ASSERT_TRUE(runScreenRun(p, {}).result.ok);
    p.StartDay = 5;
    p.DaysOut = 8;
    const OutputChart both = chartConfig(p, {true, false, false, true, true});
    ASSERT_EQ(both.table.rows(), 4);
    EXPECT_EQ(both.firstDay, 5);
    EXPECT_EQ(both.table.labels[0], p.DayDate(5, 0));
    EXPECT_EQ(both.table.names, (std::vector<std::string>{"Rain", "modelled streamflow first run", "measured streamflow ",
                                                          "", "modelled streamflow last run"}));
    EXPECT_EQ(both.table.value(3, 1), p.Balance(slot::FirstRun, 6, qty::Measured));
    EXPECT_EQ(both.table.value(5, 3), p.Balance(slot::LastRun, 8, qty::Q));
    p.StartDay = 8;
    EXPECT_EQ(chartConfig(p, {true, false, false, false, false}).table.rows(), 1);
}

// The run screen's days list and the period screen's date lists on short records.
TEST(DaysLists, ShortRecordsKeepEmptyOrPreselectTheLastDay) {
    struct Case {
        int days;
        std::vector<std::string> items;
        int selected, from, to;
    };
    for (const Case& c : std::vector<Case>{{3, {}, -1, 1, 2},
                                           {5, {"5"}, 0, 1, 4},
                                           {11, {"5", "6", "7", "8", "9", "10", "11"}, 6, 1, 10},
                                           {1, {}, -1, 0, 0}}) {
        const DaysList list = daysList(c.days);
        EXPECT_EQ(list.items, c.items) << c.days;
        EXPECT_EQ(list.selected, c.selected) << c.days;
        EXPECT_EQ(list.maxDays, std::to_string(c.days));
        const Project p = testing::makeProject(year{2001} / 1 / 1, std::vector<double>(std::size_t(c.days), 1.0),
                                               std::vector<double>(std::size_t(c.days), 1.0), {});
        const PeriodDateLists dates = periodDateLists(p);
        ASSERT_EQ(int(dates.dates.size()), c.days);
        EXPECT_EQ(dates.from, c.from) << c.days;
        EXPECT_EQ(dates.to, c.to) << c.days;
    }
    EXPECT_EQ(periodDateLists(Project{}).to, -1);
}

TEST(SaveFolder, PreferredFolderElseTheWorkbooksFolder) {
    testing::TempDir dir;
    const std::string book = (dir / "project.xlsx").string();
    EXPECT_EQ(saveStartFolder(book, dir.path().string()), dir.path().string());
    EXPECT_EQ(saveStartFolder(book, (dir / "missing").string()), dir.path().string());
    EXPECT_EQ(saveStartFolder((dir / "gone" / "project.xlsx").string(), (dir / "missing").string()), "");
    EXPECT_EQ(saveStartFolder("", (dir / "missing").string()), "");
}

}  // namespace
}  // namespace tarn
