#include "compare.h"

namespace tarn {

std::vector<ScenarioFigures> runScenarios(const std::vector<std::filesystem::path>& workbooks,
                                          const RunJobOptions& options, unsigned threads,
                                          const ScenarioProgress& progress, const std::atomic<bool>* stop,
                                          bool keepFlows) {
    const ScenarioRun run = [&](const std::filesystem::path& workbook) {
        RunJobOptions o = options;
        o.workbook = workbook;
        o.figuresOnly = true;
        Project p;
        runJob(p, o);
        return scenarioFigures(p, workbook, o.measured, keepFlows);
    };
    return runScenarios(workbooks, run, threads, progress, stop);
}

}  // namespace tarn
