#include "run_job.h"

#include <unistd.h>

#include <chrono>
#include <cctype>
#include <cstdio>
#include <vector>

#include "analysis/fit.h"
#include "analysis/result_tables.h"
#include "input/capture.h"
#include "input/rain_warning.h"
#include "model/errors.h"
#include "model/run_model.h"
#include "output/saved_workbook.h"
#include "output/text_results.h"
#include "workbook/atomic_file.h"
#include "workbook/input_workbook.h"

namespace tarn {

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Runs f, putting the workbook's name in front of the message of an input error.
template <class F>
void inFile(const std::filesystem::path& file, F&& f) {
    try {
        f();
    } catch (const OptionError&) {
        throw;
    } catch (const InputError& e) {
        throw InputError(namingFile(file.string(), e.what()));
    }
}

}  // namespace

void checkOutputPath(const std::string& what, const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    if (path.empty()) throw InputError(what + ": no file name was given");
    const std::string named = what + " " + path.string();
    std::error_code ec;
    if (fs::is_directory(path, ec)) throw InputError(named + " is a folder; give a file name");
    const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    if (!fs::exists(folder, ec)) throw InputError(named + ": the folder " + folder.string() + " does not exist");
    if (!fs::is_directory(folder, ec)) throw InputError(named + ": " + folder.string() + " is not a folder");
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        throw InputError(named + ": the folder " + folder.string() + " is not writable");
}

void checkOutputPaths(const RunJobOptions& o) {
    std::vector<NamedOutput> outputs;
    if (o.textOut) outputs.push_back({"--text-out", *o.textOut});
    if (o.summaryJson) outputs.push_back({"--summary-json", *o.summaryJson});
    if (o.csvOut) outputs.push_back({"--csv", *o.csvOut});
    if (o.workbookOut) outputs.push_back({"--workbook-out", *o.workbookOut});
    checkOutputPaths(o.workbook, outputs);
}

void checkOutputPaths(const std::filesystem::path& input, const std::vector<NamedOutput>& outputs) {
    std::vector<NamedOutput> files{{"the input workbook", input}};
    for (const NamedOutput& out : outputs) {
        files.push_back(out);
        // A legacy input's copy goes to the .xlsx name beside the one given.
        std::filesystem::path xlsx = out.path;
        std::string ext = xlsx.extension().string();
        for (char& ch : ext) ch = char(std::tolower(static_cast<unsigned char>(ch)));
        if (ext == ".xls") files.push_back({out.option, xlsx.replace_extension(".xlsx")});
    }
    for (std::size_t i = 1; i < files.size(); ++i) checkOutputPath(files[i].option, files[i].path);
    for (std::size_t i = 1; i < files.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (files[i].option != files[j].option && sameFile(files[i].path, files[j].path))
                throw InputError(files[i].option + " " + files[i].path.string() + " is " +
                                 (j == 0 ? "the input workbook, which is never changed"
                                         : "also the file of " + files[j].option) +
                                 "; choose another name");
}

void readJobInputs(Project& p, const RunJobOptions& o) {
    p.DataFile = o.workbook.string();
    std::unique_ptr<Workbook> book;
    inFile(o.workbook, [&] {
        book = openWorkbook(o.workbook);
        readHeader(*book, p);
    });
    const StepResult catchment = catchmentNext(p, p.TotalArea.text(), catchmentBoxes(p));
    if (!catchment.ok) {
        const bool sum = catchment.cell == "F5:O5" && p.SumPct != 100;
        throw InputError(o.workbook.string() + ": " + catchment.cell + ": " + catchment.status +
                         (sum ? " (the shares add up to " + std::to_string(p.SumPct) + " %)" : ""));
    }
    captureRainFactors(p, rainFactorBoxes(p), true);
    inFile(o.workbook, [&] {
        loadParametersFromDataFile(*book, p);
        loadDailySeries(*book, p, {true, o.measured, o.monthlyEtref ? EtrefInput::Monthly : EtrefInput::Daily});
        if (o.monthlyEtref) spreadMonthlyEtref(p);
    });
    p.MeasFlow = o.measured ? 1 : 0;
}

RunJobReport runJob(Project& p, const RunJobOptions& o, const StageProgress& progress) {
    checkOutputPaths(o);
    RunJobReport report;
    auto stage = [&](const std::string& name) -> ProgressFn {
        if (!progress) return {};
        return [=](int value, int maximum) { progress(name, value, maximum); };
    };

    // Read the workbook: header, catchment, rainfall factors, parameters, daily series.
    auto start = Clock::now();
    readJobInputs(p, o);
    report.noRain = noRainWarning(p);
    // The fit window and the warm-up against the record, before the run and any file.
    DayRange window;
    if (!o.figuresOnly)
        window = afterWarmUp(p, windowDays(p, {o.fitFrom, o.fitTo}, "--fit-window"), o.warmUpDays, "--warm-up");
    report.readSeconds = secondsSince(start);

    // The first run.
    start = Clock::now();
    p.RerunFlag = 0;
    RunOptions run;
    run.progress = stage("Running the model");
    inFile(o.workbook, [&] { RunModel(p, run); });
    p.ModelRun = 1;
    report.runSeconds = secondsSince(start);

    // Analyses, in the order the screens make them.
    start = Clock::now();
    buildResultTables(p);
    report.analysisSeconds = secondsSince(start);

    if (o.figuresOnly) return report;

    // The summary: fit over the window, less the warm-up days; duration; closure.
    start = Clock::now();
    report.summary = summarizeFirstRun(p, o.measured, window);
    report.summarySeconds = secondsSince(start);

    // Files.
    start = Clock::now();
    p.TimeNow = o.timeNow;
    std::vector<std::filesystem::path> created;  // files of this job that did not exist before
    auto writing = [&](const std::filesystem::path& file) {
        std::error_code ec;
        if (!std::filesystem::exists(std::filesystem::symlink_status(file, ec))) created.push_back(file);
    };
    try {
        if (o.textOut) {
            writing(*o.textOut);
            writeTextResults(p, *o.textOut, stage("Writing " + o.textOut->string()));
            report.textOut = o.textOut;
        }
        if (o.workbookOut) {
            writing(*o.workbookOut);
            std::filesystem::path xlsx = *o.workbookOut;
            writing(xlsx.replace_extension(".xlsx"));  // where the copy of a legacy input goes
            const SavedWorkbook saved = saveResultsWorkbook(p, *o.workbookOut, o.excel, stage("Writing " + o.workbookOut->string()));
            report.workbookOut = saved.path;
            report.workbookNote = saved.note;
        }
        if (o.summaryJson) {
            writing(*o.summaryJson);
            writeBytesAtomically(*o.summaryJson, summaryJson(report.summary));
            report.summaryJson = o.summaryJson;
        }
    } catch (...) {
        std::error_code ec;
        for (const auto& file : created) std::filesystem::remove(file, ec);
        throw;
    }
    report.saveSeconds = secondsSince(start);
    return report;
}

std::string formatReport(const RunJobReport& r, const RunJobOptions& o) {
    char buf[512];
    std::string out;
    auto line = [&](const char* format, auto... args) {
        std::snprintf(buf, sizeof buf, format, args...);
        out += buf;
        out += '\n';
    };
    const RunSummary& s = r.summary;
    line("Period:        %s to %s (%d days, %.1f years)", s.first.c_str(), s.last.c_str(), s.days, s.years);
    line("Catchment:     %.0f ha in %d sub-area%s", s.totalArea, s.subAreas, s.subAreas == 1 ? "" : "s");
    line("Mean per year: rainfall %.0f mm, reference evapotranspiration %.0f mm%s,", s.rainfall, s.etref,
         o.monthlyEtref ? " (monthly table)" : "");
    line("               actual evapotranspiration %.0f mm, modelled streamflow %.0f mm,", s.actualEt, s.modelled);
    if (!o.measured)
        line("               measured streamflow not read (add --measured)");
    else if (s.measured)
        line("               measured streamflow %.0f mm", *s.measured);
    else
        line("               no day has a measured streamflow");
    if (!r.noRain.empty()) line("Warning:       %s", r.noRain.c_str());
    out += summaryText(s);
    if (r.textOut) line("Text results:  %s", r.textOut->string().c_str());
    if (r.workbookOut) {
        line("Workbook:      %s%s", r.workbookOut->string().c_str(), o.excel ? " (with the daily results)" : "");
        if (!r.workbookNote.empty()) line("               %s", r.workbookNote.c_str());
    }
    if (r.summaryJson) line("Summary:       %s", r.summaryJson->string().c_str());
    if (!r.textOut && !r.workbookOut && !r.summaryJson)
        line("No files written (use --text-out, --workbook-out or --summary-json).");
    return out;
}

}  // namespace tarn
