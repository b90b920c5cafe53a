#pragma once
// The comparison of several workbooks of one catchment and period (a base and its land-use
// scenarios): the figures of each workbook's first run, the run of all of them in parallel,
// and the table of their changes against the base, for a terminal, a CSV file or a window.
#include <array>
#include <atomic>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/fit.h"
#include "output/chart_data.h"
#include "output/fit_panel.h"
#include "model/project.h"

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
    std::optional<FitFigures> fit;                     // with measured streamflow
    std::array<std::optional<double>, kSubAreas + 1> subAreaVolume{};  // [1..10], in the catchment
    std::vector<double> flows;  // with keepFlows: the first run's daily discharge, mm/day
};

// The figures of the first run held by p; `keepFlows`: with its daily discharge too.
ScenarioFigures scenarioFigures(const Project& p, const std::filesystem::path& workbook, bool measured,
                                bool keepFlows = false);

// Reads and runs one workbook and returns its figures.
// Sub-areas that take part in any of the workbooks, in order.
std::vector<int> subAreasOf(const std::vector<ScenarioFigures>& rows);

using ScenarioRun = std::function<ScenarioFigures(const std::filesystem::path& workbook)>;
// Called from the working threads after each workbook: how many are done of how many.
using ScenarioProgress = std::function<void(std::size_t done, std::size_t total)>;

// Thrown by runScenarios when it was stopped before every workbook had run.
struct ComparisonStopped {};

// Runs every workbook through `run` on up to `threads` threads and returns their figures in
// the given order. Passes on the first failure of a workbook in the given order, then
// refuses (InputError) a workbook whose period differs from the first one's, naming both
// workbooks and periods. Once `*stop` is set no further workbook starts and
// ComparisonStopped is thrown.
std::vector<ScenarioFigures> runScenarios(const std::vector<std::filesystem::path>& workbooks,
                                          const ScenarioRun& run, unsigned threads,
                                          const ScenarioProgress& progress = {},
                                          const std::atomic<bool>* stop = nullptr);

// The comparison as rows of texts: a row per workbook with its changes against the first
// (the base), and the change of each sub-area's mean annual volume against the base.
struct CompareTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};
CompareTable compareFigures(const std::vector<ScenarioFigures>& rows);
CompareTable compareSubAreas(const std::vector<ScenarioFigures>& rows);

// The table for a terminal.
std::string compareText(const std::vector<ScenarioFigures>& rows);

// Both tables side by side as comma-separated values with a header row.
std::string compareCsv(const std::vector<ScenarioFigures>& rows);

// The charts of a comparison: the mean annual streamflow of each workbook (mm per year, a
// row per workbook labelled with its file name without the extension, short enough to stand
// under a bar) and the flow duration curve of each workbook's first run (of the figures that
// kept their flows), named the same way.
ChartData compareAnnualChart(const std::vector<ScenarioFigures>& rows);
DurationCurves compareDurationCurves(const std::vector<ScenarioFigures>& rows);

}  // namespace tarn
