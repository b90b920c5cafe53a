#pragma once
// The lean evaluation of a candidate parameter set: only the catchment discharge, with the
// daily rules of the full run, and its fit to the measured streamflow of a window.
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/fit.h"
#include "calibration/parameters.h"
#include "model/project.h"

namespace tarn {

// The catchment discharge (mm/day) of `set` for days 1..lastDay into out[1..lastDay]
// (out[0] is left alone), from the catchment rainfall and ETref series rain[d], etref[d]:
// the sum over the sub-areas of the catchment, s = 1..10 in order, of pct * Q / 100, as
// the full run adds them, so the result equals the run's Balance(run slot, d, Q) exactly.
void leanDischarge(const CatchmentSet& set, const double* rain, const double* etref, int lastDay, double* out);

// What a calibration maximises.
enum class Objective { Kge, Nse, LogNse, KgeLogNse };

// "kge", "nse", "log-nse", "kge+log-nse".
const char* objectiveName(Objective objective);

// Reads `--objective TEXT`: one name, or two names separated by a comma for a search of the
// Pareto front of both. Throws InputError naming the option.
std::vector<Objective> parseObjectives(const std::string& text);

// The objective from the fit figures; empty where a figure it needs is undefined.
std::optional<double> objectiveValue(Objective objective, const FitFigures& fit);

// The days of a fit window that have a measured streamflow, and their measurements.
struct FitDays {
    DayRange window;
    std::vector<int> days;  // in order
    ObservedFlows observed; // mm/day, one per day
};

// The fit days of `window` in p (missing measured days skipped, as `tarnflow run` does).
FitDays fitDaysOf(const Project& p, DayRange window);

// The result of one evaluation.
struct EvaluationResult {
    bool feasible = false;
    std::vector<std::optional<double>> objectives;  // one per objective; empty if infeasible
};

// Evaluates candidates of a parameter problem on one project and window. Const and free of
// shared mutable state: many threads may evaluate at once, each with its own Workspace.
class Evaluator {
public:
    // Keeps references to `p` (its daily inputs), which must outlive the evaluator.
    Evaluator(const Project& p, std::vector<TunedParam> tuned, std::vector<Objective> objectives, DayRange window);

    // Buffers of one thread, sized once.
    struct Workspace {
        std::vector<double> discharge;  // mm/day, days 0..last day of the window
        std::vector<double> simulated;  // mm/day, one per fit day
    };
    Workspace workspace() const;

    EvaluationResult evaluate(std::span<const double> x, Workspace& w) const;
    // The fit figures of a candidate over `days` (another window, or the same).
    FitFigures fit(std::span<const double> x, const FitDays& days, Workspace& w) const;

    const std::vector<TunedParam>& tuned() const { return tuned_; }
    const std::vector<Objective>& objectives() const { return objectives_; }
    const CatchmentSet& base() const { return base_; }
    const FitDays& fitDays() const { return fit_; }
    const Project& project() const { return p_; }

private:
    FitFigures figures(const CatchmentSet& set, const FitDays& days, Workspace& w, bool withLog) const;

    const Project& p_;
    std::vector<TunedParam> tuned_;
    std::vector<Objective> objectives_;
    CatchmentSet base_;
    FitDays fit_;
    bool needLog_ = false;
};

}  // namespace tarn
