// The figures of a run's summary: fit to the measured streamflow, flow duration and the
// closure of the water balance.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <vector>

#include "analysis/closure.h"
#include "analysis/duration.h"
#include "analysis/fit.h"
#include "model/errors.h"
#include "model/run_model.h"
#include "support/project_builder.h"

namespace tarn {
namespace {

using namespace std::chrono;
using testing::makeProject;
using testing::SubAreaSetup;

// obs 1, 2, 3, 4 and sim 2, 2, 3, 5, worked by hand: means 2.5 and 3; squared deviations
// 5 (obs) and 6 (sim); co-deviation 5; squared errors 2; population SDs sqrt(5/4) and
// sqrt(6/4). NSE = 1 - 2/5; r = 5 / sqrt(5 * 6); alpha = sqrt(6/5); beta = 3/2.5;
// PBIAS = 100 * 2/10; RMSE = sqrt(2/4); log-NSE with eps = 0.025 from the logarithms.
TEST(GoodnessOfFit, MatchesFiguresWorkedByHand) {
    const std::vector<double> obs{1, 2, 3, 4}, sim{2, 2, 3, 5};
    const FitFigures f = goodnessOfFit(sim, obs);
    EXPECT_EQ(f.days, 4);
    EXPECT_NEAR(*f.nse, 0.6, 1e-12);
    EXPECT_NEAR(*f.r, 5 / std::sqrt(30.0), 1e-12);
    EXPECT_NEAR(*f.alpha, std::sqrt(1.2), 1e-12);
    EXPECT_NEAR(*f.beta, 1.2, 1e-12);
    EXPECT_NEAR(*f.kge, 0.7618797678438156, 1e-12);
    EXPECT_NEAR(*f.pbias, 20, 1e-12);
    EXPECT_NEAR(*f.rmse, std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(*f.logNse, 0.5139380161017687, 1e-12);
}

TEST(GoodnessOfFit, PerfectConstantAndEmptySeries) {
    const std::vector<double> obs{0.5, 1.5, 0.2, 3.0};
    const FitFigures perfect = goodnessOfFit(obs, obs);
    for (const auto& x : {perfect.nse, perfect.kge, perfect.r, perfect.alpha, perfect.beta, perfect.logNse})
        EXPECT_NEAR(*x, 1, 1e-12);
    EXPECT_EQ(*perfect.pbias, 0);
    EXPECT_EQ(*perfect.rmse, 0);

    // A measured series that never changes defines no efficiency, correlation or alpha.
    const std::vector<double> flat{2, 2, 2}, sim{1, 2, 3};
    const FitFigures constant = goodnessOfFit(sim, flat);
    EXPECT_FALSE(constant.nse || constant.kge || constant.r || constant.alpha || constant.logNse);
    EXPECT_NEAR(*constant.beta, 1, 1e-12);
    EXPECT_NEAR(*constant.pbias, 0, 1e-12);
    EXPECT_NEAR(*constant.rmse, std::sqrt(2.0 / 3), 1e-12);
    EXPECT_NE(fitText(constant).find("NSE undefined"), std::string::npos);

    const FitFigures none = goodnessOfFit({}, {});
    EXPECT_EQ(none.days, 0);
    EXPECT_FALSE(none.nse || none.kge || none.pbias || none.rmse);
    EXPECT_EQ(fitText(none), "no days with a measured streamflow to compare");
}

TEST(GoodnessOfFit, RunFitUsesTheWindowAndSkipsMissingDays) {
    Project p = makeProject(year{2001} / 1 / 1, std::vector<double>(10, 2.0), std::vector<double>(10, 1.0), {{}});
    RunModel(p);
    for (int d = 1; d <= 10; ++d) p.Balance(slot::FirstRun, d, qty::Measured) = d;
    p.MeasMissing.assign(11, 0);
    p.MeasMissing[4] = 1;
    const DayRange window = dayRangeOf(p, "2001-01-03", "2001-01-06");
    EXPECT_EQ(window.first, 3);
    EXPECT_EQ(window.last, 6);
    const FitFigures f = runFit(p, slot::FirstRun, window);
    EXPECT_EQ(f.days, 3);  // days 3, 5 and 6
    std::vector<double> sim, obs;
    for (int d : {3, 5, 6}) {
        sim.push_back(p.Balance(slot::FirstRun, d, qty::Q));
        obs.push_back(d);
    }
    EXPECT_DOUBLE_EQ(*f.rmse, *goodnessOfFit(sim, obs).rmse);
    EXPECT_EQ(dayRangeOf(p, "", "").last, 10);
    for (const auto& [from, to] : {std::pair{"2000-12-31", ""}, {"", "2001-01-11"}, {"2001-01-05", "2001-01-04"},
                                   {"soon", ""}})
        EXPECT_THROW(dayRangeOf(p, from, to), InputError) << from << ":" << to;
}

// 1..101 in any order: the q-quantile of type 7 is 1 + 100 q exactly, so Q_p = 101 - p.
TEST(FitWindow, OptionTextsBecomeDaysOrRefusalsNamingTheOption) {
    using namespace std::chrono;
    const Project p = testing::makeProject(year{2001} / 1 / 1, std::vector<double>(10, 1), std::vector<double>(10, 1), {{}});
    auto days = [&](const std::string& window, const std::string& warmUp) -> std::string {
        try {
            const DayRange r =
                afterWarmUp(p, windowDays(p, parseDateWindow(window, "--w"), "--w"), parseDayCount(warmUp, "--u"), "--u");
            return std::to_string(r.first) + ".." + std::to_string(r.last);
        } catch (const OptionError& e) {
            return e.what();
        }
    };
    const struct {
        std::string window, warmUp, expected;
    } cases[] = {
        {":", "0", "1..10"},
        {"2001-01-03:", " 2 ", "5..10"},
        {":2001-01-04", "3", "4..4"},
        {":2001-01-04", "4", "--u: 4 days leave no day of the fit window, 2001-01-01 to 2001-01-04 (4 days)"},
        {"2001-01-10:2001-01-10", "1", "--u: 1 day leaves no day of the fit window, 2001-01-10 to 2001-01-10 (1 day)"},
        {":", "+3", "--u: '+3' is not a number of days (a whole number from 0)"},
        {":", "1e3", "--u: '1e3' is not a number of days (a whole number from 0)"},
        {":", "99999999999", "--u: '99999999999' is not a number of days (a whole number from 0)"},
        {":", "", "--u: '' is not a number of days (a whole number from 0)"},
        {"2000-12-31:", "0", "--w: 2000-12-31 lies outside the record, 2001-01-01 to 2001-01-10"},
        {"2001-01-05:2001-01-04", "0", "--w: 2001-01-05 comes after 2001-01-04"},
        {"2001-13-01:", "0", "--w: '2001-13-01' is not a date"},
        {"2001-01-05", "0", "--w: '2001-01-05' is not FROM:TO; give two dates, e.g. 2001-01-01:2005-12-31 (either may be left out)"},
    };
    for (const auto& c : cases) EXPECT_EQ(days(c.window, c.warmUp), c.expected) << c.window << " " << c.warmUp;
}

TEST(FlowDuration, ExceededFlowsFollowTheType7Percentiles) {
    std::vector<double> flows(101);
    std::iota(flows.begin(), flows.end(), 1.0);
    std::reverse(flows.begin(), flows.end());
    const auto q = flowsExceeded(flows, kSummaryPercents);
    const double expected[] = {96, 91, 51, 11, 6};
    for (std::size_t i = 0; i < q.size(); ++i) EXPECT_NEAR(*q[i], expected[i], 1e-12) << kSummaryPercents[i];

    // Between two order statistics the flow is interpolated linearly.
    const std::vector<double> two{20, 10}, percents{50, 90, 0.1};
    const auto between = flowsExceeded(two, percents);
    EXPECT_NEAR(*between[0], 15, 1e-12);
    EXPECT_NEAR(*between[1], 11, 1e-12);
    EXPECT_NEAR(*between[2], 19.99, 1e-12);
    EXPECT_FALSE(flowsExceeded({}, percents)[0]);
    EXPECT_EQ(*flowsExceeded({4}, percents)[1], 4);

    const auto curve = curvePercents();
    ASSERT_EQ(curve.size(), 999u);
    EXPECT_DOUBLE_EQ(curve.front(), 0.1);
    EXPECT_DOUBLE_EQ(curve.back(), 99.9);
    // A whole curve (sorted once) and single figures (selected) agree on skewed flows.
    std::vector<double> skewed;
    for (int i = 0; i < 1000; ++i) skewed.push_back(std::pow(double((i * 7919) % 1000), 3) / 1e6);
    const auto whole = flowsExceeded(skewed, curve);
    for (std::size_t i : {0u, 332u, 500u, 998u}) {
        const std::vector<double> one{curve[i]};
        EXPECT_DOUBLE_EQ(*flowsExceeded(skewed, one)[0], *whole[i]) << curve[i];
    }
}

void expectCloses(const ClosureTable& t) {
    EXPECT_LT(t.largestResidual(), 1e-9);
    EXPECT_GT(t.catchment.rain, 0);
}

// Over the ten years of the Coln record every sub-area and the catchment close their
// balance, with the baseflow of the last day still counted in the store.
TEST(WaterBalanceClosure, ClosesOnTheColnRecordAfterFirstRunAndRerun) {
    const auto coln = testing::colnRecord();
    SubAreaSetup arable{4000, 40, 100, 180, 90, 25, 0.05, 1.0, 10, 150, 60, 0.7, 0.97};
    SubAreaSetup woodland{3000, 30, 110, 250, 120, 30, 0.25, 1.1, 5, 200, 60, 0.7, 0.97};
    SubAreaSetup pasture{3697, 30, 95, 120, 60, 20, 0.1, 0.9, 15, 40, 60, 0.7, 0.97};
    Project p = makeProject(year{1999} / 1 / 1, coln.rain, coln.etref, {arable, woodland, pasture});
    RunModel(p);
    const ClosureTable first = waterBalanceClosure(p);
    expectCloses(first);
    EXPECT_FALSE(first.subArea[4]);
    const Closure& c = first.catchment;
    // The weighted sub-area rainfall includes the rainfall factors.
    EXPECT_NEAR(c.rain, (0.4 * 1.0 + 0.3 * 1.1 + 0.3 * 0.95) * std::accumulate(coln.rain.begin(), coln.rain.end(), 0.0),
                1e-6);
    double q = 0;
    for (int d = 1; d <= p.NumDays; ++d) q += p.Balance(slot::FirstRun, d, qty::Q);
    EXPECT_NEAR(c.quickflow + c.baseflow, q, 1e-6);  // streamflow out is the catchment's discharge
    EXPECT_GT(c.quickflow / c.rain, 0.01);
    EXPECT_GT(c.baseflow / c.rain, 0.1);

    // A rerun with the woodland made pasture: the table follows the run made last.
    testing::setSubArea(p, 2, {3000, 30, 110, 120, 60, 20, 0.1, 0.9, 15, 40, 60, 0.7, 0.97});
    p.RerunFlag = 1;
    RunModel(p);
    const ClosureTable last = waterBalanceClosure(p);
    expectCloses(last);
    EXPECT_LT(last.subArea[2]->interception, first.subArea[2]->interception);
}

// A synthetic record through the corners of the balance rules: a dry profile below RAW, a
// profile filled beyond TAW, a toplayer at capacity, a negative initial toplayer and
// stores that start above their capacity.
TEST(WaterBalanceClosure, ClosesThroughEveryBranchOfTheDailyRules) {
    std::vector<double> rain, etref;
    for (int d = 0; d < 400; ++d) {
        rain.push_back(d < 60 ? 0.0 : d % 7 == 0 ? 80.0 : 1.5);
        etref.push_back(d < 60 ? 6.0 : 2.0);
    }
    SubAreaSetup dry{50, 50, 90, 100, 50, 10, 0.2, 1.2, -5, 300, 500, 0.9, 0.8};
    SubAreaSetup wet{50, 50, 130, 60, 30, 40, 0.0, 0.5, 50, 20, 0, 0.3, 0.99};
    Project p = makeProject(year{2004} / 2 / 1, rain, etref, {dry, wet});
    RunModel(p);
    expectCloses(waterBalanceClosure(p));
}

}  // namespace
}  // namespace tarn
