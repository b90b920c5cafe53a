#pragma once
// What the two output screens do to the project: frmOutput shows every parameter of each
// sub-area as a value to edit, frmOutput_2 soil and vegetation as a class per sub-area and
// the initial conditions as values. Both write their grid back into the project
// (refreshes), check the area split, rerun the model into the last run while the first
// run stays, and redraw their chart over a window of dates.
#include <string>
#include <string_view>
#include <vector>

#include "input/step_result.h"
#include "model/project.h"
#include "output/output_chart.h"
#include "output/run_screen.h"

namespace tarn {

inline constexpr std::string_view kOutputStatus = "Alter input parameters and rerun to see the effect of change";
inline constexpr std::string_view kOutput2Status = "Alter input parameters and rerun to see the effect.";
inline constexpr std::string_view kRerunProgressCaption = " Rerun the Model please wait ! ";
inline constexpr std::string_view kRerun2ProgressCaption = "Rerun the Model Please Wait ! ";
inline constexpr std::string_view kRerunDone = " Output for the first and the last run ..";
inline constexpr std::string_view kRerun2Done = " Output for the last and first run !......";
inline constexpr std::string_view kAreaSumMessage = "Sum of sub areas NE to Total area !";
inline constexpr std::string_view kReversedWindowMessage = " Start date is larger than stopdate";

// The boxes both output screens have.
struct OutputCommonBoxes {
    SubAreaBoxes area;       // txtArea_0..9: share of sub-area j + 1 (whole percent)
    SubAreaBoxes rainScale;  // txtRscale_0..9: rainfall factor of sub-area j + 1 (percent)
    std::string bfi;         // txtBFlow: baseflow index of every sub-area
    std::string recession;   // txtResCoef: recession coefficient of every sub-area
};

// frmOutput's grid. values[s - 1][e] is element e of txtAp_<s> (object name
// "txtAp_<s>_<e>"): e = 0..2 SubPara 2..4 (TAW, RAW, toplayer capacity), e = 5..9 SubPara
// 5..9 (interception fraction, crop coefficient, initial toplayer, profile and baseflow
// store). Elements 3 and 4 do not exist: they stay empty and are not read.
struct OutputValuesGrid : OutputCommonBoxes {
    SubAreaGrid<10> values;
};

// frmOutput_2's grid. initial[s - 1][e] is txtAp_<s>_<e>, SubPara 7 + e (initial toplayer,
// profile and baseflow store); soil[s - 1] the soil class 1..5 whose option
// optA<s>_SR_<class - 1> is set (0: none), vege[s - 1] likewise for optvege<s>R.
struct OutputClassGrid : OutputCommonBoxes {
    SubAreaGrid<3> initial;
    ClassChoice soil{};
    ClassChoice vege{};
};

// The grids as the project holds the parameters.
OutputValuesGrid outputValuesGrid(const Project& project);
OutputClassGrid outputClassGrid(const Project& project);

// The texts of an output screen as it opens.
struct OutputScreenTexts {
    std::string caption;               // window caption
    std::string frameCaption;          // frmout / frmout_2
    std::string status;                // txtMessage
    DaysList days;                     // cmbDaystoSee and txtMaxNoDays
    std::vector<std::string> dates;    // the list of cmbLowerLimit and of cmbUpperLimit
    int lower = -1;                    // cmbLowerLimit opens on the first day
    int upper = -1;                    // cmbUpperLimit on the last
    SeriesTicks series{};              // chkSeriesOut_0..4
};

// Loading frmOutput / frmOutput_2. `charted` are the series of the chart it opens with;
// their boxes are ticked, and the measured streamflow's too, so the rerun compares both
// runs with it.
struct OutputLoad {
    OutputScreenTexts screen;
    OutputValuesGrid grid;
};
OutputLoad outputLoad(const Project& project, const SeriesTicks& charted);
struct Output2Load {
    OutputScreenTexts screen;
    OutputClassGrid grid;
};
Output2Load output2Load(const Project& project, const SeriesTicks& charted);

// refreshes: the grid into the project, then the area check (AreaError).
// - An area box must hold a whole percent from 0 to 100 (empty counts as 0), and the scale
//   box of a sub-area with an area a number (or be empty or blank); otherwise the box is
//   refused by name (focus on it, one beep), AreaError = 1 and nothing changes.
// - The parameter texts are stored as typed (the run refuses those that are not numbers);
//   the baseflow index and recession coefficient go to every sub-area. frmOutput_2 stores
//   the initial conditions, SoilSel and VegeSel, and each chosen class's parameters.
// - A sub-area with an area and a scale box that is not blank takes its factor (a whole
//   percent; SumScale adds them up); the others keep theirs. Every sub-area takes its
//   share (SubAreaPct, SubArea = share x TotalArea / 100, SubPara 0 and 1).
// - Shares that do not add up to 100: kAreaSumMessage, focus txtArea_0, one beep,
//   AreaError = 1; what was stored stays.
StepResult refreshes(Project& project, const OutputValuesGrid& grid);
// frmOutput_2 also hands back frmOutput's grid of the parameters now held.
struct ClassRefresh {
    StepResult result;
    OutputValuesGrid values;
};
ClassRefresh refreshes(Project& project, const OutputClassGrid& grid);

// The chart's window from the texts of cmbLowerLimit ("From") and cmbUpperLimit ("To"):
// StartDay and StopDay are the days of those date texts (the last day of a text that
// occurs twice), DaysOut = StopDay. A text that is no day of the record is refused naming
// its box; a start after the end gives kReversedWindowMessage; each with one beep and the
// focus on the box, and changes nothing.
StepResult setChartWindow(Project& project, const std::string& lower, const std::string& upper);

// What "&Rerun" reads besides the grid.
struct RerunInput {
    std::string lower;      // cmbLowerLimit's text
    std::string upper;      // cmbUpperLimit's text
    SeriesTicks series{};   // chkSeriesOut_0..4 of the screen
};

// "&Rerun" (cmdRefresh): refreshes; then the window; then the model run into the last
// run (RerunFlag = 1; the first run stays as it is) and the chart of the window, status
// kRerunDone (frmOutput) or kRerun2Done (frmOutput_2). A refusal of the grid, of the
// window or of the run (a parameter that is not a number, TAW <= RAW, ..., with the
// message naming sub-area and parameter) reruns nothing and redraws nothing; RerunFlag
// stays as it was.
struct RerunOutcome {
    StepResult result;        // txtMessage, focus, beeps
    bool rerun = false;       // the model was rerun: draw `chart`
    OutputChart chart;
    OutputValuesGrid values;  // frmOutput_2: frmOutput's grid of the parameters now held
};
RerunOutcome outputRerun(Project& project, const OutputValuesGrid& grid, const RerunInput& input,
                         const RunRequest& run = {});
RerunOutcome outputRerun(Project& project, const OutputClassGrid& grid, const RerunInput& input,
                         const RunRequest& run = {});

}  // namespace tarn
