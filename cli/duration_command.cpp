// tarnflow duration: the flow duration curve of a workbook's first run (and of the measured
// streamflow), p = 0.1 .. 99.9 % of the days.
#include <cstdio>

#include "analysis/duration.h"
#include "commands.h"
#include "run_job.h"
#include "workbook/atomic_file.h"

namespace tarn {

namespace {

std::string cell(const std::optional<double>& x) {
    if (!x) return "";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.10g", *x);
    return buf;
}

std::string durationCsv(const Project& p, bool measured) {
    const std::vector<double> percents = curvePercents();
    const auto first = flowsExceeded(runFlows(p, slot::FirstRun), percents);
    std::vector<std::optional<double>> meas;
    if (measured) meas = flowsExceeded(measuredFlows(p), percents);
    std::string out = measured ? "exceedance_percent,first_run_mm_per_day,measured_mm_per_day\n"
                               : "exceedance_percent,first_run_mm_per_day\n";
    char buf[16];
    for (std::size_t i = 0; i < percents.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%.1f", percents[i]);
        out += buf;
        out += "," + cell(first[i]);
        if (measured) out += "," + cell(meas[i]);
        out += '\n';
    }
    return out;
}

}  // namespace

Command addDurationCommand(CLI::App& app) {
    struct State {
        RunJobOptions options;
        std::string etref, csv;
    };
    auto state = std::make_shared<State>();
    CLI::App* command = app.add_subcommand(
        "duration", "The flow duration curve of a workbook's first run: the flow exceeded on p % of the days, "
                    "p = 0.1 .. 99.9, in mm/day (with --measured, of the measured streamflow too)");
    command->add_option("WORKBOOK", state->options.workbook, "the project's input workbook (.xlsx or .xls)")
        ->required();
    addReadOptions(*command, state->options, state->etref);
    command->add_option("--csv", state->csv, "write the curve to FILE instead of the standard output");
    return {command, [state]() -> int {
                RunJobOptions& options = state->options;
                applyEtref(options, state->etref);
                options.figuresOnly = true;
                if (!state->csv.empty()) options.csvOut = state->csv;
                Project project;
                runJob(project, options);
                const std::string csv = durationCsv(project, options.measured);
                if (state->csv.empty()) {
                    std::fputs(csv.c_str(), stdout);
                } else {
                    writeBytesAtomically(state->csv, csv);
                    std::printf("Flow duration curve of %s: %s\n", options.workbook.string().c_str(),
                                state->csv.c_str());
                }
                return 0;
            }};
}

}  // namespace tarn
