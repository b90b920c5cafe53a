#pragma once
// What the soil step and its two class screens do to the project: reading the parameters
// from the input workbook, capturing the grid of the ten sub-areas and the baseflow boxes,
// choosing a soil class per sub-area, and editing the soil class table.
#include <array>
#include <string>

#include "input/step_result.h"
#include "model/class_names.h"
#include "model/project.h"

namespace tarn {

class Workbook;

// The boxes of the soil step (frmSoilPara).
struct SoilGrid {
    SubAreaGrid<3> subAreas;  // txtSoil1..txtSoil10, elements 0..2: TAW, RAW, toplayer store (mm)
    std::string bfi;          // txtBFlow: baseflow index
    std::string recession;    // txtResCoef: recession coefficient
};
// The grid as the project holds it: SubPara parameters 2..4 of each sub-area, and
// parameters 10 and 11 of the first (they are the same for every sub-area).
SoilGrid soilBoxes(const Project& project);

// Reading the parameters from the input workbook (LoadSoilFromFile): SubPara rows 5..14,
// the baseflow parameters, the soil and vegetation class tables. On success the grid and
// "Soil parameters shown are from the Input Data file"; when the workbook cannot be opened
// or read, ok is false, the status names the file and the cell, the project is left as it
// was and the grid shows what it holds.
struct SoilGridResult {
    StepResult result;
    SoilGrid grid;
};
SoilGridResult soilFromDataFile(Project& project, const Workbook& book);
SoilGridResult soilFromDataFile(Project& project);  // opens DataFile

// The soil step as it opens: ChartFile = DataFile; it reads the workbook as above, then
// shows the active file.
// The screen disables cmdNext_6 and cmdUpdateNew.
struct SoilScreen {
    std::string caption;
    std::string fileLabel;  // lblFileName
    std::string file;       // txtSoilParaFile
    SoilGrid grid;
    StepResult result;      // txtMessage2; ok false with the reason when the workbook was not read
};
SoilScreen soilLoad(Project& project, const Workbook& book);
SoilScreen soilLoad(Project& project);  // opens DataFile

// Capture (cmdUpdateNew) and Next (cmdNext_6) store the grid as typed: parameters 2..4 of
// each sub-area, and the two baseflow boxes into parameters 10 and 11 of every sub-area.
// Capture: " New parameters saved" (enable cmdNext_6, disable cmdUpdateNew). Next also
// clears ModelRun.
StepResult soilCapture(Project& project, const SoilGrid& grid);
StepResult soilNext(Project& project, const SoilGrid& grid);

// The texts of the soil class choice (frmSoilParaSet) as it opens; its options start unset.
struct ClassChoiceScreen {
    std::string caption;
    std::string status;
};
ClassChoiceScreen soilClassesLoad(const Project& project);

// Update of the class choice (SETSOILDATA): SoilSel = the choice; each sub-area with a
// class receives the class's TAW, RAW and toplayer store in parameters 2..4; the others
// keep theirs. Returns " Reset the soil parameters OK !" (txtResetSoil) and the sub-area
// rows for the soil step's grid (its baseflow boxes stay as they are).
struct ClassChoiceResult {
    StepResult result;
    SubAreaGrid<3> subAreas;
};
ClassChoiceResult soilClassesApply(Project& project, const ClassChoice& choice);

// The soil class table (frmSoilDataStore) boxes.
struct SoilClassTable {
    std::array<std::array<std::string, 3>, 5> classes;  // txtSoil1..txtSoil5, elements 0..2
    std::array<std::string, 5> bfi;                      // txtSoilBFlow_0..4
    std::array<std::string, 5> recession;                // txtSoilResCoef_0..4
};
struct SoilClassTableScreen {
    std::string caption;
    std::string status;  // txtMessage
    SoilClassTable table;
};
SoilClassTableScreen soilTableLoad(const Project& project);

// Update (cmdUpdate): every box must hold a number (an empty box counts as 0); the first
// that does not is refused naming its class and parameter, with the focus on it, and
// nothing changes. Otherwise SoilData takes all values, the status shows the active file
// again, and the first class's baseflow index and recession coefficient are handed back
// for the soil step's txtBFlow and txtResCoef.
struct SoilTableUpdate {
    StepResult result;
    std::string bfi;
    std::string recession;
};
SoilTableUpdate soilTableUpdate(Project& project, const SoilClassTable& table);

}  // namespace tarn
