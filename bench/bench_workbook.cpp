// Reading a 40000-day input workbook and saving a copy with 31 columns x 40000 rows written.
//   bench_workbook --make-workbook PATH   writes the workbook the benchmarks read
//   bench_workbook                        runs the benchmarks (on TARNFLOW_BENCH_WORKBOOK,
//                                         or on a workbook it makes in the temp folder)
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "model/dates.h"
#include "workbook/input_workbook.h"
#include "workbook/xlsx_builder.h"
#include "bench_support.h"

namespace {

namespace fs = std::filesystem;
constexpr int kDays = 40000;

void makeWorkbook(const fs::path& path) {
    tarn::XlsxBuilder b({false, true});
    const int s = b.addSheet("Project");
    tarn::bench::addProjectBlock(b, s);
    const int first = tarn::daysSinceEpoch(std::chrono::year{1900} / 3 / 1);
    unsigned seed = 7;
    for (int d = 1; d <= kDays; ++d) {
        seed = seed * 1103515245u + 12345u;
        b.setNumber(s, 24 + d, 3, double(seed % 1000) / 100);
        b.setDate(s, 24 + d, 4, first + d - 1);
        b.setNumber(s, 24 + d, 5, double((seed >> 10) % 300) / 10);
        b.setNumber(s, 24 + d, 6, double((seed >> 20) % 50) / 10);
    }
    b.save(path);
}

const fs::path& workbookPath() {
    static const fs::path path = [] {
        if (const char* given = std::getenv("TARNFLOW_BENCH_WORKBOOK")) return fs::path(given);
        fs::path p = fs::temp_directory_path() / "tarnflow-bench-40000.xlsx";
        if (!fs::exists(p)) makeWorkbook(p);
        return p;
    }();
    return path;
}

void BM_OpenAndReadWorkbook(benchmark::State& state) {
    for (auto _ : state) {
        auto book = tarn::openWorkbook(workbookPath());
        tarn::Project p;
        tarn::readHeader(*book, p);
        tarn::loadParametersFromDataFile(*book, p);
        tarn::loadDailySeries(*book, p, {true, true, tarn::EtrefInput::Daily});
        benchmark::DoNotOptimize(p.Balance(tarn::slot::Inputs, kDays, tarn::qty::P));
    }
    state.SetItemsProcessed(state.iterations() * kDays);
}
BENCHMARK(BM_OpenAndReadWorkbook)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_SaveCopy31Columns(benchmark::State& state) {
    auto book = tarn::openWorkbook(workbookPath());
    for (int d = 1; d <= kDays; ++d)
        for (int c = 4; c <= 34; ++c) book->write(24 + d, c, 0.001 * d + c);
    const fs::path target = fs::temp_directory_path() / "tarnflow-bench-copy.xlsx";
    for (auto _ : state) book->saveAs(target);
    state.counters["MB"] = double(fs::file_size(target)) / 1e6;
    fs::remove(target);
}
BENCHMARK(BM_SaveCopy31Columns)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--make-workbook") == 0) {
        makeWorkbook(argv[2]);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
