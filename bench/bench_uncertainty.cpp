// Behavioural sets on the bundled example: the figures of 1000 sets (and their daily bands)
// from the workbook to the quantiles, a comparison of the base and one scenario with 1000
// sets, and a Sobol analysis of four parameters with 4096 base samples, on two threads.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "compare_sets.h"
#include "run_job.h"
#include "set_options.h"
#include "uncertainty/sensitivity.h"
#include "uncertainty/set_run.h"

namespace {

namespace fs = std::filesystem;

constexpr unsigned kThreads = 2;

double maxResidentMB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024;
}

// n sets of the default parameter problem, drawn evenly within its bounds, all behavioural.
fs::path setFile(int n) {
    const fs::path path = fs::temp_directory_path() / ("tarnflow-bench-sets-" + std::to_string(n) + ".csv");
    std::ofstream out(path);
    out << "evaluation,bfi=0.05:0.95,k=0.8:0.999,taw*=0.25:4,kc*=0.7:1.3,kge,best\n";
    std::mt19937 random(7);
    std::uniform_real_distribution<double> u(0, 1);
    for (int i = 1; i <= n; ++i)
        out << i << "," << 0.05 + 0.9 * u(random) << "," << 0.8 + 0.199 * u(random) << "," << 0.25 + 3.75 * u(random)
            << "," << 0.7 + 0.6 * u(random) << "," << u(random) << ",\n";
    return path;
}

tarn::RunJobOptions readOptions(const std::string& name) {
    tarn::RunJobOptions o;
    o.workbook = fs::path(TARNFLOW_EXAMPLES) / name;
    o.measured = true;
    return o;
}

// tarnflow uncertainty WORKBOOK --measured --sets FILE [--bands]: read, run the sets, the
// quantiles of every figure, the bands; no files written.
void BM_Uncertainty(benchmark::State& state) {
    const int n = int(state.range(0));
    const bool bands = state.range(1) != 0;
    tarn::SetOptions options;
    options.file = setFile(n).string();
    for (auto _ : state) {
        tarn::Project p;
        const tarn::RunJobOptions read = readOptions("coln_bibury.xlsx");
        tarn::readJobInputs(p, read);
        tarn::prepareForSets(p);
        const tarn::BehaviouralSets sets = tarn::loadBehaviouralSets(options, p);
        const tarn::SetRunner runner(p, sets.file.tuned, tarn::wholeRecord(p));
        const auto figures = tarn::runSets(runner, sets.file, sets.selection, "example", kThreads);
        for (const tarn::SetFigure& figure : tarn::setFigureList(true)) {
            std::vector<std::optional<double>> values;
            for (const auto& f : figures) values.push_back(figure.of(f));
            benchmark::DoNotOptimize(tarn::spreadOf(values, sets.selection.weights));
        }
        if (bands) benchmark::DoNotOptimize(tarn::dailyBands(runner, sets.values, sets.selection.weights, kThreads));
    }
    state.counters["sets"] = n;
    state.counters["max_rss_MB"] = maxResidentMB();
}
BENCHMARK(BM_Uncertainty)
    ->Args({100, 0})
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Args({4000, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// tarnflow compare BASE SCENARIO --measured --sets FILE: both workbooks read, every set on each.
void BM_CompareWithSets(benchmark::State& state) {
    const int n = int(state.range(0));
    tarn::SetOptions options;
    options.file = setFile(n).string();
    const std::vector<fs::path> books{fs::path(TARNFLOW_EXAMPLES) / "coln_bibury.xlsx",
                                      fs::path(TARNFLOW_EXAMPLES) / "coln_bibury_woodland.xlsx"};
    for (auto _ : state) {
        const tarn::SetComparison c = tarn::compareWithSets(books, readOptions("coln_bibury.xlsx"), options, kThreads);
        benchmark::DoNotOptimize(tarn::compareSetsText(c));
    }
    state.counters["sets"] = n;
}
BENCHMARK(BM_CompareWithSets)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

// tarnflow sensitivity WORKBOOK --measured --samples N: Sobol indices of the KGE for the
// four default parameters, N (4 + 2) runs and the bootstrap.
void BM_SobolExample(benchmark::State& state) {
    const int samples = int(state.range(0));
    tarn::Project p;
    tarn::readJobInputs(p, readOptions("coln_bibury.xlsx"));
    tarn::prepareForSets(p);
    std::vector<tarn::TunedParam> tuned;
    for (const auto& t : tarn::defaultTunedParamTexts()) tuned.push_back(tarn::parseTunedParam(t));
    const tarn::SetRunner runner(p, tuned, tarn::wholeRecord(p));
    std::vector<tarn::SetRunner::Workspace> spaces;
    for (unsigned t = 0; t < kThreads; ++t) spaces.push_back(runner.workspace());
    const tarn::SetRunner::Needs needs{false, false, false, true};
    const tarn::SensitivityModel kge = [&](std::span<const double> x, unsigned thread) {
        return *runner.figures(x, spaces[thread], needs).fit->kge;
    };
    std::vector<tarn::Bounds> bounds;
    for (const auto& s : tuned) bounds.push_back({s.lo, s.hi});
    tarn::SobolOptions o;
    o.samples = samples;
    o.threads = kThreads;
    for (auto _ : state) benchmark::DoNotOptimize(tarn::sobolIndices(kge, bounds, o));
    state.counters["runs"] = samples * 6;
}
BENCHMARK(BM_SobolExample)->Arg(256)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
