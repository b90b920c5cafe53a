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
using testing::SubAreaSpec;

double at(const Project& p, int s, int d, int k) { return p.Balance(s, d, k); }

TEST(WaterBalance, RainPassesToDrainageWhenProfileIsFullAndNothingEvaporates) {
    SubAreaSpec a;
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
    SubAreaSpec a;
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
    SubAreaSpec a;
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
    SubAreaSpec a;
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
    SubAreaSpec a;
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
    SubAreaSpec a;
    a.St0 = -5;
    Project p = makeProject(year{2001} / 6 / 1, {10, 10}, {2, 2}, {a});
    RunModel(p);
    EXPECT_DOUBLE_EQ(at(p, 1, 0, qty::St), -5);
    EXPECT_DOUBLE_EQ(at(p, 1, 1, qty::St), 0);
    EXPECT_DOUBLE_EQ(at(p, 1, 1, qty::Tt), 0);
    EXPECT_GT(at(p, 1, 2, qty::St), 0);
}

TEST(WaterBalance, ToplayerIsCappedAtItsCapacity) {
    SubAreaSpec a;
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
    SubAreaSpec a;
    a.rainFactor = 120;
    Project p = makeProject(year{2001} / 6 / 1, {10, 5}, {1, 1}, {a});
    RunModel(p);
    EXPECT_DOUBLE_EQ(at(p, 1, 1, qty::P), 12);
    EXPECT_DOUBLE_EQ(at(p, 1, 2, qty::P), 6);
    // The catchment keeps the unscaled rainfall.
    EXPECT_DOUBLE_EQ(at(p, slot::FirstRun, 1, qty::P), 10);
}

// Over a whole run on real data every sub-area closes its balance: rainfall is
// interception, transpiration, the change of the profile store and drainage; recharge is
// the change of the baseflow store and the baseflow taken out on days 1..N-1.
TEST(WaterBalance, EverySubAreaClosesItsBalanceOverTheColnRecord) {
    const auto coln = testing::colnRecord();
    ASSERT_EQ(coln.dates.size(), 3653u);
    SubAreaSpec arable{4000, 40, 100, 180, 90, 25, 0.05, 1.0, 10, 150, 60, 0.7, 0.97};
    SubAreaSpec woodland{3000, 30, 110, 250, 120, 30, 0.25, 1.1, 5, 200, 60, 0.7, 0.97};
    SubAreaSpec pasture{3697, 30, 95, 120, 60, 20, 0.1, 0.9, 15, 40, 60, 0.7, 0.97};
    Project p = makeProject(year{1999} / 1 / 1, coln.rain, coln.etref,
                            {arable, woodland, pasture});
    for (std::size_t d = 0; d < coln.dates.size(); ++d) {
        ASSERT_EQ(p.DayDate(int(d) + 1, 0), coln.dates[d]);
        p.Balance(slot::FirstRun, int(d) + 1, qty::Measured) = coln.flow[d];
    }
    RunModel(p);
    const int n = p.NumDays;
    for (int s = 1; s <= 3; ++s) {
        double P = 0, Ei = 0, Ta = 0, Fi = 0, R = 0, BF = 0;
        for (int d = 1; d <= n; ++d) {
            P += at(p, s, d, qty::P);
            Ei += at(p, s, d, qty::Ei);
            Ta += at(p, s, d, qty::Ta);
            Fi += at(p, s, d, qty::Fi);
            R += at(p, s, d, qty::R);
            if (d < n) BF += at(p, s, d, qty::BF);
        }
        const double dSw = at(p, s, n, qty::Sw) - at(p, s, 0, qty::Sw);
        const double dB = at(p, s, n, qty::B) - at(p, s, 0, qty::B);
        EXPECT_NEAR(P, Ei + Ta + dSw + Fi, 1e-8 * P) << "A" << s;
        EXPECT_NEAR(R, dB + BF, 1e-8 * R) << "A" << s;
        EXPECT_GT(Fi, 0) << "A" << s;
        for (int d = 1; d <= n; ++d)
            ASSERT_TRUE(std::isfinite(at(p, s, d, qty::Q))) << "A" << s << " day " << d;
    }
    // Over ten years this chalk catchment drains a plausible share of its rain.
    double rain = 0, q = 0;
    for (int d = 1; d <= n; ++d) {
        rain += at(p, slot::FirstRun, d, qty::P);
        q += at(p, slot::FirstRun, d, qty::Q);
    }
    EXPECT_GT(q / rain, 0.2);
    EXPECT_LT(q / rain, 0.8);
}

}  // namespace
}  // namespace tarn
