#pragma once
// Water-balance closure of a run: where the rain went, in mm over the whole run.
#include <array>
#include <optional>

#include "model/project.h"

namespace tarn {

// Totals over the run, mm: rain in; interception loss, actual transpiration, quickflow and
// baseflow out; the change of the profile store and of the baseflow store (the water still
// in it after the last day's baseflow has left); and what is left over:
// residual = rain - interception - transpiration - quickflow - baseflow - storageChange.
struct Closure {
    double rain = 0;
    double interception = 0;
    double transpiration = 0;
    double quickflow = 0;
    double baseflow = 0;
    double storageChange = 0;
    double residual = 0;
};

// Sub-areas s = 1..10 that are part of the catchment (area above 0) have a closure; the
// catchment's is their area-weighted sum with the shares of the run.
struct ClosureTable {
    Closure catchment;
    std::array<std::optional<Closure>, kSubAreas + 1> subArea{};  // [1..10]
    // The largest absolute residual of the catchment and the sub-areas, mm.
    double largestResidual() const;
};

// A residual above this (mm) is worth a warning.
inline constexpr double kClosureTolerance = 1e-6;

// The closure of the latest run, from the sub-area series (Balance slots 1..10, which
// always hold the run made last).
ClosureTable waterBalanceClosure(const Project& p);

}  // namespace tarn
