#pragma once
// What the project details step (frmDetail) does to the project: choosing and opening the
// input workbook, the project and operator names, and the clock text.
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "input/step_result.h"
#include "model/project.h"
#include "model/run_model.h"
#include "workbook/workbook.h"

namespace tarn {

// The texts of the details step as it opens. The two name boxes stay hidden until a file
// has been chosen.
struct DetailTexts {
    std::string caption;
    std::string prjName;   // txtPrjName
    std::string operName;  // txtOperName
    std::string status;    // txtMessage
};
DetailTexts detailLoad(const Project& project);

// The window caption with the active data file.
std::string detailCaption(const Project& project);

// The input workbook chosen with cmdTemplt, open.
struct OpenedDataFile {
    StepResult result;               // the status line; refused: the reason, naming the file
    std::unique_ptr<Workbook> book;  // the open workbook when result.ok
};

// Choose the data file (cmdTemplt): opens the workbook at `path` and takes its header into
// the project: DataFile (the full path), PrjName (F1), OperName (F2), LastRun (H2),
// TotalArea (F3) and AreaInit (F5:O6). All or nothing: a file that cannot be opened or read
// is refused with a status naming the file (and the cell), and the project stays as it was.
// On success the status is "Edit the names and click on the Next button to proceed"; the
// screen then enables cmdNext_2 and disables cmdTemplt. `progress` hears of each stage.
OpenedDataFile detailChooseFile(Project& project, const std::filesystem::path& path,
                                const ProgressFn& progress = {});

// Next (cmdNext_2): refused with "Select the input datafile first" (focus cmdTemplt) while
// txtTemplate is empty, that is before a file was chosen on this visit; otherwise the names
// become the project's.
StepResult detailNext(Project& project, const std::string& templateText, const std::string& prjName,
                      const std::string& operName);

// Back (cmdBack2): the names become the project's.
void detailBack(Project& project, const std::string& prjName, const std::string& operName);

// The clock text TimeNow: day / month / year and the time, every number without leading
// zeros: "3 / 7 / 2024   9:7:5".
std::string timeNowText(const std::tm& local);
// The same for the present local time.
std::string timeNowText();

// A tick of the clock (Timer1): TimeNow becomes the present time; returns it.
const std::string& detailClockTick(Project& project);

}  // namespace tarn
