// tarnflow: the whole job without a screen.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>

#include "input/details.h"
#include "model/errors.h"
#include "run_job.h"

namespace {

// A progress line on a terminal, redrawn when the percentage changes.
class TerminalProgress {
public:
    TerminalProgress() : enabled_(::isatty(STDERR_FILENO) == 1) {}
    ~TerminalProgress() { finish(); }
    void operator()(const std::string& stage, int value, int maximum) {
        if (!enabled_ || maximum <= 0) return;
        const int percent = int(100.0 * value / maximum);
        if (stage == stage_ && percent == percent_) return;
        if (stage != stage_) finish();
        stage_ = stage;
        percent_ = percent;
        std::fprintf(stderr, "\r%s %3d%%", stage.c_str(), percent);
        std::fflush(stderr);
        shown_ = true;
    }
    void finish() {
        if (shown_) std::fprintf(stderr, "\r%*s\r", int(stage_.size()) + 6, "");
        shown_ = false;
        stage_.clear();
    }

private:
    bool enabled_;
    bool shown_ = false;
    std::string stage_;
    int percent_ = -1;
};

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"TARNFLOW: daily water balance of a catchment's sub-areas, and how a change of land use "
                 "alters its water yield."};
    app.require_subcommand(1);
    tarn::RunJobOptions options;
    std::string etref = "daily";
    std::string textOut, workbookOut;
    bool timings = false;
    CLI::App* run = app.add_subcommand("run", "Run a project workbook: read it, run the model, analyse, save");
    run->add_option("WORKBOOK", options.workbook, "the project's input workbook (.xlsx or .xls)")->required();
    run->add_option("--etref", etref, "reference evapotranspiration: daily (column F) or monthly (AD5:AD16)")
        ->check(CLI::IsMember({"daily", "monthly"}))
        ->default_str("daily");
    run->add_flag("--measured", options.measured, "read the measured streamflow of column C");
    run->add_option("--text-out", textOut, "write the comma-separated text results to FILE");
    run->add_option("--workbook-out", workbookOut, "write a copy of the workbook with the results to FILE");
    run->add_flag("--excel", options.excel, "put the daily results into the workbook copy too");
    run->add_flag("--timings", timings, "print the seconds each stage took");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return 2;
    }
    if (options.excel && workbookOut.empty()) {
        std::fprintf(stderr, "tarnflow: --excel needs --workbook-out FILE\n");
        return 2;
    }
    options.monthlyEtref = etref == "monthly";
    if (!textOut.empty()) options.textOut = textOut;
    if (!workbookOut.empty()) options.workbookOut = workbookOut;
    options.timeNow = tarn::timeNowText();  // the clock text of the project details step

    try {
        tarn::Project project;
        tarn::RunJobReport report;
        {
            TerminalProgress progress;
            report = tarn::runJob(project, options, std::ref(progress));
        }
        std::printf("TARNFLOW run of %s\n%s", options.workbook.string().c_str(),
                    tarn::formatReport(report, options).c_str());
        if (timings)
            std::printf("Seconds:       read %.3f, run %.3f, analyses %.3f, files %.3f\n", report.readSeconds,
                        report.runSeconds, report.analysisSeconds, report.saveSeconds);
        return 0;
    } catch (const tarn::InputError& e) {
        std::fprintf(stderr, "tarnflow: %s\n", e.what());
        return 1;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "tarnflow: not enough memory\n");
        return 1;
    }
}
