// Behavioural sets: the set file, selection and weights, weighted quantiles, a set applied
// to two workbooks against full runs of calibrated workbooks, the daily bands; and the
// sensitivity indices on functions whose answers are known.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "calibration/calibrated_workbook.h"
#include "compare.h"
#include "model/errors.h"
#include "run_job.h"
#include "support/temp_dir.h"
#include "uncertainty/sensitivity.h"
#include "uncertainty/set_run.h"
#include "uncertainty/sets.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

fs::path example(const std::string& name) { return fs::path(TARNFLOW_EXAMPLES_DIR) / name; }

Project readExample(const std::string& name) {
    Project p;
    RunJobOptions o;
    o.workbook = example(name);
    o.measured = true;
    readJobInputs(p, o);
    prepareForSets(p);
    return p;
}

fs::path writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// n sets of a trace with objective 0.01 * i for row i (i = 1..n), and an infeasible row.
std::string trace(int n, const std::string& tuned = "bfi=0.05:0.95,taw*=0.25:4") {
    std::string text = "evaluation," + tuned + ",kge,best\n1,0.5,1,,\n";
    for (int i = 1; i <= n; ++i)
        text += std::to_string(i + 1) + "," + std::to_string(0.3 + 0.001 * i) + ",1.1," + std::to_string(0.01 * i) + ",\n";
    return text;
}

TEST(WeightedQuantile, KnownAnswers) {
    struct Case {
        std::vector<double> x, w;
        double q, expected;
    } cases[] = {
        {{3, 1, 2, 4}, {1, 1, 1, 1}, 0.5, 2.5},       // positions 1/8 3/8 5/8 7/8
        {{3, 1, 2, 4}, {1, 1, 1, 1}, 0.25, 1.5},
        {{3, 1, 2, 4}, {1, 1, 1, 1}, 0.05, 1},        // below the first position
        {{3, 1, 2, 4}, {1, 1, 1, 1}, 0.95, 4},        // above the last
        {{1, 2}, {3, 1}, 0.5, 1 + (0.5 - 0.375) / 0.5},  // positions 0.375, 0.875
        {{10, 20, 30}, {0, 1, 1}, 0.5, 25},          // a weight of 0 leaves its value out
        {{5}, {2}, 0.9, 5},
    };
    for (const Case& c : cases) {
        const auto q = weightedQuantile(c.x, c.w, c.q);
        ASSERT_TRUE(q);
        EXPECT_NEAR(*q, c.expected, 1e-12) << "q " << c.q << " of " << c.x.size() << " values";
    }
    EXPECT_FALSE(weightedQuantile(std::vector<double>{1, 2}, std::vector<double>{0, 0}, 0.5));
}

TEST(Behavioural, SelectionWeightsAndRefusals) {
    testing::TempDir dir;
    const SetFile sets = readSetFile(writeFile(dir / "t.csv", trace(60)));
    ASSERT_EQ(sets.rows.size(), 61u);
    EXPECT_EQ(sets.objective, "kge");
    EXPECT_FALSE(sets.rows[0].objective);  // infeasible

    struct Case {
        std::optional<double> threshold;
        std::optional<int> top;
        std::size_t kept;
        double best, worst;
    } cases[] = {
        {std::nullopt, std::nullopt, 60, 0.60, 0.01},
        {0.305, std::nullopt, 30, 0.60, 0.31},
        {std::nullopt, 25, 25, 0.60, 0.36},
        {0.305, 40, 30, 0.60, 0.31},
        {0.1, 20, 20, 0.60, 0.41},
    };
    for (const Case& c : cases) {
        const Selection s = selectBehavioural(sets, {c.threshold, c.top, Weighting::Equal});
        ASSERT_EQ(s.rows.size(), c.kept);
        EXPECT_NEAR(*sets.rows[s.rows.front()].objective, c.best, 1e-12);
        EXPECT_NEAR(*sets.rows[s.rows.back()].objective, c.worst, 1e-12);
        EXPECT_DOUBLE_EQ(s.weights.front(), 1.0 / double(c.kept));
    }

    // Likelihood: proportional to objective - T.
    const Selection l = selectBehavioural(sets, {0.3, std::nullopt, Weighting::Likelihood});
    ASSERT_EQ(l.rows.size(), 31u);
    EXPECT_EQ(l.weights.back(), 0.0);  // the set at the threshold
    EXPECT_NEAR(l.weights.front() / l.weights[29], (0.60 - 0.3) / (0.31 - 0.3), 1e-9);

    auto refusal = [&](SelectionOptions o) {
        try {
            selectBehavioural(sets, o);
        } catch (const InputError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_NE(refusal({0.45, std::nullopt, Weighting::Equal}).find("16 of 61 sets pass --behavioural 0.45; at least 20"), std::string::npos);
    EXPECT_NE(refusal({std::nullopt, 19, Weighting::Equal}).find("19 of 61 sets pass --top 19"), std::string::npos);
    EXPECT_NE(refusal({std::nullopt, std::nullopt, Weighting::Likelihood}).find("--weights likelihood"), std::string::npos);
}

TEST(SetFile, Refusals) {
    testing::TempDir dir;
    const Project p = readExample("coln_bibury.xlsx");  // sub-areas A1..A3
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"kc@A7=0.5:1.5,kge\n0.9,0.5\n", "kc@A7=0.5:1.5: A7 is not a sub-area of the catchment"},
        {"kc*=0.5:1.5,kc@A1=0.5:1,kge\n1,0.8,0.5\n", "kc@A1=0.5:1: sets the same parameter as kc*=0.5:1.5"},
        {"kc*=0.5:1.5,kge\n1,0.5,7\n", "line 2: 3 fields where the header has 2"},
        {"kc*=0.5:1.5,kge\nx,0.5\n", "line 2, column 1 (kc*=0.5:1.5): 'x' is not a number"},
        {"kc*=0.5:1.5,size\n1,2\n", "line 1, column 2 'size': is neither"},
        {"kc*=0.5:1.5\n1\n", "no objective column"},
        {"zz=0:1,kge\n1,2\n", "column 1 'zz=0:1': 'zz' is not a parameter"},
    };
    int i = 0;
    for (const Case& c : cases) {
        const fs::path file = writeFile(dir / ("s" + std::to_string(i++) + ".csv"), c.text);
        try {
            checkSetParams(readSetFile(file), p);
            ADD_FAILURE() << "accepted " << c.text;
        } catch (const InputError& e) {
            const std::string m = e.what();
            EXPECT_EQ(m.rfind(file.string() + ": ", 0), 0u) << m;
            EXPECT_NE(m.find(c.message), std::string::npos) << m;
        }
    }
}

// The figures of a set equal those of a full run of the workbook written with the set.
void expectFiguresOfCalibratedWorkbook(const std::string& name, const std::vector<TunedParam>& tuned,
                                       const std::vector<double>& x) {
    testing::TempDir dir;
    const Project p = readExample(name);
    const SetRunner runner(p, tuned, wholeRecord(p));
    auto w = runner.workspace();
    const SetFigures f = runner.figures(x, w);

    const fs::path calibrated = dir / "calibrated.xlsx";
    saveCalibratedWorkbook(example(name), calibrated, runner.apply(x), changedColumns(tuned));
    RunJobOptions o;
    o.workbook = calibrated;
    o.measured = true;
    o.figuresOnly = true;
    Project full;
    runJob(full, o);
    const ScenarioFigures expected = scenarioFigures(full, calibrated, true);
    EXPECT_EQ(f.actualEt, expected.actualEt) << name;
    EXPECT_EQ(f.streamflow, expected.streamflow) << name;
    ASSERT_TRUE(f.lowFlow);
    EXPECT_EQ(*f.lowFlow, expected.lowFlow) << name;
    EXPECT_EQ(f.q95, expected.q95) << name;
    EXPECT_EQ(f.fit->kge, expected.fit->kge) << name;
    EXPECT_EQ(f.fit->logNse, expected.fit->logNse) << name;
    for (int s = 1; s <= kSubAreas; ++s) EXPECT_EQ(f.subAreaVolume[std::size_t(s)], expected.subAreaVolume[std::size_t(s)]) << s;
}

TEST(SetRunner, ASetOnTwoWorkbooksEqualsTheirCalibratedRuns) {
    std::vector<TunedParam> tuned;
    for (const char* t : {"taw*=0.25:4", "bfi=0.05:0.95", "kc@A2=0.5:1.5", "k=0.8:0.999"}) tuned.push_back(parseTunedParam(t));
    const std::vector<double> x{1.37, 0.42, 0.83, 0.951};
    expectFiguresOfCalibratedWorkbook("coln_bibury.xlsx", tuned, x);
    expectFiguresOfCalibratedWorkbook("coln_bibury_woodland.xlsx", tuned, x);

    // The factor scales each workbook's own values; the values replace them; A2 alone.
    const Project base = readExample("coln_bibury.xlsx");
    const Project wood = readExample("coln_bibury_woodland.xlsx");
    const CatchmentSet a = SetRunner(base, tuned).apply(x), b = SetRunner(wood, tuned).apply(x);
    for (int s = 1; s <= 3; ++s) {
        const auto z = std::size_t(s);
        EXPECT_NEAR(a.sub[z].value[para::TAW], 1.37 * base.SubPara(s - 1, para::TAW).numberOr0(), 1e-9);
        EXPECT_NEAR(b.sub[z].value[para::TAW], 1.37 * wood.SubPara(s - 1, para::TAW).numberOr0(), 1e-9);
        EXPECT_NEAR(b.sub[z].value[para::RAW], 1.37 * wood.SubPara(s - 1, para::RAW).numberOr0(), 1e-9);
        EXPECT_EQ(a.sub[z].value[para::BFI], 0.42);
        EXPECT_EQ(b.sub[z].value[para::BFI], 0.42);
        EXPECT_EQ(b.sub[z].value[para::Kc], s == 2 ? 0.83 : wood.SubPara(s - 1, para::Kc).numberOr0());
    }

    // A set that cannot run on the workbook is refused naming the sub-area.
    try {
        SetRunner(base, tuned).apply(std::vector<double>{1.37, 1.5, 0.83, 0.951});
        ADD_FAILURE() << "a baseflow index of 1.5 ran";
    } catch (const InputError& e) {
        EXPECT_STREQ(e.what(), "A1: baseflow index must lie in 0 .. 1");
    }
}

TEST(SetRunner, DailyBandsInBlocksEqualQuantilesOfWholeSeries) {
    const Project p = readExample("coln_bibury.xlsx");
    std::vector<TunedParam> tuned{parseTunedParam("taw*=0.25:4"), parseTunedParam("k=0.8:0.999")};
    const SetRunner runner(p, tuned);
    std::vector<std::vector<double>> xs;
    std::vector<double> weights;
    for (int i = 0; i < 7; ++i) {
        xs.push_back({0.5 + 0.3 * i, 0.9 + 0.012 * i});
        weights.push_back(1.0 + i % 3);
    }
    const int n = p.NumDays;
    std::vector<std::vector<double>> whole(xs.size(), std::vector<double>(std::size_t(n)));
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const CatchmentSet set = runner.apply(xs[i]);
        SetStores stores = runner.initialStores(set);
        runner.discharge(set, stores, 1, n, whole[i].data());
    }
    // 7 sets in blocks of 100 days (700 values at once), on two threads.
    const DailyBands bands = dailyBands(runner, xs, weights, 2, 700);
    ASSERT_EQ(bands.q50.size(), std::size_t(n));
    for (const int d : {1, 100, 101, 1234, n}) {
        std::vector<double> day;
        for (const auto& series : whole) day.push_back(series[std::size_t(d - 1)]);
        EXPECT_EQ(bands.q05[std::size_t(d - 1)], *weightedQuantile(day, weights, 0.05)) << d;
        EXPECT_EQ(bands.q50[std::size_t(d - 1)], *weightedQuantile(day, weights, 0.5)) << d;
        EXPECT_EQ(bands.q95[std::size_t(d - 1)], *weightedQuantile(day, weights, 0.95)) << d;
        EXPECT_EQ(bands.first[std::size_t(d - 1)], day[0]) << d;
    }
}

TEST(Sensitivity, SobolOfIshigamiWithinItsIntervals) {
    const double a = 7, b = 0.1, pi = M_PI;
    const SensitivityModel ishigami = [&](std::span<const double> x, unsigned) {
        return std::sin(x[0]) + a * std::sin(x[1]) * std::sin(x[1]) + b * std::pow(x[2], 4) * std::sin(x[0]);
    };
    const double v = a * a / 8 + b * std::pow(pi, 4) / 5 + b * b * std::pow(pi, 8) / 18 + 0.5;
    const double v1 = 0.5 * std::pow(1 + b * std::pow(pi, 4) / 5, 2), v2 = a * a / 8;
    const double v13 = b * b * std::pow(pi, 8) * (1.0 / 18 - 1.0 / 50);
    const double first[] = {v1 / v, v2 / v, 0}, total[] = {(v1 + v13) / v, v2 / v, v13 / v};
    SobolOptions o;
    o.samples = 8192;
    o.threads = 2;
    const auto s = sobolIndices(ishigami, std::vector<Bounds>(3, {-pi, pi}), o);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_LE(s[i].firstLo, first[i]) << i;
        EXPECT_GE(s[i].firstHi, first[i]) << i;
        EXPECT_LE(s[i].totalLo, total[i]) << i;
        EXPECT_GE(s[i].totalHi, total[i]) << i;
        EXPECT_LT(s[i].firstHi - s[i].firstLo, 0.1) << i;
    }
    EXPECT_THROW(sobolIndices([](std::span<const double>, unsigned) { return 1.0; }, {{0, 1}}, o), InputError);
}

TEST(Sensitivity, MorrisOfALinearFunction) {
    const std::vector<double> c{2, -3, 0, 0.5};
    const std::vector<Bounds> bounds{{0, 1}, {10, 20}, {-1, 1}, {0, 4}};
    const SensitivityModel linear = [&](std::span<const double> x, unsigned) {
        double y = 0;
        for (std::size_t i = 0; i < c.size(); ++i) y += c[i] * x[i];
        return y;
    };
    MorrisOptions o;
    o.trajectories = 12;
    o.threads = 2;
    const auto m = morrisIndices(linear, bounds, o);
    for (std::size_t i = 0; i < c.size(); ++i) {
        const double range = bounds[i].hi - bounds[i].lo;
        EXPECT_NEAR(m[i].muStar, std::abs(c[i]) * range, 1e-9) << i;
        EXPECT_NEAR(m[i].mu, c[i] * range, 1e-9) << i;
        EXPECT_NEAR(m[i].sigma, 0, 1e-9) << i;
    }
}

}  // namespace
}  // namespace tarn
