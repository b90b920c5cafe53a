#pragma once
// What the catchment and rainfall steps do to the project when the user presses their
// buttons: the rules, the state they change and the status text that results.
#include <string>

#include "input/step_result.h"
#include "model/project.h"

namespace tarn {

// ---- Catchment sub-areas (frmCatchment) ----

// The texts of the catchment step as it opens.
struct CatchmentScreen {
    std::string caption;
    std::string totalArea;  // txtTotalArea: the current TotalArea
    SubAreaBoxes shares;    // cmbArea_0..9
    std::string status;     // txtStatus
};
CatchmentScreen catchmentLoad(const Project& project);

// The share boxes as the catchment step opens them: the file's share of each sub-area,
// "0" where the file has none.
SubAreaBoxes catchmentBoxes(const Project& project);

// The status once the total area box has been changed (Command1 is then enabled).
std::string catchmentTotalAreaChanged();

// Capture (Command1) and Next (cmdNext_3) take the total area and the ten shares:
// - an empty or blank total area is refused with "No blanks in total area entry please !"
//   (three beeps); a total that is not a number of hectares greater than 0 is refused too;
// - each share is a whole percent 0..100 (ties to even; an empty box counts as 0); any
//   other text is refused naming its box and cell;
// - such a refusal changes nothing but SumPct, which is 0;
// - otherwise TotalArea, every sub-area's SubAreaPct, SubArea (ha) and SubPara parameter 0
//   (the share in per cent) and SumPct are stored; shares that do not add up to 100 are
//   then refused with the button's own message, and a catchment in which no sub-area has
//   an area is refused naming F5:O5; what was stored stays.
// Capture's success: "Data reset OK ...Click on Next button!" (enable cmdNext_3, disable
// Command1). Next's success has no status: the menu follows.
StepResult catchmentCapture(Project& project, const std::string& totalArea, const SubAreaBoxes& shares);
StepResult catchmentNext(Project& project, const std::string& totalArea, const SubAreaBoxes& shares);

// Back (cmdBack3): refuses a blank total area ("No blanks in total area entry please !",
// one beep) and one that is not a number greater than 0; otherwise stores it in TotalArea.
StepResult catchmentBack(Project& project, const std::string& totalArea);

// ---- Rainfall and streamflow (frmGetRain) ----

// The texts of the rainfall step as it opens. Opening clears RainDone and MeasFlow and
// has the input series chart read the workbook afresh (restartInputChart).
struct RainScreen {
    std::string caption;
    std::string file;       // txtRainFile
    SubAreaBoxes factors;   // cmbRainScale_0..9
    std::string status;     // txtStatus2
};
RainScreen rainLoad(Project& project);

// The factor boxes as the rainfall step opens them: the file's factor of each sub-area,
// "0" where the file has no share for it.
SubAreaBoxes rainFactorBoxes(const Project& project);

// Capture (cmdCapRain): RainDone = 1, MeasFlow = 1 when the streamflow box is checked;
// " Data read OK !"; the chart request for dates and rainfall (and measured streamflow),
// already handed to the chart (requestInputChart). The screen then opens the input series
// chart, enables cmdNext_4 and disables cmdCapRain.
struct RainCapture {
    StepResult result;
    ChartRequest chart;
};
RainCapture rainCapture(Project& project, bool streamflowChecked);

// Capture of the rainfall factors: every box that holds a number becomes the sub-area's
// factor (a whole percent, ties to even) and is added to SumScale; blank and other boxes
// are skipped and the sub-area keeps its factor. With `storeInParameters` (Next) also
// parameter 1 of SubPara.
void captureRainFactors(Project& project, const SubAreaBoxes& factors, bool storeInParameters);

// Next (cmdNext_4): refused with " Capture Rainfall data first" (beep, focus cmdCapRain)
// before a capture on this visit; otherwise captures the factors into SubPara too.
StepResult rainNext(Project& project, const SubAreaBoxes& factors);

// Back (cmdBack4): captures the factors (not into SubPara); refused with "Check the
// Scaling factors !" (beep, focus cmbRainScale_0) when they add up to more than 1000.
StepResult rainBack(Project& project, const SubAreaBoxes& factors);

}  // namespace tarn
