// tarnflow run: one project workbook, its run, analyses and result files.
#include <cstdio>

#include "commands.h"
#include "input/details.h"
#include "run_job.h"
#include "terminal_progress.h"

namespace tarn {

Command addRunCommand(CLI::App& app) {
    struct State {
        RunJobOptions options;
        std::string etref = "daily";
        std::string textOut, workbookOut;
        bool timings = false;
    };
    auto state = std::make_shared<State>();
    CLI::App* run = app.add_subcommand("run", "Run a project workbook: read it, run the model, analyse, save");
    run->add_option("WORKBOOK", state->options.workbook, "the project's input workbook (.xlsx or .xls)")->required();
    run->add_option("--etref", state->etref, "reference evapotranspiration: daily (column F) or monthly (AD5:AD16)")
        ->check(CLI::IsMember({"daily", "monthly"}))
        ->default_str("daily");
    run->add_flag("--measured", state->options.measured, "read the measured streamflow of column C");
    run->add_option("--text-out", state->textOut, "write the comma-separated text results to FILE");
    run->add_option("--workbook-out", state->workbookOut, "write a copy of the workbook with the results to FILE");
    run->add_flag("--excel", state->options.excel, "put the daily results into the workbook copy too");
    run->add_flag("--timings", state->timings, "print the seconds each stage took");

    return {run, [state]() -> int {
                RunJobOptions& options = state->options;
                if (options.excel && state->workbookOut.empty()) {
                    std::fprintf(stderr, "tarnflow: --excel needs --workbook-out FILE\n");
                    return 2;
                }
                options.monthlyEtref = state->etref == "monthly";
                if (!state->textOut.empty()) options.textOut = state->textOut;
                if (!state->workbookOut.empty()) options.workbookOut = state->workbookOut;
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
                    std::printf("Seconds:       read %.3f, run %.3f, analyses %.3f, files %.3f\n", report.readSeconds,
                                report.runSeconds, report.analysisSeconds, report.saveSeconds);
                return 0;
            }};
}

}  // namespace tarn
