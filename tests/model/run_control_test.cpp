// A whole run: the catchment series and volumes, first run and reruns, the testing-only
// substitution and the checks that refuse a run.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>

#include "model/errors.h"
#include "model/run_model.h"
#include "support/project_builder.h"

namespace tarn {
namespace {

using namespace std::chrono;
using testing::makeProject;
using testing::SubAreaSetup;

std::vector<double> cycle(int n, double a, double b) {
    std::vector<double> v;
    for (int i = 0; i < n; ++i) v.push_back(i % 3 == 0 ? a : b);
    return v;
}

Project twoSubAreas(int n = 60) {
    SubAreaSetup wet{60, 60, 110, 120, 60, 20, 0.1, 1.0, 10, 110, 8, 0.6, 0.9};
    SubAreaSetup dry{40, 40, 90, 200, 100, 30, 0.3, 1.2, 5, 150, 3, 0.5, 0.95};
    return makeProject(year{2003} / 1 / 20, cycle(n, 14, 0.5), cycle(n, 1.5, 3), {wet, dry});
}

TEST(RunModel, CatchmentIsTheShareWeightedSumOfSubAreas) {
    Project p = twoSubAreas();
    RunModel(p);
    for (int d = 1; d <= p.NumDays; ++d) {
        for (tarn::Qty k : tarn::kDailyQuantities) {
            if (k == qty::P) continue;  // the catchment keeps the unscaled rainfall
            const double expected = 60.0 * p.Balance(tarn::subAreaSlot(1), d, k) / 100 + 40.0 * p.Balance(tarn::subAreaSlot(2), d, k) / 100;
            ASSERT_EQ(p.Balance(slot::FirstRun, d, k), expected) << "day " << d << " k " << tarn::indexOf(k);
        }
        EXPECT_EQ(p.Balance(slot::FirstRun, d, qty::P), p.Balance(slot::Inputs, d, qty::P));
        const double litres = 60 * p.Balance(tarn::subAreaSlot(1), d, tarn::qty::Q) * 10000 + 40 * p.Balance(tarn::subAreaSlot(2), d, tarn::qty::Q) * 10000;
        EXPECT_EQ(p.FlowTable(tarn::FlowColumn::CatchmentFirst, d, tarn::kCatchment), litres);
        EXPECT_EQ(p.FlowTable(tarn::FlowColumn::SubAreaFirst, d, 1), 60 * p.Balance(tarn::subAreaSlot(1), d, tarn::qty::Q) * 10000);
        EXPECT_EQ(p.FlowTable(tarn::FlowColumn::SubAreaFirst, d, 2), 40 * p.Balance(tarn::subAreaSlot(2), d, tarn::qty::Q) * 10000);
    }
    EXPECT_EQ(p.RunDone, 1);
}

TEST(RunModel, WeightsAreSharesAndOnlySubAreasWithAreaCount) {
    SubAreaSetup noArea{0, 50, 100, 120, 60, 20, 0.1, 1, 10, 110, 8, 0.6, 0.9};
    SubAreaSetup noShare{50, 0, 100, 120, 60, 20, 0.1, 1, 10, 110, 8, 0.6, 0.9};
    SubAreaSetup main{100, 100, 100, 120, 60, 20, 0.1, 1, 10, 110, 8, 0.6, 0.9};
    Project p = makeProject(year{2003} / 1 / 1, cycle(10, 9, 0), cycle(10, 2, 2),
                            {noArea, noShare, main});
    RunModel(p);
    for (int d = 1; d <= 10; ++d) {
        // Sub-area 1 has no area: left out although its share is 50; sub-area 2 has no share.
        EXPECT_EQ(p.Balance(slot::FirstRun, d, tarn::qty::Q), 100.0 * p.Balance(tarn::subAreaSlot(3), d, tarn::qty::Q) / 100);
        const double q = p.Balance(tarn::subAreaSlot(2), d, tarn::qty::Q);
        EXPECT_EQ(p.FlowTable(tarn::FlowColumn::CatchmentFirst, d, tarn::kCatchment),
                  50 * q * 10000 + 100 * p.Balance(tarn::subAreaSlot(3), d, tarn::qty::Q) * 10000);
        EXPECT_EQ(p.FlowTable(tarn::FlowColumn::SubAreaFirst, d, 1), 0.0);  // no area, no volume
        EXPECT_EQ(p.FlowTable(tarn::FlowColumn::SubAreaFirst, d, 2), 50 * q * 10000);
    }
}

TEST(RunModel, DayWithoutAnyDischargeHoldsOneLitre) {
    SubAreaSetup a;
    a.Sw0 = 10;
    a.B0 = 0;
    Project p = makeProject(year{2003} / 1 / 1, {0, 0, 0}, {1, 1, 1}, {a});
    RunModel(p);
    for (int d = 1; d <= 3; ++d) {
        EXPECT_EQ(p.Balance(tarn::subAreaSlot(1), d, qty::Q), 0.0);
        EXPECT_EQ(p.FlowTable(tarn::FlowColumn::CatchmentFirst, d, tarn::kCatchment), 1.0);
        EXPECT_EQ(p.FlowTable(tarn::FlowColumn::SubAreaFirst, d, 1), 0.0);
    }
}

TEST(RunModel, RunningTheFirstRunTwiceGivesTheSameResults) {
    Project p = twoSubAreas();
    RunModel(p);
    Project again = p;
    RunModel(again);
    for (int d = 0; d <= p.NumDays; ++d)
        for (int s = 1; s <= 11; ++s)
            for (int k = 1; k <= 15; ++k)
                ASSERT_EQ(p.Balance(tarn::subAreaSlot(s), d, tarn::quantityAt(k)), again.Balance(tarn::subAreaSlot(s), d, tarn::quantityAt(k)));
    for (int m = 1; m <= p.NumMonths; ++m) EXPECT_EQ(p.MonTotal(tarn::MonthField::FirstVolume, m), again.MonTotal(tarn::MonthField::FirstVolume, m));
}

TEST(RunModel, FirstRunSurvivesTwoReruns) {
    Project p = twoSubAreas(400);
    RunModel(p);
    const Project first = p;

    p.RerunFlag = 1;
    p.SubPara(0, para::Kc) = 0.5;
    RunModel(p);
    p.SubPara(1, para::TAW) = "260";
    p.SubPara(0, para::Kc) = 0.7;
    RunModel(p);

    // The last run equals a first run made with the final parameters.
    Project fresh = p;
    fresh.RerunFlag = 0;
    RunModel(fresh);

    for (int d = 1; d <= p.NumDays; ++d) {
        for (int k = 1; k <= 15; ++k) {
            ASSERT_EQ(p.Balance(slot::FirstRun, d, tarn::quantityAt(k)), first.Balance(slot::FirstRun, d, tarn::quantityAt(k)));
            ASSERT_EQ(p.Balance(slot::LastRun, d, tarn::quantityAt(k)), fresh.Balance(slot::FirstRun, d, tarn::quantityAt(k)));
        }
        ASSERT_EQ(p.FlowTable(tarn::FlowColumn::CatchmentFirst, d, tarn::kCatchment), first.FlowTable(tarn::FlowColumn::CatchmentFirst, d, tarn::kCatchment));
        ASSERT_EQ(p.FlowTable(tarn::FlowColumn::CatchmentLast, d, tarn::kCatchment), fresh.FlowTable(tarn::FlowColumn::CatchmentFirst, d, tarn::kCatchment));
        for (int s = 1; s <= 10; ++s) {
            ASSERT_EQ(p.FlowTable(tarn::FlowColumn::SubAreaFirst, d, s), first.FlowTable(tarn::FlowColumn::SubAreaFirst, d, s));
            ASSERT_EQ(p.FlowTable(tarn::FlowColumn::SubAreaLast, d, s), fresh.FlowTable(tarn::FlowColumn::SubAreaFirst, d, s));
        }
    }
    ASSERT_EQ(p.NumMonths, first.NumMonths);
    for (int m = 1; m <= p.NumMonths; ++m) {
        EXPECT_EQ(p.MonTotal(tarn::MonthField::FirstVolume, m), first.MonTotal(tarn::MonthField::FirstVolume, m));
        EXPECT_EQ(p.MonTotal(tarn::MonthField::FirstDepth, m), first.MonTotal(tarn::MonthField::FirstDepth, m));
        EXPECT_EQ(p.MonTotal(tarn::MonthField::LastVolume, m), fresh.MonTotal(tarn::MonthField::FirstVolume, m));
        EXPECT_EQ(p.MonTotal(tarn::MonthField::LastDepth, m), fresh.MonTotal(tarn::MonthField::FirstDepth, m));
        for (int s = 1; s <= 10; ++s) {
            EXPECT_EQ(p.MonSub(tarn::Run::First, s, m), first.MonSub(tarn::Run::First, s, m));
            EXPECT_EQ(p.MonSub(tarn::Run::Last, s, m), fresh.MonSub(tarn::Run::First, s, m));
        }
    }
    EXPECT_NE(p.MonTotal(tarn::MonthField::LastVolume, 2), p.MonTotal(tarn::MonthField::FirstVolume, 2));
}

TEST(RunModel, ProgressStepsOncePerDayAndSubArea) {
    Project p = twoSubAreas(30);
    int calls = 0, lastValue = 0, maximum = 0;
    RunOptions options;
    options.progress = [&](int value, int max) {
        ++calls;
        lastValue = value;
        maximum = max;
    };
    RunModel(p, options);
    EXPECT_EQ(calls, 300);
    EXPECT_EQ(lastValue, 30);
    EXPECT_EQ(maximum, 30);
}

class MapSheet : public CellReader {
public:
    std::map<std::string, Variant> cells;
    Variant value(std::string_view address) const override {
        auto it = cells.find(std::string(address));
        return it == cells.end() ? Variant() : it->second;
    }
};

// The reference cells of a first run's testing-only mode for n days.
MapSheet referenceSheet(int n) {
    MapSheet sheet;
    const char* subColumns[] = {"BM", "BN", "BO", "BP", "BQ", "BR", "BS", "BT", "BU", "BV"};
    for (int d = 1; d <= n; ++d) {
        const std::string row = std::to_string(24 + d);
        sheet.cells["AY" + row] = 2.5 * d;            // thousand m3
        sheet.cells["BA" + row] = Variant(0.1 * d);   // measured, mm
        sheet.cells["BE" + row] = "1.25";            // a number written as text
        for (int s = 1; s <= 10; ++s) sheet.cells[subColumns[s - 1] + row] = s + 0.5 * d;
    }
    return sheet;
}

TEST(RunModel, TestingOnlyTakesDischargesAndVolumesFromTheWorkbook) {
    Project p = twoSubAreas(3);
    MapSheet sheet = referenceSheet(3);
    RunOptions options;
    options.testingOnly = true;
    options.sheet = &sheet;
    const Project modelled = [&] { Project m = p; RunModel(m); return m; }();
    RunModel(p, options);
    EXPECT_EQ(p.TestOnly, 1);
    for (int d = 1; d <= 3; ++d) {
        EXPECT_DOUBLE_EQ(p.FlowTable(tarn::FlowColumn::CatchmentFirst, d, tarn::kCatchment), 2.5 * d * 1000000);
        EXPECT_DOUBLE_EQ(p.Balance(slot::FirstRun, d, qty::Measured), 0.1 * d);
        EXPECT_DOUBLE_EQ(p.Balance(slot::FirstRun, d, qty::Q), 1.25);
        for (int s = 1; s <= 10; ++s) {
            EXPECT_DOUBLE_EQ(p.Balance(tarn::subAreaSlot(s), d, qty::Q), s + 0.5 * d);
            const double area = s <= 2 ? (s == 1 ? 60 : 40) : 0;
            EXPECT_DOUBLE_EQ(p.FlowTable(tarn::FlowColumn::SubAreaFirst, d, s), area * (s + 0.5 * d) * 10000);
        }
        // The other quantities keep their modelled values.
        EXPECT_EQ(p.Balance(tarn::subAreaSlot(1), d, qty::Sw), modelled.Balance(tarn::subAreaSlot(1), d, qty::Sw));
        EXPECT_EQ(p.Balance(slot::FirstRun, d, qty::Ta), modelled.Balance(slot::FirstRun, d, qty::Ta));
    }
}

TEST(RunModel, TestingOnlyRefusesAReferenceThatIsNotANumberAndChangesNothing) {
    const struct {
        const char* cell;
        Variant value;
        const char* message;
    } cases[] = {
        {"BE26", "n/a", "BE26: 'n/a' is not a number"},
        {"BA27", "", "BA27: the cell is empty; the testing-only run needs a number there"},
        {"BM25", Variant(), "BM25: the cell is empty; the testing-only run needs a number there"},
    };
    for (const auto& c : cases) {
        Project p = twoSubAreas(3);
        MapSheet sheet = referenceSheet(3);
        sheet.cells[c.cell] = c.value;
        RunOptions options;
        options.testingOnly = true;
        options.sheet = &sheet;
        try {
            RunModel(p, options);
            ADD_FAILURE() << "expected an error for " << c.cell;
        } catch (const InputError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        EXPECT_EQ(p.RunDone, 0);
        EXPECT_EQ(p.Balance(tarn::subAreaSlot(1), 1, qty::Q), 0.0);
    }
}

std::string refusal(Project p) {
    try {
        RunModel(p);
    } catch (const InputError& e) {
        return e.what();
    }
    return "";
}

TEST(RunModel, RefusesUsedSubAreasWithParametersThatCannotRun) {
    Project p = twoSubAreas(5);
    p.SubPara(2 - 1, para::TAW) = 100;
    p.SubPara(2 - 1, para::RAW) = 100;
    EXPECT_EQ(refusal(p), "A2: TAW (mm) must be greater than RAW (mm)");
    p.SubPara(2 - 1, para::RAW) = 0;
    EXPECT_EQ(refusal(p), "A2: RAW (mm) must be greater than 0");
    p.SubPara(2 - 1, para::RAW) = -3;
    EXPECT_EQ(refusal(p), "A2: RAW (mm) must be greater than 0");
    p = twoSubAreas(5);
    p.SubPara(1 - 1, para::Kc) = "high";
    EXPECT_EQ(refusal(p), "A1: crop coefficient 'high' is not a number");
    p = twoSubAreas(5);
    p.RainFactor[2] = "x";
    EXPECT_EQ(refusal(p), "A2: rainfall factor (%) 'x' is not a number");
    p = twoSubAreas(5);
    p.SubArea[3] = "ten";
    EXPECT_EQ(refusal(p), "A3: area (ha) 'ten' is not a number");
    p = twoSubAreas(5);
    p.DayDate(4, 0) = "31/02/2003";
    EXPECT_EQ(refusal(p), "Day 4: '31/02/2003' is not a date");
    Project empty;
    EXPECT_EQ(refusal(empty), "There are no days to run: load the daily input series first");
}

TEST(RunModel, RefusesImplausibleValuesThatWouldRunToNonsenseOrInfinity) {
    struct Case {
        std::function<void(Project&)> set;
        std::string says;
    } cases[] = {
        {[](Project& p) { p.SubPara(1, para::K) = 1.01; }, "A2: recession coefficient '1.01' is not plausible (0..1)"},
        {[](Project& p) { p.SubPara(0, para::IF) = -0.1; }, "A1: interception fraction '-0.1' is not plausible (0..1)"},
        {[](Project& p) { p.SubPara(0, para::BFI) = 2; }, "A1: baseflow index '2' is not plausible (0..1)"},
        {[](Project& p) { p.SubPara(0, para::Kc) = 1e300; }, "A1: crop coefficient '1E+300' is not plausible (0..100)"},
        {[](Project& p) { p.SubPara(1, para::TAW) = 1e6; }, "A2: TAW (mm) '1000000' is not plausible"},
        {[](Project& p) { p.SubPara(0, para::B0) = -2e5; }, "A1: initial baseflow content (mm) '-200000' is not plausible"},
        {[](Project& p) { p.RainFactor[1] = 1e5; }, "A1: rainfall factor (%) '100000' is not plausible (0..1000 %)"},
        {[](Project& p) { p.Balance(slot::Inputs, 3, qty::P) = 1e308; },
         "Day 3 (2003-01-22): the rainfall 1E+308 mm is not plausible (0..10000 mm a day)"},
        {[](Project& p) { p.Balance(slot::Inputs, 2, qty::ETr) = -1; },
         "Day 2 (2003-01-21): the reference evapotranspiration -1 mm is not plausible"},
        {[](Project& p) { p.SubPara(0, para::Kc) = std::string(5000, 'x') + "\n"; },
         "A1: crop coefficient '" + std::string(40, 'x') + "...' is not a number"},
    };
    for (const Case& c : cases) {
        Project p = twoSubAreas(5);
        c.set(p);
        EXPECT_EQ(refusal(p).rfind(c.says, 0), 0u) << refusal(p);
    }
    // Edges of the ranges run.
    Project p = twoSubAreas(5);
    p.SubPara(0, para::K) = 1;
    p.SubPara(1, para::IF) = 0;
    p.Balance(slot::Inputs, 1, qty::P) = 10000;
    EXPECT_EQ(refusal(p), "");
}

TEST(RunModel, SubAreasWithoutAreaAndEmptyParametersStayFinite) {
    Project p = twoSubAreas(40);
    // Sub-areas 3..10 have no area and empty parameters: TAW = RAW = 0.
    p.SubPara(4, para::TAW) = "unused";  // not checked where the area is 0
    RunModel(p);
    for (int s = 3; s <= 10; ++s)
        for (int d = 1; d <= 40; ++d)
            for (int k = 1; k <= 15; ++k)
                ASSERT_TRUE(std::isfinite(p.Balance(tarn::subAreaSlot(s), d, tarn::quantityAt(k)))) << s << " " << d << " " << k;
    for (int m = 1; m <= p.NumMonths; ++m) EXPECT_TRUE(std::isfinite(p.MonTotal(tarn::MonthField::FirstVolume, m)));
}

TEST(RunModel, RecordsLongerThanFortyThousandDaysAreRefused) {
    Project p;
    EXPECT_NO_THROW(p.resizeDays(kMaxDays));
    EXPECT_EQ(p.NumDays, kMaxDays);
    try {
        p.resizeDays(kMaxDays + 1);
        FAIL();
    } catch (const InputError& e) {
        EXPECT_NE(std::string(e.what()).find("40000"), std::string::npos);
    }
}

}  // namespace
}  // namespace tarn
