#pragma once
// What the calibration window does with its boxes: the ten parameter rows and their
// defaults, reading the boxes into a calibration (refusing a box by name), a copy of the
// project's inputs for a search on another thread, and the best set as box texts.
#include <array>
#include <string>
#include <vector>

#include "analysis/fit.h"
#include "calibration/evaluation.h"
#include "calibration/parameters.h"
#include "input/step_result.h"
#include "model/project.h"

namespace tarn {

inline constexpr int kCalibrationRows = 10;  // one per name of kParamNames, in that order

// One parameter row: chkParam_n, cmbForm_n, cmbSubArea_n, txtLo_n, txtHi_n.
struct CalibrationRow {
    bool ticked = false;
    ParamForm form = ParamForm::Value;
    int subArea = 1;     // 1..10, for ParamForm::SubArea
    std::string lo, hi;  // bounds as typed
};

// The rows as the window opens: bfi=0.05:0.95, k=0.8:0.999, taw*=0.25:4 and kc*=0.7:1.3
// ticked; the others with bounds to start from. `classesOnly`: the screen that opened the
// window holds the soil and vegetation parameters as classes, so only the initial stores,
// the baseflow index and the recession coefficient can be calibrated there.
std::array<CalibrationRow, kCalibrationRows> defaultCalibrationRows(bool classesOnly);

// True for the rows a class screen cannot calibrate (taw, raw, top, if, kc).
bool classParameter(int row);
// bfi and k: one value for the catchment, no other form.
bool catchmentWideRow(int row);

// The boxes of the window.
struct CalibrationForm {
    std::array<CalibrationRow, kCalibrationRows> rows;
    Objective objective = Objective::Kge;
    std::string from, until;  // txtFrom, txtUntil: dates, empty for the record's ends
    std::string warmUp;       // txtWarmUp: days
    std::string evaluations;  // txtEvaluations
    std::string seed;         // txtSeed
};

struct CalibrationRequest {
    std::vector<TunedParam> tuned;
    Objective objective = Objective::Kge;
    DayRange window;  // the fit days, after the warm-up
    long evaluations = 0;
    unsigned seed = 0;
};

// The smallest and largest budget the window takes.
inline constexpr long kMinEvaluations = 100;
inline constexpr long kMaxEvaluations = 1000000;

// Reads the boxes. Refused (ok false, the status naming the box, the focus on it, one beep):
// no measured streamflow or no first run; no parameter ticked; a bound that is not a
// number, an empty or reversed range, a factor bound not above 0; a sub-area without area;
// a date that is no day of the record or a start after the end; a warm-up that is not a
// whole number of days from 0, or that leaves no measured day; a budget outside
// kMinEvaluations..kMaxEvaluations; a seed that is not a whole number from 0 to 4294967295.
struct CalibrationRead {
    StepResult result;
    CalibrationRequest request;
};
CalibrationRead readCalibrationForm(const Project& project, const CalibrationForm& form);

// What a search reads of `project` (the parameters, the shares and rainfall factors, the
// daily rainfall and ETref, the measured streamflow and its missing days), in a project of
// its own, so that the search may run while the screens change the session's project.
Project calibrationInputs(const Project& project);

// A number as a box holds it: the shortest text that reads back as the same double.
std::string boxNumber(double x);

}  // namespace tarn
