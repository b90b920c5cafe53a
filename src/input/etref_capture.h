#pragma once
// What the reference evapotranspiration step does to the project: the choice between the
// daily series and the twelve monthly values, and the request it hands to the input
// series chart.
#include <string>

#include "input/step_result.h"
#include "model/project.h"

namespace tarn {

// The option set on the step: OptDaily, OptMonthly, or neither.
enum class EtrefChoice { None, Daily, Monthly };

// The texts of the step as it opens. Opening clears EtrefDone; ChartFile = DataFile.
struct EtrefScreen {
    std::string caption;
    std::string file;    // txtEtrefFile
    std::string status;  // txtMessage3
};
EtrefScreen etrefLoad(Project& project);

// Capture (cmdCapEtrefData): with an option set, EtrefDone = 1 and EtrefMonthly = 1 for
// the monthly table, 0 for the daily series; the option's message ("Daily reference
// evapotranspiration data read OK!") and its chart request (column F, or AD for the
// monthly table), already handed to the chart (requestInputChart). The screen then opens
// the input series chart, enables cmdNext_5 and disables cmdCapEtrefData. With
// neither option set nothing changes: ok is false, and there is no status and no request.
struct EtrefCapture {
    StepResult result;
    ChartRequest chart;
};
EtrefCapture etrefCapture(Project& project, EtrefChoice choice);

// Next (cmdNext_5): refused with " Capture reference evapotranspiration data first"
// (focus cmdCapEtrefData) before a capture on this visit.
StepResult etrefNext(const Project& project);

}  // namespace tarn
