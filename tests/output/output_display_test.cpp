// The output screens without their windows: rerun into the last run, the refusals of the
// grid, the window and the run, the class grid, and edited chart points.
#include <gtest/gtest.h>

#include <functional>

#include "model/measured_days.h"
#include "output/output_display.h"
#include "support/project_builder.h"

namespace tarn {
namespace {

using namespace std::chrono;

constexpr SeriesTicks kModelled = {false, false, false, true, false};

// Forty days, two sub-areas of 60 and 40 %, after a first run.
Project afterFirstRun() {
    std::vector<double> rain, etref;
    for (int i = 0; i < 40; ++i) {
        rain.push_back(i % 4 == 0 ? 18 : 0.5);
        etref.push_back(2);
    }
    testing::SubAreaSetup a, b;
    a.pct = 60;
    a.area = 60;
    b.pct = 40;
    b.area = 40;
    b.BFI = 0.4;
    Project p = testing::makeProject(year{2004} / 3 / 1, rain, etref, {a, b});
    p.TotalArea = 100;
    EXPECT_TRUE(runScreenRun(p, {}).result.ok);
    return p;
}

std::vector<double> series(const Project& p, Slot slot, Qty k) {
    const double* s = p.Balance.series(slot, k);
    return {s + 1, s + 1 + p.NumDays};
}

TEST(OutputRerun, EditedBaseflowIndexChangesTheLastRunAndLeavesTheFirst) {
    Project p = afterFirstRun();
    const auto firstRun = series(p, slot::FirstRun, qty::Q);
    OutputLoad load = outputLoad(p, kModelled);
    EXPECT_EQ(load.screen.series, (SeriesTicks{false, false, false, true, true}));
    EXPECT_EQ(load.grid.bfi, "0.6");
    load.grid.bfi = "0.2";
    const RerunInput window{p.DayDate(3, 0), p.DayDate(12, 0), kModelled};

    const RerunOutcome r = outputRerun(p, load.grid, window);
    ASSERT_TRUE(r.rerun) << r.result.status;
    EXPECT_EQ(r.result.status, kRerunDone);
    EXPECT_EQ(p.RerunFlag, 1);
    EXPECT_EQ(p.SubPara(1, para::BFI), Variant("0.2"));
    EXPECT_EQ(series(p, slot::FirstRun, qty::Q), firstRun);
    EXPECT_NE(series(p, slot::LastRun, qty::Q), firstRun);
    EXPECT_EQ((std::pair{p.StartDay, p.DaysOut}), (std::pair{3, 12}));
    EXPECT_EQ(r.chart.table.rows(), 10);
    EXPECT_EQ(r.chart.table.names.back(), "modelled streamflow last run");

    // A second rerun from the class screen still leaves the first run as it was.
    OutputClassGrid classes = output2Load(p, kModelled).grid;
    classes.recession = "0.5";
    const RerunOutcome again = outputRerun(p, classes, window);
    ASSERT_TRUE(again.rerun) << again.result.status;
    EXPECT_EQ(again.result.status, kRerun2Done);
    EXPECT_EQ(series(p, slot::FirstRun, qty::Q), firstRun);
}

// A refused rerun stores none of the edited grid: the project keeps the parameters of the
// runs it holds, and a later first run from the run screen runs those.
TEST(OutputRerun, RefusalsNameTheBoxAndRerunNothing) {
    struct Case {
        const char* name;
        std::function<void(OutputValuesGrid&, RerunInput&)> edit;
        std::string status;
        std::string focus;
        int areaError;
    };
    const std::vector<Case> cases{
        {"area not a number", [](OutputValuesGrid& g, RerunInput&) { g.area[2] = "ten"; },
         "Sub catchment area(%) of A3: 'ten' is not a whole percent from 0 to 100", "txtArea_2", 1},
        {"scale not a number", [](OutputValuesGrid& g, RerunInput&) { g.rainScale[1] = "x"; },
         "Sub catchment rainfall scale(%) of A2: 'x' is not a number", "txtRscale_1", 1},
        {"areas add to 99", [](OutputValuesGrid& g, RerunInput&) { g.area[1] = "39"; },
         std::string(kAreaSumMessage), "txtArea_0", 1},
        {"areas add to 101", [](OutputValuesGrid& g, RerunInput&) { g.area[1] = "41"; },
         std::string(kAreaSumMessage), "txtArea_0", 1},
        {"parameter not a number", [](OutputValuesGrid& g, RerunInput&) { g.values[1][0] = "n/a"; },
         "A2: TAW (mm) 'n/a' is not a number", "", 0},
        {"TAW <= RAW", [](OutputValuesGrid& g, RerunInput&) { g.values[0][0] = "70"; },
         "A1: TAW (mm) must be greater than RAW (mm)", "", 0},
        {"date of no day", [](OutputValuesGrid&, RerunInput& in) { in.lower = "31/02/2004"; },
         "From: '31/02/2004' is not a day of the record", "cmbLowerLimit", 0},
        {"reversed window", [](OutputValuesGrid&, RerunInput& in) { std::swap(in.lower, in.upper); },
         std::string(kReversedWindowMessage), "cmbLowerLimit", 0},
    };
    for (const Case& c : cases) {
        Project p = afterFirstRun();
        const auto lastRun = series(p, slot::LastRun, qty::Q);
        const OutputValuesGrid stored = outputValuesGrid(p);
        OutputValuesGrid grid = stored;
        grid.bfi = "0.7";  // an edit that would pass on its own
        grid.values[1][1] = "12";
        RerunInput in{p.DayDate(1, 0), p.DayDate(10, 0), kModelled};
        c.edit(grid, in);
        const RerunOutcome r = outputRerun(p, grid, in);
        EXPECT_FALSE(r.rerun) << c.name;
        EXPECT_EQ(r.result.status, c.status) << c.name;
        EXPECT_EQ(r.result.focus, c.focus) << c.name;
        EXPECT_EQ(r.result.beeps, 1) << c.name;
        EXPECT_EQ(p.AreaError, c.areaError) << c.name;
        EXPECT_EQ(p.RerunFlag, 0) << c.name;
        EXPECT_EQ(series(p, slot::LastRun, qty::Q), lastRun) << c.name;
        EXPECT_EQ(p.StartDay, 0) << c.name;
        const OutputValuesGrid after = outputValuesGrid(p);
        EXPECT_EQ(after.values, stored.values) << c.name;
        EXPECT_EQ(after.bfi, stored.bfi) << c.name;
        EXPECT_EQ(after.area, stored.area) << c.name;
        EXPECT_EQ(r.values.values, stored.values) << c.name;
    }
}

TEST(OutputRefresh, ClassChoicesSetTheParametersAndAreasKeepTheirFactors) {
    Project p = afterFirstRun();
    for (int c = 0; c < 5; ++c) {
        for (int q = 0; q < 3; ++q) p.SoilData(c, q) = 100 * (c + 1) + q;
        for (int q = 0; q < 2; ++q) p.VegeData(c, q) = 0.1 * (c + 1) + q;
    }
    OutputClassGrid grid = outputClassGrid(p);
    grid.soil[1] = 3;
    grid.vege[0] = 5;
    grid.initial[0][2] = "12";
    grid.rainScale[0] = "120";
    grid.rainScale[2] = "150";  // A3 has no area: its factor stays
    grid.rainScale[1] = " ";    // blank: A2 keeps its factor
    const ClassRefresh r = refreshes(p, grid);
    ASSERT_TRUE(r.result.ok) << r.result.status;
    EXPECT_EQ(p.SoilSel[2], 3);
    EXPECT_EQ(p.SoilSel[1], 0);
    EXPECT_EQ(p.SubPara(1, para::TAW), Variant(300.0));
    EXPECT_EQ(p.SubPara(1, para::TopMax), Variant(302.0));
    EXPECT_EQ(p.SubPara(0, para::Kc), p.VegeData(4, 1));
    EXPECT_EQ(p.SubPara(0, para::B0), Variant("12"));
    EXPECT_EQ(r.values.values[1][0], "300");  // frmOutput's grid follows
    EXPECT_EQ(p.RainFactor[1], Variant(120.0));
    EXPECT_EQ(p.RainFactor[2], Variant(100.0));
    EXPECT_TRUE(p.RainFactor[3].isEmpty());
    EXPECT_EQ(p.SubPara(0, para::RainScale), Variant(120.0));
    EXPECT_EQ(p.SumScale, Variant(120.0));
}

TEST(OutputChartPoints, EditsLandOnTheDayAndQuantityOfTheirRow) {
    Project p = afterFirstRun();
    p.MeasMissing.assign(std::size_t(p.NumDays) + 1, 0);
    p.MeasMissing[5] = p.MeasMissing[9] = 1;  // their cells were empty
    OutputValuesGrid grid = outputValuesGrid(p);
    const RerunOutcome r = outputRerun(p, grid, {p.DayDate(5, 0), p.DayDate(8, 0), {true, false, false, true, true}});
    ASSERT_TRUE(r.rerun);
    OutputChart chart = r.chart;  // Rain, modelled first, measured, "" (rain), modelled last
    EXPECT_EQ(outputPointSelectedText(chart, 1, 2, true),
              "Value of Rain, on " + p.DayDate(7, 0) + " = 0.5 mm/day");
    EXPECT_EQ(outputPointValueText(chart, 1, 0), "18");

    struct Case {
        int column, row;
        const char* answer;
        OutputPointEdit::Kind kind;
    };
    const std::vector<Case> cases{{1, 2, "7.5", OutputPointEdit::Kind::Changed},
                                  {3, 0, "2.25", OutputPointEdit::Kind::Changed},
                                  {2, 1, "4", OutputPointEdit::Kind::NotEditable},
                                  {5, 1, "4", OutputPointEdit::Kind::NotEditable},
                                  {1, 1, "lots", OutputPointEdit::Kind::Invalid},
                                  {1, 1, "", OutputPointEdit::Kind::Unchanged}};
    for (const Case& c : cases) {
        const OutputPointEdit e = editOutputChartPoint(p, chart, c.column, c.row, c.answer);
        EXPECT_EQ(e.kind, c.kind) << c.column << "," << c.row;
        EXPECT_EQ(e.beeps, 1);
    }
    EXPECT_EQ(p.Balance(slot::Inputs, 7, qty::P), 7.5);     // StartDay 5 + row 2
    EXPECT_EQ(p.Balance(slot::Inputs, 6, qty::P), 0.5);     // the invalid answer stored nothing
    EXPECT_EQ(p.Balance(slot::FirstRun, 5, qty::Measured), 2.25);
    EXPECT_EQ(missingMeasuredText(p), "C33 has no measured streamflow");  // day 5 is measured now
    EXPECT_EQ(chart.table.value(4, 2), 7.5);               // the repeated rainfall follows
    EXPECT_NE(chart.table.value(2, 1), 4.0);
    EXPECT_EQ(editOutputChartPoint(p, chart, 2, 1, "4").status,
              "The modelled series cannot be edited: their points follow from the next rerun");
}

}  // namespace
}  // namespace tarn
