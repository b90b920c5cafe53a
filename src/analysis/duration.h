#pragma once
// Flow duration: the flow exceeded on p % of the days.
#include <array>
#include <optional>
#include <span>
#include <vector>

#include "model/project.h"

namespace tarn {

// The q-quantile (0 <= q <= 1) of ascending values with linear interpolation between
// order statistics: h = (n - 1) q, x[floor h] + (h - floor h)(x[floor h + 1] - x[floor h])
// (the "type 7" definition). Empty for no values.
std::optional<double> quantileType7(std::span<const double> ascending, double q);

// Q_p for each percent p: the flow exceeded on p % of the days, the (100 - p) percentile
// of `flows` (any order). Empty entries for no values.
std::vector<std::optional<double>> flowsExceeded(std::vector<double> flows, std::span<const double> percents);

// The percents of the summary (5, 10, 50, 90, 95) and of a whole curve (0.1, 0.2 .. 99.9).
inline constexpr std::array<double, 5> kSummaryPercents{5, 10, 50, 90, 95};
std::vector<double> curvePercents();

// Daily catchment discharge of run slot `runSlot` over the record, mm/day; the measured
// streamflow of the days that have a measurement.
std::vector<double> runFlows(const Project& p, Slot runSeries);
std::vector<double> measuredFlows(const Project& p);

}  // namespace tarn
