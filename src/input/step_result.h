#pragma once
// What a button of an input step hands back to its screen. The screen copies box texts
// into a step function and the result back into its widgets: the status line, the control
// that takes the focus, the beeps. Control names are the screens' object names; element e
// of a control array X is "X_e" ("cmbArea_2", "txtSoil3_1").
#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "model/variant.h"

namespace tarn {

struct StepResult {
    bool ok = false;     // the step went through (a refusal keeps the screen where it is)
    std::string status;  // the status line's new text; empty: leave the status line alone
    std::string focus;   // object name of the control to focus; empty: the focus stays
    int beeps = 0;       // how many times to beep
    std::string cell;    // the workbook cell(s) a refused value stands for ("F3", "H5",
                         // "F5:O5"), for callers that have no boxes; empty: none
};

// One text per sub-area 1..10 ([0] is A1).
using SubAreaBoxes = std::array<std::string, 10>;
// The boxes of a per-sub-area grid: [s - 1][e] is element e of sub-area s's array.
template <std::size_t Columns>
using SubAreaGrid = std::array<std::array<std::string, Columns>, 10>;

// The class chosen for each sub-area on a class screen: [s - 1] is the class 1..5 whose
// option is set in sub-area s's row, 0 when none is.
using ClassChoice = std::array<int, 10>;

// What the capture of a daily series asks the input series chart to read and show.
struct ChartRequest {
    std::string colDate;     // ColDate: column of the dates
    std::string colData;     // ColData: column of the series ("E", "F"; "AD" for the monthly table)
    std::string title;       // ChartTitle
    int series = 0;          // ChartSeries: 1 rainfall, 2 reference evapotranspiration
    bool fromRain = false;   // ChartFromRain: the chart goes back to the rainfall step
    bool loadDates = false;  // LoadDates
    bool loadRain = false;   // LoadRain
    bool loadEtref = false;  // LoadEtref
    bool measured = false;   // ChartMeas: also read and chart measured streamflow (column C)
};

// A box's text as a 16-bit whole number (ties to even); none for an empty, blank or
// non-numeric box and for one beyond the 16-bit range.
std::optional<int> wholeNumber(const std::string& text);

// A box's text as the project keeps a typed value: an empty box is an empty value.
inline Variant typedValue(const std::string& text) { return text.empty() ? Variant() : Variant(text); }

}  // namespace tarn
