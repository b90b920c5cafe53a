#pragma once
// The whole job of `tarnflow run`: a project workbook in, a run, its analyses and the
// result files out, as a user who accepts every value of the workbook would get them
// through the screens.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/project.h"
#include "output/run_summary.h"

namespace tarn {

struct RunJobOptions {
    std::filesystem::path workbook;
    bool monthlyEtref = false;   // ETref from the monthly table AD5:AD16 instead of column F
    bool measured = false;       // read measured streamflow from column C
    std::optional<std::filesystem::path> textOut;
    std::optional<std::filesystem::path> workbookOut;
    bool excel = false;          // the Excel mode of the workbook save (daily results too)
    std::string timeNow;         // the save time written into H2
    // The days the fit to the measured streamflow covers: from..to (dates; empty: the
    // record's first or last day), less the first warmUpDays days of that window.
    std::string fitFrom, fitTo;
    int warmUpDays = 0;
    std::optional<std::filesystem::path> summaryJson;  // the summary as one JSON object
    std::optional<std::filesystem::path> csvOut;       // --csv of duration and compare (checked only)
    // Read, run and analyse only: no result files, no fit, duration or closure (compare).
    bool figuresOnly = false;
};

struct RunJobReport {
    RunSummary summary;
    std::optional<std::filesystem::path> textOut, workbookOut, summaryJson;
    std::string workbookNote;
    std::string noRain;  // the sub-areas of the catchment that get no rain, or ""
    // Seconds spent in each stage.
    double readSeconds = 0, runSeconds = 0, analysisSeconds = 0, summarySeconds = 0, saveSeconds = 0;
};

// Stage names and progress of long stages, for a terminal.
using StageProgress = std::function<void(const std::string& stage, int value, int maximum)>;

// Refuses (InputError) an output path, given as `what` ("--text-out"), that cannot be
// written: empty, a folder, in a folder that does not exist or is not writable.
void checkOutputPath(const std::string& what, const std::filesystem::path& path);

// Refuses (InputError) every output path of the job that checkOutputPath refuses, and one
// that names the input workbook or another output of the same job, links and other
// spellings of one file included.
void checkOutputPaths(const RunJobOptions& options);

// The same for any command: the input workbook and (option, path) pairs of its outputs.
// An .xlsx beside an .xls output name counts as that output too (where a legacy input's
// copy goes).
struct NamedOutput {
    std::string option;
    std::filesystem::path path;
};
void checkOutputPaths(const std::filesystem::path& input, const std::vector<NamedOutput>& outputs);

// Reads the workbook into `project` (a fresh one) as runJob does before its run: header,
// catchment, rainfall factors, parameters and daily series. Throws InputError naming the
// file and the cell, sub-area or option.
void readJobInputs(Project& project, const RunJobOptions& options);

// Runs the job on `project` (a fresh one); checkOutputPaths first, the fit window and
// warm-up (OptionError) once the record is read, before the run and before anything is
// written. Throws InputError with one line that names the file and the cell, sub-area or
// option. When a file cannot be written, the files this job created before it are removed
// again.
RunJobReport runJob(Project& project, const RunJobOptions& options, const StageProgress& progress = {});

// The report as the command line prints it.
std::string formatReport(const RunJobReport& report, const RunJobOptions& options);

}  // namespace tarn
