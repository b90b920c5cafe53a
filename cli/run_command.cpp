// tarnflow run: one project workbook, its run, analyses and result files.
#include <cstdio>

#include "analysis/fit.h"
#include "commands.h"
#include "input/details.h"
#include "run_job.h"
#include "terminal_progress.h"

namespace tarn {

void addReadOptions(CLI::App& command, RunJobOptions& options, std::string& etref) {
    etref = "daily";
    command.add_option("--etref", etref, "reference evapotranspiration: daily (column F) or monthly (AD5:AD16)")
        ->check(CLI::IsMember({"daily", "monthly"}))
        ->default_str("daily");
    command.add_flag("--measured", options.measured, "read the measured streamflow of column C");
}

void applyEtref(RunJobOptions& options, const std::string& etref) { options.monthlyEtref = etref == "monthly"; }

Command addRunCommand(CLI::App& app) {
    struct State {
        RunJobOptions options;
        std::string etref;
        std::string textOut, workbookOut, fitWindow, summaryJson, warmUp;
        bool timings = false;
    };
    auto state = std::make_shared<State>();
    CLI::App* run = app.add_subcommand("run", "Run a project workbook: read it, run the model, analyse, save");
    run->add_option("WORKBOOK", state->options.workbook, "the project's input workbook (.xlsx or .xls)")->required();
    addReadOptions(*run, state->options, state->etref);
    run->add_option("--text-out", state->textOut, "write the comma-separated text results to FILE");
    run->add_option("--workbook-out", state->workbookOut, "write a copy of the workbook with the results to FILE");
    run->add_flag("--excel", state->options.excel, "put the daily results into the workbook copy too");
    run->add_option("--fit-window", state->fitWindow,
                    "fit to the measured streamflow over FROM:TO only (dates, e.g. 2001-01-01:2005-12-31; "
                    "either may be left out)");
    run->add_option("--warm-up", state->warmUp, "leave the first DAYS days of the fit window out of the fit")
        ->type_name("DAYS");
    run->add_option("--summary-json", state->summaryJson,
                    "write the summary (fit, water balance, flow duration, mean annual figures) as JSON to FILE");
    run->add_flag("--timings", state->timings, "print the seconds each stage took");

    return {run, [state]() -> int {
                RunJobOptions& options = state->options;
                if (options.excel && state->workbookOut.empty()) {
                    std::fprintf(stderr, "tarnflow: --excel needs --workbook-out FILE\n");
                    return 2;
                }
                applyEtref(options, state->etref);
                if (!state->textOut.empty()) options.textOut = state->textOut;
                if (!state->workbookOut.empty()) options.workbookOut = state->workbookOut;
                if (!state->summaryJson.empty()) options.summaryJson = state->summaryJson;
                if (!state->fitWindow.empty()) {
                    const DateWindow window = parseDateWindow(state->fitWindow, "--fit-window");
                    options.fitFrom = window.from;
                    options.fitTo = window.to;
                }
                if (!state->warmUp.empty()) options.warmUpDays = parseDayCount(state->warmUp, "--warm-up");
                options.timeNow = timeNowText();  // the clock text of the project details step

                Project project;
                RunJobReport report;
                {
                    TerminalProgress progress;
                    report = runJob(project, options, std::ref(progress));
                }
                std::printf("TARNFLOW run of %s\n%s", options.workbook.string().c_str(),
                            formatReport(report, options).c_str());
                if (state->timings)
                    std::printf("Seconds:       read %.3f, run %.3f, analyses %.3f, summary %.3f, files %.3f\n",
                                report.readSeconds, report.runSeconds, report.analysisSeconds, report.summarySeconds,
                                report.saveSeconds);
                return 0;
            }};
}

}  // namespace tarn
