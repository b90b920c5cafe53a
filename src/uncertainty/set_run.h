#pragma once
// One parameter set applied to a workbook's project and run lean: only the catchment
// series and sums the summary figures need, with the daily rules of the full run, so each
// figure equals that of a full run of the workbook written with the set.
#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/fit.h"
#include "calibration/evaluation.h"
#include "calibration/parameters.h"
#include "model/day_rule.h"
#include "model/project.h"

namespace tarn {

// Runs the workbook's own parameters and finds the water years, as a run and its analyses
// do: what a SetRunner needs of the project. Throws InputError where the run refuses.
void prepareForSets(Project& project);

// The summary figures of one set. Depths in mm per year, flows in mm/day, volumes in
// thousand m3 per year.
struct SetFigures {
    double actualEt = 0, streamflow = 0;
    std::optional<double> lowFlow;        // mean of the water years' seven-day minima (none: no year)
    std::optional<double> q5, q50, q95;   // flow exceeded on 5, 50, 95 % of the days
    std::optional<FitFigures> fit;        // over the fit window, with measured streamflow
    std::array<std::optional<double>, kSubAreas + 1> subAreaVolume{};  // [1..10], in the catchment
};

// The stores of each sub-area (index 1..10) after the last day run.
using SetStores = std::array<DayStores, kSubAreas + 1>;

// Applies sets to one prepared project and runs them. Const: many threads may run sets at
// once, each with its own Workspace.
class SetRunner {
public:
    // Keeps a reference to `project` (prepared with prepareForSets), which must outlive the
    // runner. With `fitWindow` the figures include the fit over its measured days.
    SetRunner(const Project& project, std::vector<TunedParam> tuned, std::optional<DayRange> fitWindow = std::nullopt);

    struct Workspace {
        std::vector<double> q, ei, ta, volume, sevenDay;  // days 0..n
    };
    Workspace workspace() const;

    // The project's parameters with the set x applied as a calibration applies it (factors on
    // the project's own values, then values), each as the calibrated workbook holds it.
    // Throws InputError when the set cannot be run on this project, naming the sub-area.
    CatchmentSet apply(std::span<const double> x) const;

    // Which figures to compute; the others stay at 0 or empty.
    struct Needs {
        bool balance = true;   // actual evapotranspiration, streamflow, sub-area volumes
        bool lowFlow = true;
        bool duration = true;  // Q5, Q50, Q95
        bool fit = true;       // with a fit window
    };
    SetFigures figures(std::span<const double> x, Workspace& w) const { return figures(x, w, Needs{}); }
    SetFigures figures(std::span<const double> x, Workspace& w, const Needs& needs) const;

    // The catchment discharge (mm/day) of `set` for days first..last into out[0..last-first],
    // going on from `stores` (updated; start from initialStores()).
    void discharge(const CatchmentSet& set, SetStores& stores, int first, int last, double* out) const;
    SetStores initialStores(const CatchmentSet& set) const;

    const Project& project() const { return p_; }
    const std::vector<TunedParam>& tuned() const { return tuned_; }
    double rainfall() const { return rainfall_; }  // mean annual catchment rainfall, mm

private:
    // The mean of the water years' seven-day minima of w.volume (litres per day).
    std::optional<double> lowFlowOf(Workspace& w) const;

    const Project& p_;
    std::vector<TunedParam> tuned_;
    std::vector<Param> columns_;
    CatchmentSet base_;
    std::optional<FitDays> fit_;
    std::vector<int> yearBounds_;  // water-year boundaries, index 1..
    int waterYears_ = 0;
    double rainfall_ = 0;
};

// The daily 5, 50 and 95 % quantiles over the sets of the catchment discharge, mm/day,
// index d - 1 for day d, and the first set's discharge.
struct DailyBands {
    std::vector<double> q05, q50, q95, first;
};

// Runs the sets xs (weights as for weightedQuantile) in blocks of days, holding at most
// about `maxValues` discharges of the sets at once (one block of every set, at least one
// day) besides each set's stores, so memory does not grow with the record times the sets.
DailyBands dailyBands(const SetRunner& runner, const std::vector<std::vector<double>>& xs, std::span<const double> weights,
                      unsigned threads, std::size_t maxValues = std::size_t(1) << 20);

}  // namespace tarn

namespace tarn {

struct SetFile;
struct Selection;

// The parameter values of the selected sets, in the selection's order.
std::vector<std::vector<double>> selectedValues(const SetFile& sets, const Selection& selection);

// The figures of every selected set on the runner's project, in the selection's order, on
// up to `threads` threads. Throws InputError naming the set file's line and `workbook` when
// a set cannot be run on it.
std::vector<SetFigures> runSets(const SetRunner& runner, const SetFile& sets, const Selection& selection,
                                const std::string& workbook, unsigned threads);

}  // namespace tarn
