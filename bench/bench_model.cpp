// Throughput of a model run with its run totals over a long record and ten sub-areas.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cmath>

#include "model/dates.h"
#include "model/run_model.h"
#include "output/run_summary.h"

namespace {

tarn::Project longProject(int n) {
    using namespace std::chrono;
    tarn::Project p;
    p.resizeDays(n);
    const int first = tarn::daysSinceEpoch(year{1900} / 1 / 1);
    unsigned seed = 12345;
    for (int d = 1; d <= n; ++d) {
        seed = seed * 1103515245u + 12345u;
        const double season = std::cos(2 * M_PI * d / 365.25);
        p.DayDate(d, 0) = tarn::dateText(tarn::dateFromDays(first + d - 1));
        p.Balance(tarn::slot::Inputs, d, tarn::qty::P) = (seed >> 16) % 10 < 4 ? double((seed >> 8) % 200) / 10 : 0.0;
        p.Balance(tarn::slot::Inputs, d, tarn::qty::ETr) = 2.0 - 1.5 * season;
        p.Balance(tarn::slot::FirstRun, d, tarn::qty::Measured) = 1.0;
    }
    for (int s = 1; s <= 10; ++s) {
        p.SubArea[std::size_t(s)] = 100.0 * s;
        p.SubAreaPct[std::size_t(s)] = s <= 9 ? 10 : 10;
        p.RainFactor[std::size_t(s)] = 90.0 + 2 * s;
        const double params[] = {0, 0, 100.0 + 10 * s, 50.0 + 3 * s, 20, 0.05 * (s % 4),
                                 0.8 + 0.05 * s, 5, 90, 10, 0.6, 0.96};
        for (int c = 0; c < 12; ++c) p.SubPara(s - 1, tarn::paramAfter(tarn::Param::Area, c)) = params[c];
    }
    return p;
}

long maxResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void BM_RunModel(benchmark::State& state) {
    const int n = int(state.range(0));
    tarn::Project p = longProject(n);
    tarn::RunModel(p);  // touch every page once
    for (auto _ : state) {
        tarn::RunModel(p);
        benchmark::DoNotOptimize(p.MonTotal(tarn::MonthField::FirstVolume, 1));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(n) * tarn::kSubAreas);
    state.counters["state_MB"] =
        double(p.Balance.bytes() + p.FlowTable.bytes()) / 1e6;
    state.counters["max_rss_MB"] = double(maxResidentKiB()) / 1024;
}
BENCHMARK(BM_RunModel)->Arg(3653)->Arg(40000)->Unit(benchmark::kMillisecond);

// What the summary adds to a run: the fit to a measured series, the flow duration of the
// run and of the measurements, and the water-balance closure of every sub-area.
void BM_RunSummary(benchmark::State& state) {
    const int n = int(state.range(0));
    tarn::Project p = longProject(n);
    for (int d = 1; d <= n; ++d) p.Balance(tarn::slot::FirstRun, d, tarn::qty::Measured) = 0.5 + 0.4 * std::sin(d / 30.0);
    tarn::RunModel(p);
    for (auto _ : state) {
        const tarn::RunSummary s = tarn::summarizeFirstRun(p, true, tarn::wholeRecord(p));
        benchmark::DoNotOptimize(s.closure.catchment.residual);
    }
}
BENCHMARK(BM_RunSummary)->Arg(40000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
