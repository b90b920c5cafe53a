#pragma once
// What the run screen (frmRunModel) does to the project: running the model, which of its
// buttons are enabled, the days list, Show me (the output chart and which output screen
// shows it), and where the save dialogs open.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "input/step_result.h"
#include "model/project.h"
#include "model/run_model.h"
#include "output/output_chart.h"

namespace tarn {

inline constexpr std::string_view kRunProgressCaption = " Running the Model Please Wait ! ";
inline constexpr std::string_view kRunCompleted = "Run completed select series to show output";

// Whether a control is enabled, by its object name.
struct ControlState {
    std::string name;
    bool enabled = false;
    friend bool operator==(const ControlState&, const ControlState&) = default;
};

// The seven buttons that need a run: they follow ModelRun.
inline constexpr std::array<std::string_view, 7> kRunOutputButtons = {
    "cmdAnnualTotmmm", "cmdNext_9", "cmdMinFlows10", "cmdMiniFlow", "cmdShowMe", "cmdSaveOut", "cmdAnTot"};

// cmdRunModel (enabled as `runButton` says: on load and after a refused run, not after a
// run or Show me) and the seven output buttons (enabled when ModelRun = 1).
std::vector<ControlState> runScreenControls(const Project& project, bool runButton);

// A list of numbers of days (cmbDaysOut of the run screen, cmbDaystoSee of the output
// screens): "5", "6", ..., NumDays with the last selected, and NumDays as text
// (txtMaxDaysOut, txtMaxNoDays). Fewer than 5 days: an empty list with no selection.
struct DaysList {
    std::vector<std::string> items;
    int selected = -1;
    std::string maxDays;
};
DaysList daysList(int numDays);

// The run screen as it opens.
struct RunScreenLoad {
    std::string caption;                  // "  Active data file is  " + DataFile + "   Sheet 9.0 of 9 "
    std::string status;                   // txtRunComplete: the data file
    SeriesTicks series{};                 // chkSeriesOut_1..5: modelled streamflow ticked
    std::vector<std::string> chartTypes;  // cmbChartType's list
    int chartType = 0;                    // its selected position
    std::vector<ControlState> controls;
};
RunScreenLoad runScreenLoad(const Project& project);

// How a run is made: the "Testing only" option (OptTest) and the progress callback. A
// testing-only run reads its reference values from `sheet`, or opens DataFile when none
// is given.
struct RunRequest {
    bool testingOnly = false;
    const CellReader* sheet = nullptr;
    ProgressFn progress;
};

// One run of the model as the request says; the message of a refused run (nothing
// changed), or "" when the run was made.
std::string runModelAsRequested(Project& project, const RunRequest& request);

// "&Run the Model" (cmdRunModel): one run, the first run or, once an output screen has
// made a rerun (RerunFlag = 1), the last run again. A run that cannot go ahead (no days, a
// parameter that is not a number, TAW <= RAW, a testing-only workbook that will not open,
// ...) is refused with the message naming the sub-area and parameter, or the file and
// cell, and changes nothing. Otherwise ModelRun = 1, the status kRunCompleted, the days
// list and the buttons with cmdRunModel disabled.
struct RunOutcome {
    StepResult result;
    DaysList days;
    std::vector<ControlState> controls;
};
RunOutcome runScreenRun(Project& project, const RunRequest& request);

// Which output screen shows the chart.
enum class OutputScreen {
    Values,   // frmOutput: parameters as values ("From data input file")
    Classes,  // frmOutput_2: soil and vegetation as classes ("Use generic parameter values")
};

// What "Sho&w me" reads from the run screen.
struct ShowMeInput {
    bool optNames = false;   // "Use generic parameter values" selected
    bool optValues = false;  // "From data input file" selected
    std::string daysOut;     // cmbDaysOut's text
    SeriesTicks series{};    // chkSeriesOut_1..5
};

// "Sho&w me" (cmdShowMe): ShowNames from the display options (unchanged when neither is
// selected); DaysOut from the days box, a whole number of days of which more than NumDays
// means NumDays and an empty box all days; the chart of the ticked series (chartConfig)
// and the output screen to show it on: frmOutput_2 when ShowNames = 1, which it then
// clears, else frmOutput. Refused without a run, or when the days box is not a number of
// days from 1 (status naming the box, focus cmbDaysOut); a refusal changes nothing.
struct ShowMeResult {
    StepResult result;
    std::string daysOutBox;  // cmbDaysOut's new text
    DaysList days;           // cmbDaysOut's list, txtMaxDaysOut
    OutputScreen screen = OutputScreen::Values;
    OutputChart chart;
    std::vector<ControlState> controls;  // empty after a refusal: they stay as they are
};
ShowMeResult runScreenShowMe(Project& project, const ShowMeInput& input);

// The chart type of both output charts for position p of cmbChartType (p = 10: the pie
// 14, p = 11: the XY chart 16); -1 outside the list.
int outputChartCode(int listPosition);

// The folder the save dialogs open in: `preferred` where it is an existing folder, else
// the folder of the input workbook where that exists, else "" (the dialog's own choice).
inline constexpr std::string_view kPreferredSaveFolder = "c:\\tarnws\\";
std::string saveStartFolder(const std::string& dataFile, std::string_view preferred = kPreferredSaveFolder);

}  // namespace tarn
