// Calibration: the lean evaluation against the full run on the same record, a 5000-evaluation
// calibration of the bundled example, how a calibration grows with days and sub-areas, and
// its memory at 40000 days.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cmath>

#include "calibration/search.h"
#include "model/dates.h"
#include "model/run_model.h"
#include "run_job.h"

namespace {

// n days of synthetic showers and a seasonal ETref, `areas` sub-areas sharing the catchment,
// a measured streamflow made by the model itself with other parameters.
tarn::Project syntheticProject(int n, int areas) {
    using namespace std::chrono;
    tarn::Project p;
    p.resizeDays(n);
    const int first = tarn::daysSinceEpoch(year{1900} / 1 / 1);
    unsigned seed = 12345;
    for (int d = 1; d <= n; ++d) {
        seed = seed * 1103515245u + 12345u;
        p.DayDate(d, 0) = tarn::dateText(tarn::dateFromDays(first + d - 1));
        p.Balance(tarn::slot::Inputs, d, tarn::qty::P) = (seed >> 16) % 10 < 4 ? double((seed >> 8) % 200) / 10 : 0.0;
        p.Balance(tarn::slot::Inputs, d, tarn::qty::ETr) = 2.0 - 1.5 * std::cos(2 * M_PI * d / 365.25);
    }
    for (int s = 1; s <= areas; ++s) {
        p.SubArea[std::size_t(s)] = 100.0 * s;
        p.SubAreaPct[std::size_t(s)] = 100 / areas + (s == 1 ? 100 % areas : 0);
        p.RainFactor[std::size_t(s)] = 90.0 + 2 * s;
        const double params[] = {0, 0, 100.0 + 10 * s, 50.0 + 3 * s, 20, 0.05 * (s % 4), 0.8 + 0.05 * s, 5, 90, 10, 0.5, 0.93};
        for (int c = 0; c < 12; ++c) p.SubPara(s - 1, tarn::paramAfter(tarn::para::Area, c)) = params[c];
    }
    tarn::RunModel(p);
    for (int d = 1; d <= n; ++d) p.Balance(tarn::slot::FirstRun, d, tarn::qty::Measured) = 1.1 * p.Balance(tarn::slot::FirstRun, d, tarn::qty::Q) + 0.05;
    return p;
}

std::vector<tarn::TunedParam> defaultTunedParams() {
    std::vector<tarn::TunedParam> tuned;
    for (const auto& t : tarn::defaultTunedParamTexts()) tuned.push_back(tarn::parseTunedParam(t));
    return tuned;
}

double maxResidentMB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024;
}

// Sub-area-days per second of the full run (its tables and run totals included).
void BM_FullRun(benchmark::State& state) {
    const int n = int(state.range(0)), areas = int(state.range(1));
    tarn::Project p = syntheticProject(n, areas);
    for (auto _ : state) {
        tarn::RunModel(p);
        benchmark::DoNotOptimize(p.Balance(tarn::slot::FirstRun, n, tarn::qty::Q));
    }
    state.SetItemsProcessed(state.iterations() * int64_t(n) * areas);
}

// The same record through the lean evaluation: catchment discharge and fit only.
void BM_LeanEvaluation(benchmark::State& state) {
    const int n = int(state.range(0)), areas = int(state.range(1));
    const tarn::Project p = syntheticProject(n, areas);
    const tarn::Evaluator ev(p, defaultTunedParams(), {tarn::Objective::Kge}, tarn::wholeRecord(p));
    auto w = ev.workspace();
    const std::vector<double> x{0.5, 0.93, 1.0, 1.0};
    for (auto _ : state) {
        const auto r = ev.evaluate(x, w);
        benchmark::DoNotOptimize(r.objectives[0]);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(n) * areas);
}
BENCHMARK(BM_FullRun)->Args({3653, 3})->Args({3653, 10})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LeanEvaluation)->Args({3653, 3})->Args({3653, 10})->Unit(benchmark::kMicrosecond);

// 5000 evaluations of the bundled example (10 years, 3 sub-areas), default parameters and
// objective, on two threads.
void BM_CalibrateExample(benchmark::State& state) {
    tarn::Project p;
    tarn::RunJobOptions o;
    o.workbook = TARNFLOW_EXAMPLE;
    o.measured = true;
    tarn::readJobInputs(p, o);
    const tarn::Evaluator ev(p, defaultTunedParams(), {tarn::Objective::Kge}, tarn::wholeRecord(p));
    tarn::SearchOptions so;
    so.evaluations = state.range(0);
    so.threads = 2;
    double best = 0;
    for (auto _ : state) best = ev.objectives().empty() ? 0 : tarn::search(ev, so).bestObjectives.at(0);
    state.counters["kge"] = best;
}
BENCHMARK(BM_CalibrateExample)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Growth with days and sub-areas: 1000 evaluations on two threads; resident memory after.
void BM_CalibrateGrowth(benchmark::State& state) {
    const tarn::Project p = syntheticProject(int(state.range(0)), int(state.range(1)));
    const tarn::Evaluator ev(p, defaultTunedParams(), {tarn::Objective::Kge}, tarn::wholeRecord(p));
    tarn::SearchOptions so;
    so.evaluations = 1000;
    so.threads = 2;
    const double before = maxResidentMB();
    for (auto _ : state) benchmark::DoNotOptimize(tarn::search(ev, so).evaluations);
    state.counters["rss_growth_MB"] = maxResidentMB() - before;
    state.counters["max_rss_MB"] = maxResidentMB();
}
BENCHMARK(BM_CalibrateGrowth)
    ->Args({3653, 3})->Args({10000, 3})->Args({40000, 3})->Args({3653, 1})->Args({3653, 10})
    ->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
