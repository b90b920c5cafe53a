#pragma once
// What the output screens show beside their chart: the fit of the first run (and, after a
// rerun, of the last run) to the measured streamflow over a window of dates, the days that
// have no measurement, and the flow duration curves that the chart can show instead of the
// daily series.
#include <string>
#include <string_view>
#include <vector>

#include "analysis/fit.h"
#include "input/step_result.h"
#include "model/project.h"

namespace tarn {

inline constexpr std::string_view kNoMeasuredFlowText = "No measured streamflow was read";
inline constexpr std::string_view kNoFirstRunText = "The model has not been run";

// The date boxes txtFitFrom and txtFitTo as a screen opens: the record's first and last
// date (empty for a record without days).
struct FitDates {
    std::string from;
    std::string to;
};
FitDates fitDates(const Project& p);

// The fit window from the texts of txtFitFrom ("Fit from") and txtFitTo ("Fit until"): ISO
// dates or the record's own date form, blanks around them ignored, an empty box standing
// for the record's first or last day. Taken: the status names the first and last day. A text
// that is no day of the record, or a start after the end, is refused naming its box, with
// the focus on that box and one beep; `range` is then the whole record and the caller keeps
// the window it had.
struct FitWindow {
    StepResult result;
    DayRange range;
};
FitWindow fitWindow(const Project& p, const std::string& from, const std::string& to);

// True once a rerun has filled the last run. RerunFlag alone does not say so: an edited
// chart point sets it too, before any rerun.
bool lastRunMade(const Project& p);

// The panel's texts over the days of `range`.
struct FitPanel {
    std::string first;    // lblFitFirst: the first run's figures, kNoMeasuredFlowText or kNoFirstRunText
    std::string last;     // lblFitLast: the last run's figures; empty (not shown) before a rerun
    std::string missing;  // lblFitMissing: the days without a measurement; empty: none
};
FitPanel fitPanel(const Project& p, DayRange range);

// fitText(fit) with each figure on a line of its own, KGE's r, alpha and beta on the line
// below it: seven lines.
std::string fitLines(const FitFigures& fit);

// The flow duration curves over the whole record: Q_p (mm/day) against p = 0.1 .. 99.9 %
// of the days, for the first run, the last run (after a rerun) and the measured streamflow
// (when it was read; measured days only).
struct DurationCurve {
    std::string name;              // legend
    std::vector<double> percents;  // exceedance p, % of days, ascending
    std::vector<double> flows;     // Q_p, mm/day, every one > 0
    int leftOut = 0;               // points of Q_p <= 0, which a logarithmic axis cannot show
    bool measured = false;         // the measured streamflow's curve
};
struct DurationCurves {
    std::vector<DurationCurve> curves;
    double minFlow = 0;  // mm/day: the smallest and the largest flow drawn, 0 when none is
    double maxFlow = 0;
    std::string title;
    std::string xTitle;  // "Exceedance (% of days)"
    std::string yTitle;  // "Flow (mm/day)"
};
DurationCurves durationCurves(const Project& p);
// Adds the curve of daily `flows` (mm/day, any order) to `out`, widening its flow range; the
// title of `out` says so when flows of 0 are left out.
void addDurationCurve(DurationCurves& out, std::string name, std::vector<double> flows, bool measured);

}  // namespace tarn
