#pragma once
// The summary of a first run: period, mean annual water balance, the fit to the measured
// streamflow, flow duration and the closure of the water balance, as the command line
// prints it and as one JSON object for other programs.
#include <array>
#include <optional>
#include <string>

#include "analysis/closure.h"
#include "analysis/duration.h"
#include "analysis/fit.h"
#include "model/project.h"

namespace tarn {

// Q5, Q10, Q50, Q90 and Q95 (kSummaryPercents), mm/day.
using DurationFigures = std::array<std::optional<double>, kSummaryPercents.size()>;

struct RunSummary {
    std::string first, last;  // dates of the first and last day
    int days = 0;
    double years = 0;         // days / 365.25
    double totalArea = 0;     // ha
    int subAreas = 0;         // with an area above 0

    // Mean per year, mm: catchment rainfall, reference and actual evapotranspiration,
    // modelled streamflow of the first run; the measured streamflow over the days that have a
    // measurement (scaled to a year of them).
    double rainfall = 0, etref = 0, actualEt = 0, modelled = 0;
    std::optional<double> measured;  // when measured streamflow was read and a day has it

    // Measured streamflow (when read).
    bool measuredRead = false;
    int missingMeasuredDays = 0;
    std::string missingText, negativeText;

    DayRange fitWindow;
    std::string fitFrom, fitTo;  // dates of the fit window
    std::optional<FitFigures> fitFirst;   // when measured streamflow was read
    ClosureTable closure;                 // of the first run
    DurationFigures durationFirst{};
    std::optional<DurationFigures> durationMeasured;
};

// The summary of the first run held by p (made last, so the sub-area series are its own).
// `fitWindow` limits the fit; the rest covers the whole record.
RunSummary summarizeFirstRun(const Project& p, bool measuredRead, DayRange fitWindow);

// The summary's lines for a terminal (each ending in a newline), warnings included: missing
// and negative measured days, and a residual of the water balance above kClosureTolerance.
std::string summaryText(const RunSummary& s);

// One JSON object: period, catchment, mean_annual, missing_measured_days, fit_window, fit,
// closure, duration; null where a figure is undefined.
std::string summaryJson(const RunSummary& s);

// The figures of a duration curve of `flows` as "Q5 1.23  Q10 ..." (mm/day).
std::string durationText(const DurationFigures& q);

}  // namespace tarn
