#pragma once
// tarnflow compare and the comparison window: several workbooks of one catchment and period
// (a base and its land-use scenarios), each read and run as `tarnflow run` does it.
#include <atomic>
#include <filesystem>
#include <vector>

#include "output/compare.h"
#include "run_job.h"

namespace tarn {

// runScenarios of output/compare.h with each workbook read and run as runJob does it
// (options.workbook replaced by each, figures only); `keepFlows`: the figures keep the
// daily discharge of each run.
std::vector<ScenarioFigures> runScenarios(const std::vector<std::filesystem::path>& workbooks,
                                          const RunJobOptions& options, unsigned threads,
                                          const ScenarioProgress& progress = {},
                                          const std::atomic<bool>* stop = nullptr, bool keepFlows = false);

}  // namespace tarn
