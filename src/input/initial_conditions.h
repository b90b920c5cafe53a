#pragma once
// What the initial conditions step does to the project: the three store contents with
// which each sub-area starts the daily water balance.
#include <string>

#include "input/step_result.h"
#include "model/project.h"

namespace tarn {

// txtIni1..txtIni10, elements 0..2: initial toplayer water, total water and baseflow
// store content, mm (SubPara parameters 7, 8, 9).
using IniGrid = SubAreaGrid<3>;

// The step as it opens (frmIniCond). The screen disables cmdNext_8.
struct IniScreen {
    std::string caption;
    std::string file;   // txtIniCond
    IniGrid grid;
    std::string status;  // txtMessage
};
IniScreen initialLoad(const Project& project);

// Capture (cmdCapture) and Next (cmdNext_8) store the grid as typed. After Capture the
// screen disables cmdCapture and enables cmdNext_8; the status line stays.
StepResult initialCapture(Project& project, const IniGrid& grid);
StepResult initialNext(Project& project, const IniGrid& grid);

}  // namespace tarn
