#pragma once
// tarnflow compare: several workbooks of one catchment and period (a base and its land-use
// scenarios), each run as `tarnflow run` runs it, side by side.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "analysis/fit.h"
#include "run_job.h"

namespace tarn {

// The figures of one workbook's first run. Depths in mm per year, volumes in thousand m3
// per year.
struct ScenarioFigures {
    std::filesystem::path workbook;
    std::string first, last;  // period
    double area = 0;          // ha
    double rainfall = 0, actualEt = 0, streamflow = 0;  // mm per year
    double lowFlow = 0;       // mean of the water years' seven-day minima, mm/day (0: no year)
    int lowFlowYears = 0;
    std::optional<double> q95;                         // mm/day
    std::optional<FitFigures> fit;                     // with --measured
    std::array<std::optional<double>, kSubAreas + 1> subAreaVolume{};  // [1..10], in the catchment
};

// The figures of the first run held by p.
ScenarioFigures scenarioFigures(const Project& p, const std::filesystem::path& workbook, bool measured);

// Runs every workbook (options.workbook replaced by each) on up to `threads` threads, one
// project each, and returns their figures in the given order. Refuses (InputError) a
// workbook whose period differs from the first one's, naming both workbooks and periods,
// and passes on the first failure of a workbook in the given order.
std::vector<ScenarioFigures> runScenarios(const std::vector<std::filesystem::path>& workbooks,
                                          const RunJobOptions& options, unsigned threads);

// The table for a terminal: a row per workbook with its changes against the first (the
// base), then the change of each sub-area's mean annual volume against the base.
std::string compareText(const std::vector<ScenarioFigures>& rows);

// The same as comma-separated values with a header row.
std::string compareCsv(const std::vector<ScenarioFigures>& rows);

}  // namespace tarn
