// tarnflow compare: a base workbook and its scenarios side by side.
#include <cstdio>
#include <thread>

#include "commands.h"
#include "compare.h"
#include "compare_sets.h"
#include "workbook/atomic_file.h"

namespace tarn {

Command addCompareCommand(CLI::App& app) {
    struct State {
        RunJobOptions options;
        std::vector<std::filesystem::path> workbooks;
        std::string etref, csv;
        unsigned threads = 0;
        SetOptions sets;
    };
    auto state = std::make_shared<State>();
    CLI::App* command = app.add_subcommand(
        "compare", "Run a base workbook and its scenarios (of the same period) and compare their water yield, "
                   "low flows and sub-area volumes against the base");
    command->add_option("BASE SCENARIO", state->workbooks, "the base workbook, then one or more scenario workbooks")
        ->required()
        ->expected(2, 1000);
    addReadOptions(*command, state->options, state->etref);
    command->add_option("--csv", state->csv, "also write the table, a row per workbook, to FILE");
    command->add_option("--threads", state->threads, "workbooks run at once (default: one per core)");
    addSetOptions(*command, state->sets, false);
    return {command, [state]() -> int {
                RunJobOptions& options = state->options;
                applyEtref(options, state->etref);
                if (!state->csv.empty()) {
                    options.csvOut = state->csv;
                    for (const auto& workbook : state->workbooks) {
                        options.workbook = workbook;
                        checkOutputPaths(options);
                    }
                }
                const unsigned threads = state->threads ? state->threads : std::max(1u, std::thread::hardware_concurrency());
                checkSetOptionsHaveFile(state->sets);
                if (!state->sets.file.empty()) {
                    std::vector<NamedOutput> outputs{{"--sets", state->sets.file}};
                    if (!state->csv.empty()) outputs.push_back({"--csv", state->csv});
                    for (const auto& workbook : state->workbooks) checkOutputPaths(workbook, outputs);
                    const SetComparison c = compareWithSets(state->workbooks, options, state->sets, threads);
                    std::fputs(compareSetsText(c).c_str(), stdout);
                    if (!state->csv.empty()) {
                        writeBytesAtomically(state->csv, compareSetsCsv(c));
                        std::printf("\nTable: %s\n", state->csv.c_str());
                    }
                    return 0;
                }
                const auto rows = runScenarios(state->workbooks, options, threads);
                std::fputs(compareText(rows).c_str(), stdout);
                if (!state->csv.empty()) {
                    writeBytesAtomically(state->csv, compareCsv(rows));
                    std::printf("\nTable: %s\n", state->csv.c_str());
                }
                return 0;
            }};
}

}  // namespace tarn
