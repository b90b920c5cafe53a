#pragma once
// What the vegetation step and its two class screens do to the project: the grid of the
// two vegetation parameters of the ten sub-areas, choosing a vegetation class per
// sub-area, and editing the vegetation class table.
#include <array>
#include <string>

#include "input/soil_capture.h"
#include "input/step_result.h"
#include "model/project.h"

namespace tarn {

// txtVege1..txtVege10 of the vegetation step, elements 0..1: interception fraction, crop
// coefficient (SubPara parameters 5 and 6).
using VegeGrid = SubAreaGrid<2>;

// The vegetation step as it opens (ShowVegeParams): the grid shows SubPara parameters 5
// and 6 as text, and those texts are stored back. The screen disables cmdNext_7 and
// cmdUpdateVege.
struct VegeScreen {
    std::string caption;
    std::string fileLabel;  // lblVegeFile
    VegeGrid grid;
    StepResult result;      // txtMessage4
};
VegeScreen vegeLoad(Project& project);

// Select data source (cmdCaptureVege) with optVegeFile set: the grid again from SubPara,
// " Vegetation parameters are read from the input file". (With optNewVege the screen
// opens the class choice instead.) Either way the screen then enables cmdUpdateVege.
struct VegeGridResult {
    StepResult result;
    VegeGrid grid;
};
VegeGridResult vegeFromDataFile(Project& project);

// Capture (cmdUpdateVege) and Next (cmdNext_7) store the grid as typed into parameters 5
// and 6. Capture: " Vegetation parameters saved " (enable cmdNext_7, disable cmdUpdateVege).
StepResult vegeCapture(Project& project, const VegeGrid& grid);
StepResult vegeNext(Project& project, const VegeGrid& grid);

// The texts of the vegetation class choice (frmVegeParaSet) as it opens.
ClassChoiceScreen vegeClassesLoad(const Project& project);

// Update of the class choice (SETVEGE): VegeSel = the choice; each sub-area with a class
// receives the class's two values in parameters 5 and 6; the others keep theirs. Returns
// the vegetation step's grid and its status " Parameters reset " (txtMessage4).
VegeGridResult vegeClassesApply(Project& project, const ClassChoice& choice);

// The vegetation class table (frmVegeDataStore): txtVege1..txtVege5, elements 0..1.
using VegeClassTable = std::array<std::array<std::string, 2>, 5>;
struct VegeClassTableScreen {
    std::string caption;
    std::string status;  // txtMessage
    VegeClassTable table;
};
VegeClassTableScreen vegeTableLoad(const Project& project);

// Update (cmdUpdateVege of the table): every box must hold a number (an empty box counts
// as 0); the first that does not is refused naming its class and parameter, with the
// focus on it, and nothing changes. Otherwise VegeData takes the texts as typed and the
// status shows the table's opening text again.
StepResult vegeTableUpdate(Project& project, const VegeClassTable& table);

}  // namespace tarn
