// The daily water balance of one sub-area, checked against values worked out by hand from
// the balance rules for small inputs.
#include <gtest/gtest.h>

#include <cmath>

#include "model/run_model.h"
#include "support/project_builder.h"

namespace tarn {
namespace {

using namespace std::chrono;
using testing::makeProject;
using testing::SubAreaSetup;

double at(const Project& p, int s, int d, Qty k) { return p.Balance(subAreaSlot(s), d, k); }

TEST(WaterBalance, RainPassesToDrainageWhenProfileIsFullAndNothingEvaporates) {
    SubAreaSetup a;
    a.IF = 0;
    a.Kc = 0;
    a.TAW = 100;
    a.RAW = 50;
    a.Sw0 = 100;
    a.St0 = 10;
    a.TopMax = 10;
    a.BFI = 0.4;
    a.B0 = 0;
    Project p = makeProject(year{2001} / 3 / 1, {5, 0, 12}, {2, 2, 2}, {a});
    RunModel(p);
    const double rain[] = {5, 0, 12};
    for (int d = 1; d <= 3; ++d) {
        const double P = rain[d - 1];
        EXPECT_DOUBLE_EQ(at(p, 1, d, qty::P), P);
        EXPECT_DOUBLE_EQ(at(p, 1, d, qty::Ta), 0);
        EXPECT_DOUBLE_EQ(at(p, 1, d, qty::Fi), P);
        EXPECT_DOUBLE_EQ(at(p, 1, d, qty::R), 0.4 * P);
        EXPECT_DOUBLE_EQ(at(p, 1, d, qty::QF), 0.6 * P);
        EXPECT_DOUBLE_EQ(at(p, 1, d, qty::Sw), 100);
        EXPECT_DOUBLE_EQ(at(p, 1, d, qty::St), 10);
    }
}

TEST(WaterBalance, DryingProfileSwitchesToReducedTranspirationBelowRaw) {
    SubAreaSetup a;
    a.TAW = 100;
    a.RAW = 50;
    a.Sw0 = 100;
    a.TopMax = 4;
    a.St0 = 4;
    a.Kc = 1;
    a.IF = 0.2;
    const int n = 20;
    Project p = makeProject(year{2001} / 6 / 1, std::vector<double>(n, 0.0),
                            std::vector<double>(n, 3.0), {a});
    RunModel(p);
    // Toplayer: 4 -> 1 -> 0, giving up at most PET a day and only what it held.
    EXPECT_DOUBLE_EQ(at(p, 1, 1, qty::Tt), 3);
    EXPECT_DOUBLE_EQ(at(p, 1, 1, qty::St), 1);
    EXPECT_DOUBLE_EQ(at(p, 1, 2, qty::Tt), 1);
    EXPECT_DOUBLE_EQ(at(p, 1, 2, qty::St), 0);
    EXPECT_DOUBLE_EQ(at(p, 1, 3, qty::Tt), 0);
    // Whole profile loses PET a day while above RAW: Sw(d) = 100 - 3d down to Sw(17) = 49.
    for (int d = 1; d <= 17; ++d) {
        EXPECT_DOUBLE_EQ(at(p, 1, d, qty::Tw), 3) << d;
        EXPECT_DOUBLE_EQ(at(p, 1, d, qty::Ta), 3) << d;
        EXPECT_DOUBLE_EQ(at(p, 1, d, qty::Sw), 100 - 3.0 * d) << d;
    }
    // Day 18 starts at 49 <= RAW: Tw = PET * Sw / RAW.
    EXPECT_DOUBLE_EQ(at(p, 1, 18, qty::Tw), 3 * 49.0 / 50);
    EXPECT_DOUBLE_EQ(at(p, 1, 18, qty::Sw), 49 - 3 * 49.0 / 50);
    EXPECT_DOUBLE_EQ(at(p, 1, 18, qty::Fi), 0);
}

TEST(WaterBalance, StoreAtRawOnALaterDayUsesReducedFormula) {
    SubAreaSetup a;
    a.TAW = 100;
    a.RAW = 50;
    a.Sw0 = 53;
    a.St0 = 0;
    a.Kc = 1;
    Project p = makeProject(year{2001} / 6 / 1, {0, 0}, {3, 3}, {a});
    RunModel(p);
    EXPECT_DOUBLE_EQ(at(p, 1, 1, qty::Tw), 3);     // 53 > 50
    EXPECT_DOUBLE_EQ(at(p, 1, 1, qty::Sw), 50);
    EXPECT_DOUBLE_EQ(at(p, 1, 2, qty::Tw), 3.0 * 50 / 50);  // tie: reduced formula
}

TEST(WaterBalance, FirstDayUsesTheDayOneTranspirationFactor) {
    SubAreaSetup a;
    a.TAW = 100;
    a.RAW = 50;
    a.St0 = 0;
    a.Kc = 1;
    a.IF = 0;
    for (double sw0 : {50.0, 0.0, 20.0}) {
        a.Sw0 = sw0;
        Project p = makeProject(year{2001} / 6 / 1, {0, 0}, {2, 2}, {a});
        RunModel(p);
        const double tw1 = 2 * (100 - sw0) / 50;
        EXPECT_DOUBLE_EQ(at(p, 1, 1, qty::Tw), tw1) << sw0;
        const double sw1 = sw0 - tw1;
        EXPECT_DOUBLE_EQ(at(p, 1, 1, qty::Sw), sw1) << sw0;
        EXPECT_DOUBLE_EQ(at(p, 1, 2, qty::Tw), 2 * sw1 / 50) << sw0;
    }
    // Sw0 = 0 takes more than PET on day 1, and the store has no lower bound.
    a.Sw0 = 0;
    Project p = makeProject(year{2001} / 6 / 1, {0}, {2}, {a});
    RunModel(p);
    EXPECT_DOUBLE_EQ(at(p, 1, 1, qty::Tw), 4);
    EXPECT_DOUBLE_EQ(at(p, 1, 1, qty::Sw), -4);
}

TEST(WaterBalance, BaseflowStoreDecaysGeometricallyWithoutDrainage) {
    SubAreaSetup a;
    a.Sw0 = 10;
    a.B0 = 10;
    a.K = 0.9;
    Project p = makeProject(year{2001} / 6 / 1, std::vector<double>(6, 0.0),
                            std::vector<double>(6, 1.0), {a});
    RunModel(p);
    double expectedB = 10;
    for (int d = 1; d <= 6; ++d) {
        EXPECT_NEAR(at(p, 1, d, qty::B), expectedB, 1e-12) << d;
        EXPECT_NEAR(at(p, 1, d, qty::BF), 0.1 * expectedB, 1e-12) << d;
        EXPECT_NEAR(at(p, 1, d, qty::Q), 0.1 * expectedB, 1e-12) << d;
        expectedB *= 0.9;
    }
}

TEST(WaterBalance, NegativeInitialToplayerGivesEmptyToplayerOnDayOne) {
    SubAreaSetup a;
    a.St0 = -5;
    Project p = makeProject(year{2001} / 6 / 1, {10, 10}, {2, 2}, {a});
    RunModel(p);
    EXPECT_DOUBLE_EQ(at(p, 1, 0, qty::St), -5);
    EXPECT_DOUBLE_EQ(at(p, 1, 1, qty::St), 0);
    EXPECT_DOUBLE_EQ(at(p, 1, 1, qty::Tt), 0);
    EXPECT_GT(at(p, 1, 2, qty::St), 0);
}

TEST(WaterBalance, ToplayerIsCappedAtItsCapacity) {
    SubAreaSetup a;
    a.TopMax = 20;
    a.St0 = 15;
    a.IF = 0;
    a.Kc = 0;
    a.Sw0 = 20;
    Project p = makeProject(year{2001} / 6 / 1, {30}, {0}, {a});
    RunModel(p);
    EXPECT_DOUBLE_EQ(at(p, 1, 1, qty::St), 20);
    EXPECT_DOUBLE_EQ(at(p, 1, 1, qty::Sw), 50);
}

TEST(WaterBalance, RainfallFactorScalesTheSubAreaRainfall) {
    SubAreaSetup a;
    a.rainFactor = 120;
    Project p = makeProject(year{2001} / 6 / 1, {10, 5}, {1, 1}, {a});
    RunModel(p);
    EXPECT_DOUBLE_EQ(at(p, 1, 1, qty::P), 12);
    EXPECT_DOUBLE_EQ(at(p, 1, 2, qty::P), 6);
    // The catchment keeps the unscaled rainfall.
    EXPECT_DOUBLE_EQ(p.Balance(slot::FirstRun, 1, qty::P), 10);
}

}  // namespace
}  // namespace tarn
