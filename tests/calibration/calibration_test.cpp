// Calibration: the RANGE grammar, what a candidate does to the parameters, the lean
// evaluation against the full run, and the search (feasibility, seeds, threads, recovery).
#include <gtest/gtest.h>

#include <cmath>

#include "calibration/search.h"
#include "model/errors.h"
#include "model/run_model.h"
#include "run_job.h"
#include "support/project_builder.h"

namespace tarn {
namespace {

using namespace std::chrono;
using testing::SubAreaSetup;

std::vector<TunedParam> tunedParamsOf(const std::vector<std::string>& texts) {
    std::vector<TunedParam> out;
    for (const auto& t : texts) out.push_back(parseTunedParam(t));
    return out;
}

// Two sub-areas (60 % and 40 %) and an empty third, a year of seasonal showers.
Project twoAreas(int n = 730) {
    std::vector<double> rain, etref;
    for (int d = 0; d < n; ++d) {
        rain.push_back(d % 5 == 0 ? 12.0 + (d % 7) : (d % 3 == 0 ? 1.5 : 0.0));
        etref.push_back(2.0 - 1.5 * std::cos(2 * M_PI * d / 365.25));
    }
    SubAreaSetup a{60, 60, 100, 120, 60, 20, 0.1, 1.0, 10, 110, 8, 0.6, 0.9};
    SubAreaSetup b{40, 40, 110, 200, 80, 30, 0.3, 1.2, 5, 150, 3, 0.6, 0.9};
    return testing::makeProject(year{2001} / 1 / 1, rain, etref, {a, b});
}

// The project with its own run, times `factor`, as the measured streamflow.
Project measuredFromRun(Project p, double factor = 1.0) {
    RunModel(p);
    for (int d = 1; d <= p.NumDays; ++d)
        p.Balance(slot::FirstRun, d, qty::Measured) = factor * p.Balance(slot::FirstRun, d, qty::Q);
    return p;
}

Project colnExample() {
    Project p;
    RunJobOptions o;
    o.workbook = std::string(TARNFLOW_EXAMPLES_DIR) + "/coln_bibury.xlsx";
    o.measured = true;
    readJobInputs(p, o);
    return p;
}

// The lean discharge of the project's own parameters against the catchment series of a run.
void expectLeanEqualsRun(Project p) {
    RunModel(p);
    std::vector<double> q(std::size_t(p.NumDays) + 1);
    leanDischarge(catchmentSetOf(p), p.Balance.series(slot::Inputs, qty::P), p.Balance.series(slot::Inputs, qty::ETr),
                  p.NumDays, q.data());
    for (int d = 1; d <= p.NumDays; ++d) ASSERT_EQ(q[std::size_t(d)], p.Balance(slot::FirstRun, d, qty::Q)) << "day " << d;
}

TEST(TunedParam, GrammarAndRefusals) {
    struct Good {
        const char* text;
        Param column;
        ParamForm form;
        int subArea;
        double lo, hi;
    } good[] = {
        {"taw=50:300", para::TAW, ParamForm::Value, 0, 50, 300},
        {"TAW*=0.5:2", para::TAW, ParamForm::Factor, 0, 0.5, 2},
        {"Kc@A3=0.6:1.4", para::Kc, ParamForm::SubArea, 3, 0.6, 1.4},
        {"b0@a10=-1:1e2", para::B0, ParamForm::SubArea, 10, -1, 100},
        {"k=0.8:0.999", para::K, ParamForm::Value, 0, 0.8, 0.999},
    };
    for (const Good& g : good) {
        const TunedParam s = parseTunedParam(g.text);
        EXPECT_EQ(s.column, g.column) << g.text;
        EXPECT_EQ(s.form, g.form) << g.text;
        EXPECT_EQ(s.subArea, g.subArea) << g.text;
        EXPECT_EQ(s.lo, g.lo) << g.text;
        EXPECT_EQ(s.hi, g.hi) << g.text;
    }
    const std::pair<const char*, const char*> bad[] = {
        {"depth=1:2", "'depth' is not a parameter"},
        {"taw", "give NAME=LO:HI"},
        {"taw=100", "give the bounds as LO:HI"},
        {"taw=abc:3", "'abc' is not a number"},
        {"taw=5:", "'' is not a number"},
        {"taw=5:5", "the range is empty"},
        {"taw=300:50", "the range is reversed"},
        {"taw@A11=1:2", "outside A1 .. A10"},
        {"taw@B2=1:2", "'B2' is not a sub-area"},
        {"bfi*=0.5:2", "bfi is one value for the catchment"},
        {"k@A1=0.5:0.9", "k is one value for the catchment"},
    };
    for (const auto& [text, why] : bad) {
        try {
            parseTunedParam(text);
            ADD_FAILURE() << text << " was accepted";
        } catch (const InputError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(std::string("--param ") + text + ": ", 0), 0u) << e.what();
            EXPECT_NE(std::string(e.what()).find(why), std::string::npos) << e.what();
        }
    }
}

TEST(TunedParam, RefusesAbsentSubAreasAndOverlaps) {
    const Project p = twoAreas(30);
    EXPECT_NO_THROW(checkTunedParams(tunedParamsOf({"taw@A1=50:200", "taw@A2=50:200", "raw*=0.5:1"}), p));
    EXPECT_THROW(checkTunedParams(tunedParamsOf({"kc@A3=0.5:1"}), p), InputError);
    EXPECT_THROW(checkTunedParams(tunedParamsOf({"taw=50:200", "taw@A2=50:200"}), p), InputError);
    EXPECT_THROW(checkTunedParams(tunedParamsOf({"kc*=0.5:1", "KC=0.5:1"}), p), InputError);
}

TEST(ApplyCandidate, FactorKeepsContrastsValueSetsAllSubAreaSetsOne) {
    const CatchmentSet base = catchmentSetOf(twoAreas(30));
    const auto& b = base.sub;
    const CatchmentSet f = applyCandidate(base, tunedParamsOf({"taw*=0.5:2", "kc*=0.5:2"}), std::vector{1.5, 0.8});
    EXPECT_EQ(f.sub[1].value[para::TAW], b[1].value[para::TAW] * 1.5);
    EXPECT_EQ(f.sub[2].value[para::TAW], b[2].value[para::TAW] * 1.5);
    EXPECT_EQ(f.sub[2].value[para::RAW], b[2].value[para::RAW] * 1.5);  // TAW/RAW stays
    EXPECT_EQ(f.sub[2].value[para::Kc], b[2].value[para::Kc] * 0.8);
    EXPECT_EQ(f.sub[3].value[para::TAW], b[3].value[para::TAW]);  // no area: untouched

    const CatchmentSet v = applyCandidate(base, tunedParamsOf({"kc=0.5:2", "top@A2=1:50"}), std::vector{0.9, 12.0});
    EXPECT_EQ(v.sub[1].value[para::Kc], 0.9);
    EXPECT_EQ(v.sub[2].value[para::Kc], 0.9);
    EXPECT_EQ(v.sub[1].value[para::TopMax], b[1].value[para::TopMax]);
    EXPECT_EQ(v.sub[2].value[para::TopMax], 12.0);

    // A value applies after a factor, whatever the order given.
    const CatchmentSet both = applyCandidate(base, tunedParamsOf({"raw=10:90", "taw*=0.5:2"}), std::vector{40.0, 2.0});
    EXPECT_EQ(both.sub[1].value[para::RAW], 40.0);
    EXPECT_EQ(both.sub[1].value[para::TAW], b[1].value[para::TAW] * 2);
}

TEST(Feasibility, NamesTheBrokenRule) {
    CatchmentSet set = catchmentSetOf(twoAreas(30));
    EXPECT_FALSE(infeasibility(set));
    const std::pair<Param, double> broken[] = {{para::RAW, 0.0}, {para::RAW, 500.0}, {para::IF, 1.2},
                                             {para::BFI, -0.1}, {para::K, 1.0}};
    for (const auto& [column, value] : broken) {
        CatchmentSet s = set;
        s.sub[2].value[column] = value;
        const auto why = infeasibility(s);
        ASSERT_TRUE(why) << indexOf(column);
        EXPECT_EQ(why->rfind("A2: ", 0), 0u) << *why;
        s.sub[2].inCatchment = false;  // a sub-area without area does not count
        EXPECT_FALSE(infeasibility(s)) << indexOf(column);
    }
}

TEST(LeanEvaluation, EqualsTheFullRunToTheLastBit) {
    expectLeanEqualsRun(twoAreas());
    expectLeanEqualsRun(colnExample());
}

TEST(Search, InfeasibleSetsAreNeverBestAndTheTraceNeverFalls) {
    const Project p = measuredFromRun(twoAreas());
    // RAW above TAW over most of the box: most candidates cannot be run.
    const Evaluator ev(p, tunedParamsOf({"taw=50:150", "raw=40:400"}), {Objective::Kge}, wholeRecord(p));
    std::vector<TraceRow> rows;
    SearchOptions o;
    o.evaluations = 300;
    const SearchResult r = search(ev, o, {nullptr, [&](const TraceRow& row) { rows.push_back(row); }, nullptr});
    ASSERT_EQ(long(rows.size()), r.evaluations);
    ASSERT_FALSE(r.best.empty());
    EXPECT_GT(r.best[0], r.best[1]);
    int infeasible = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].number, long(i) + 1);
        infeasible += !rows[i].objectives[0];
        if (i > 0 && rows[i - 1].best) ASSERT_GE(*rows[i].best, *rows[i - 1].best) << "evaluation " << i + 1;
    }
    EXPECT_GT(infeasible, 30);
}

TEST(Search, SameSeedSameResultWithOneOrTwoThreads) {
    const Project p = colnExample();
    const Evaluator ev(p, tunedParamsOf(defaultTunedParamTexts()), {Objective::KgeLogNse}, dayRangeOf(p, "1999-01-01", "2001-12-31"));
    SearchOptions o;
    o.evaluations = 320;
    o.seed = 42;
    std::vector<std::vector<double>> results;
    for (const int threads : {1, 2}) {
        o.threads = threads;
        const SearchResult r = search(ev, o);
        results.push_back(r.best);
        results.push_back(r.bestObjectives);
    }
    EXPECT_EQ(results[0], results[2]);
    EXPECT_EQ(results[1], results[3]);
    o.seed = 43;
    EXPECT_NE(search(ev, o).best, results[0]);
}

TEST(Search, FindsBackTheParametersOfASyntheticRecord) {
    // "Measured" flows made by the model with known parameters; the search starts from
    // other values.
    Project truth = twoAreas(1095);
    for (int s = 1; s <= 2; ++s) {
        truth.SubPara(s - 1, para::BFI) = 0.45;
        truth.SubPara(s - 1, para::K) = 0.93;
    }
    RunModel(truth);
    Project p = twoAreas(1095);
    for (int d = 1; d <= p.NumDays; ++d) p.Balance(slot::FirstRun, d, qty::Measured) = truth.Balance(slot::FirstRun, d, qty::Q);
    const Evaluator ev(p, tunedParamsOf({"bfi=0.05:0.95", "k=0.8:0.999", "taw*=0.5:2"}), {Objective::Nse}, wholeRecord(p));
    SearchOptions o;
    o.evaluations = 600;
    const SearchResult r = search(ev, o);
    ASSERT_EQ(r.best.size(), 3u);
    EXPECT_GT(r.bestObjectives[0], 0.999);
    EXPECT_NEAR(r.best[0], 0.45, 0.02);
    EXPECT_NEAR(r.best[1], 0.93, 0.005);
    EXPECT_NEAR(r.best[2], 1.0, 0.05);
}

TEST(Search, TwoObjectivesGiveANonDominatedFront) {
    const Project p = colnExample();
    const Evaluator ev(p, tunedParamsOf(defaultTunedParamTexts()), {Objective::Kge, Objective::LogNse},
                       dayRangeOf(p, "1999-01-01", "2000-12-31"));
    SearchOptions o;
    o.evaluations = 400;
    EXPECT_THROW(search(ev, {"pso_gen", 400, 1, 1}), InputError);
    const SearchResult r = search(ev, o);
    EXPECT_EQ(r.algorithm, "nsga2");
    ASSERT_GE(r.pareto.size(), 2u);
    for (std::size_t i = 1; i < r.pareto.size(); ++i) {
        EXPECT_GT(r.pareto[i - 1].objectives[0], r.pareto[i].objectives[0]);  // by the first objective
        EXPECT_LT(r.pareto[i - 1].objectives[1], r.pareto[i].objectives[1]);  // trading the second
    }
}

TEST(Search, StopKeepsTheBestSoFar) {
    const Project p = measuredFromRun(twoAreas(), 1.1);
    const Evaluator ev(p, tunedParamsOf({"kc*=0.5:1.5"}), {Objective::Nse}, wholeRecord(p));
    std::atomic<bool> stop = false;
    SearchCallbacks cb;
    cb.progress = [&](long done, long, std::optional<double>) { stop = done >= 64; };
    cb.stop = &stop;
    SearchOptions o;
    o.evaluations = 5000;
    const SearchResult r = search(ev, o, cb);
    EXPECT_TRUE(r.stopped);
    EXPECT_EQ(r.evaluations, 64);
    EXPECT_EQ(r.best.size(), 1u);
}

}  // namespace
}  // namespace tarn
