// The output screens' fit panel and duration curves without their windows: the fit window
// typed into the date boxes, the figures of the first and the last run, and the curves
// with their flows of 0 left off the logarithmic axis.
#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/fit.h"
#include "output/fit_panel.h"
#include "output/output_display.h"
#include "support/project_builder.h"

namespace tarn {
namespace {

// Forty days from 2004-03-01, one sub-area, after a first run, with a measured streamflow
// that is 0 on every fifth day when `measured`.
Project afterFirstRun(bool measured) {
    Project p = testing::fortyShowerDays();
    EXPECT_TRUE(runScreenRun(p, {}).result.ok);
    if (measured) {
        p.MeasFlow = 1;
        for (int d = 1; d <= p.NumDays; ++d) p.Balance(slot::FirstRun, d, qty::Measured) = d % 5 == 0 ? 0 : 0.1 * d;
    }
    return p;
}

// The baseflow index changed and rerun into the last run.
void rerun(Project& p) {
    OutputValuesGrid grid = outputLoad(p, {false, false, false, true, false}).grid;
    grid.bfi = "0.2";
    const RerunOutcome r = outputRerun(p, grid, {p.DayDate(1, 0), p.DayDate(p.NumDays, 0), {}});
    ASSERT_TRUE(r.rerun) << r.result.status;
}

// The lines of fitLines as the one line of fitText.
std::string joined(const std::string& lines) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i)
        out += lines[i] != '\n' ? std::string(1, lines[i]) : lines.compare(i + 1, 2, "(r") == 0 ? " " : "  ";
    return out;
}

TEST(FitWindow, DatesOfTheRecordAreTakenOthersRefusedNamingTheBox) {
    const Project p = afterFirstRun(true);
    EXPECT_EQ(fitDates(p).from, "2004-03-01");
    EXPECT_EQ(fitDates(p).to, "2004-04-09");
    struct Case {
        std::string from, to;
        std::string status;  // empty: taken
        std::string focus;
        int first, last;
    };
    for (const Case& c : std::vector<Case>{
             {"", "", "", "", 1, 40},
             {"2004-03-03", "2004-03-12", "", "", 3, 12},
             {" 2004-03-03 ", "", "", "", 3, 40},
             {"2004-03-05", "2004-03-05", "", "", 5, 5},
             {"soon", "2004-03-12", "Fit from: 'soon' is not a date", "txtFitFrom", 1, 40},
             {"2004-03-03", "2030-01-01", "Fit until: 2030-01-01 lies outside the record", "txtFitTo", 1, 40},
             {"2004-02-29", "", "Fit from: 2004-02-29 lies outside the record", "txtFitFrom", 1, 40},
             {"2004-03-12", "2004-03-03", "Fit from: 2004-03-12 comes after 2004-03-03", "txtFitFrom", 1, 40}}) {
        SCOPED_TRACE(c.from + " / " + c.to);
        const FitWindow w = fitWindow(p, c.from, c.to);
        EXPECT_EQ(w.result.ok, c.status.empty());
        if (c.status.empty())
            EXPECT_EQ(w.result.status,
                      "Fit to measured streamflow from " + p.DayDate(c.first, 0) + " to " + p.DayDate(c.last, 0));
        else
            EXPECT_EQ(w.result.status.substr(0, c.status.size()), c.status);
        EXPECT_EQ(w.result.focus, c.focus);
        EXPECT_EQ(w.result.beeps, c.status.empty() ? 0 : 1);
        EXPECT_EQ((std::pair{w.range.first, w.range.last}), (std::pair{c.first, c.last}));
    }
}

TEST(FitPanel, ShowsTheFirstRunThenTheLastRunOnceRerun) {
    Project p = afterFirstRun(true);
    const FitPanel before = fitPanel(p, {3, 12});
    EXPECT_EQ(joined(before.first), fitText(runFit(p, slot::FirstRun, {3, 12})));
    EXPECT_NE(before.first.find("(10 days)"), std::string::npos);  // days 5 and 10 measure 0: still days
    EXPECT_EQ(before.first.find("  "), std::string::npos);
    EXPECT_EQ(std::count(before.first.begin(), before.first.end(), '\n'), 6);
    EXPECT_EQ(before.last, "");

    // An edited chart point raises RerunFlag, but there is no last run to show yet.
    p.RerunFlag = 1;
    EXPECT_EQ(fitPanel(p, {3, 12}).last, "");

    rerun(p);
    const FitPanel after = fitPanel(p, wholeRecord(p));
    EXPECT_EQ(joined(after.first), fitText(runFit(p, slot::FirstRun, wholeRecord(p))));
    EXPECT_EQ(joined(after.last), fitText(runFit(p, slot::LastRun, wholeRecord(p))));
    EXPECT_NE(after.first, after.last);

}

TEST(FitPanel, SaysWhenThereIsNothingToCompare) {
    Project p = afterFirstRun(false);
    rerun(p);
    const FitPanel none = fitPanel(p, wholeRecord(p));
    EXPECT_EQ(none.first, kNoMeasuredFlowText);
    EXPECT_EQ(none.last, "");
    EXPECT_EQ(none.missing, "");
    p.MeasFlow = 1;
    p.RunDone = 0;
    EXPECT_EQ(fitPanel(p, wholeRecord(p)).first, kNoFirstRunText);
}

TEST(DurationCurves, RunsAndMeasuredFlowsWithFlowsOf0LeftOut) {
    Project p = afterFirstRun(true);
    DurationCurves c = durationCurves(p);
    ASSERT_EQ(c.curves.size(), 2u);
    EXPECT_EQ(c.curves[0].name, "modelled streamflow first run");
    EXPECT_EQ(c.curves[1].name, "measured streamflow");
    EXPECT_EQ(c.xTitle, "Exceedance (% of days)");
    EXPECT_EQ(c.yTitle, "Flow (mm/day)");

    // The first run: a point for each of p = 0.1 .. 99.9, flows falling as p rises.
    const DurationCurve& first = c.curves[0];
    ASSERT_EQ(first.percents.size(), 999u);
    EXPECT_DOUBLE_EQ(first.percents.front(), 0.1);
    EXPECT_DOUBLE_EQ(first.percents.back(), 99.9);
    EXPECT_TRUE(std::is_sorted(first.flows.rbegin(), first.flows.rend()));
    EXPECT_EQ(first.leftOut, 0);

    // Measured: 8 of 40 days are 0, so Q_p is 0 above p = (1 - 7/39) * 100 = 82.05 %.
    const DurationCurve& measured = c.curves[1];
    EXPECT_EQ(measured.leftOut, 999 - 820);
    EXPECT_DOUBLE_EQ(measured.percents.back(), 82.0);
    EXPECT_TRUE(std::all_of(measured.flows.begin(), measured.flows.end(), [](double q) { return q > 0; }));
    EXPECT_DOUBLE_EQ(c.maxFlow, std::max(first.flows.front(), measured.flows.front()));
    EXPECT_DOUBLE_EQ(c.minFlow, std::min(first.flows.back(), measured.flows.back()));
    EXPECT_NE(c.title.find("logarithmic"), std::string::npos);

    rerun(p);
    p.MeasFlow = 0;
    c = durationCurves(p);
    ASSERT_EQ(c.curves.size(), 2u);
    EXPECT_EQ(c.curves[1].name, "modelled streamflow last run");
    EXPECT_EQ(c.title.find("logarithmic"), std::string::npos);
}

}  // namespace
}  // namespace tarn
