#pragma once
// Goodness of fit of a run's catchment discharge against the measured streamflow.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/project.h"

namespace tarn {

// Fit figures of simulated against observed daily flows (mm/day). A figure that the values
// do not define (no days, a constant measured series, a zero mean) is empty.
struct FitFigures {
    int days = 0;                  // days used
    std::optional<double> nse;     // Nash-Sutcliffe efficiency
    std::optional<double> kge;     // Kling-Gupta efficiency (2009)
    std::optional<double> r;       // linear correlation of simulated and observed
    std::optional<double> alpha;   // sigma_sim / sigma_obs, population standard deviations
    std::optional<double> beta;    // mu_sim / mu_obs
    std::optional<double> logNse;  // NSE of ln(x + eps), eps = mean(obs) / 100, added to both
    std::optional<double> pbias;   // 100 * sum(sim - obs) / sum(obs), %
    std::optional<double> rmse;    // root mean square error, mm/day
};

// The figures of values paired by index (same length).
FitFigures goodnessOfFit(std::span<const double> simulated, std::span<const double> observed);

// The observed side of goodnessOfFit, prepared once for many simulated series against the
// same observations (a calibration): the same figures, bit for bit, without recomputing
// what depends on the observations alone and without allocating.
class ObservedFlows {
public:
    ObservedFlows() = default;
    explicit ObservedFlows(std::vector<double> observed);
    std::span<const double> values() const { return o_; }

private:
    friend FitFigures fitAgainst(std::span<const double>, const ObservedFlows&, bool);
    std::vector<double> o_;      // mm/day
    std::vector<double> logO_;   // ln(o + eps), where every o + eps > 0
    double mean_ = 0, spread_ = 0, sum_ = 0;  // mean, sum of squared deviations, sum
    double eps_ = 0;             // mean / 100
    bool logPositive_ = false;   // every o + eps > 0
    double logMean_ = 0, logSpread_ = 0;
};

// The same as goodnessOfFit(simulated, observed.values()); `withLog` false leaves logNse empty.
FitFigures fitAgainst(std::span<const double> simulated, const ObservedFlows& observed, bool withLog = true);

// Days first..last of the record, both included.
struct DayRange {
    int first = 1;
    int last = 0;
};

// The whole record of p.
DayRange wholeRecord(const Project& p);

// The days of the record from date text `from` to `to` (ISO or the record's own date
// form), both included; an empty text stands for the record's first or last day. Throws
// InputError naming the date when it is not a date, lies outside the record, or `from`
// comes after `to`.
DayRange dayRangeOf(const Project& p, const std::string& from, const std::string& to);

// A window of dates as an option of a command gives it: "FROM:TO", where either end may be
// left out ("2001-01-01:", ":2005-12-31") and stands for the record's first or last day.
struct DateWindow {
    std::string from, to;
};

// Splits `text` at its colon. Throws OptionError naming `option` when it has none.
DateWindow parseDateWindow(std::string_view text, std::string_view option);

// The days of `window` in the record, as dayRangeOf finds them. Throws OptionError naming
// `option` ("--fit-window: 'soon' is not a date") for a date that is not a date or lies
// outside the record, and for a reversed window.
DayRange windowDays(const Project& p, const DateWindow& window, std::string_view option);

// A number of days given to `option`: a whole number from 0. Throws OptionError naming the
// option for anything else ("-5", "ten", "1e9").
int parseDayCount(std::string_view text, std::string_view option);

// `range` less its first `days` days (a warm-up). Throws OptionError naming `option` when
// `days` is negative or leaves no day of the range.
DayRange afterWarmUp(const Project& p, DayRange range, int days, std::string_view option);

// The fit of run slot `runSlot` (slot::FirstRun or slot::LastRun) over the days of `range`
// that have a measured streamflow (missing days skipped).
FitFigures runFit(const Project& p, Slot runSeries, DayRange range);

// One line of the figures as the command line and the screens show them:
// "NSE 0.812  KGE 0.774 (r 0.905, alpha 0.93, beta 1.04)  log-NSE 0.80  PBIAS 3.9 %
//  RMSE 0.21 mm/day  (3653 days)", with "undefined" for an empty figure.
std::string fitText(const FitFigures& fit);

}  // namespace tarn
