#pragma once
// The whole job of `tarnflow run`: a project workbook in, a run, its analyses and the
// result files out, as a user who accepts every value of the workbook would get them
// through the screens.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "model/project.h"

namespace tarn {

struct RunJobOptions {
    std::filesystem::path workbook;
    bool monthlyEtref = false;   // ETref from the monthly table AD5:AD16 instead of column F
    bool measured = false;       // read measured streamflow from column C
    std::optional<std::filesystem::path> textOut;
    std::optional<std::filesystem::path> workbookOut;
    bool excel = false;          // the Excel mode of the workbook save (daily results too)
    std::string timeNow;         // the save time written into H2
};

struct RunJobReport {
    std::string period;          // "1999-01-01 to 2008-12-31"
    int days = 0;
    double years = 0;
    double totalArea = 0;        // ha
    int subAreas = 0;            // with an area above 0
    double rainfall = 0, etref = 0, actualEt = 0, modelled = 0, measured = 0;  // mm per year
    std::optional<std::filesystem::path> textOut, workbookOut;
    std::string workbookNote;
    // Seconds spent in each stage.
    double readSeconds = 0, runSeconds = 0, analysisSeconds = 0, saveSeconds = 0;
};

// Stage names and progress of long stages, for a terminal.
using StageProgress = std::function<void(const std::string& stage, int value, int maximum)>;

// Refuses (InputError) an output path that names the input workbook or another output of
// the same job, links and other spellings of one file included.
void checkOutputPaths(const RunJobOptions& options);

// Runs the job on `project` (a fresh one); checkOutputPaths first, before anything is read
// or written. Throws InputError with one line that names the
// file and the cell or sub-area.
RunJobReport runJob(Project& project, const RunJobOptions& options, const StageProgress& progress = {});

// The report as the command line prints it.
std::string formatReport(const RunJobReport& report, const RunJobOptions& options);

}  // namespace tarn
