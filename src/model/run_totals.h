#pragma once
#include "model/project.h"

namespace tarn {

// Condenses the daily results of the run just made into calendar-month totals: catchment
// volume and depth and sub-area volumes of the run (first or last, by RerunFlag), the
// measured monthly totals, the calendar years after a rerun, and MaxMonFirst. The dates of
// DayDate must be valid (RunModel checks them).
void BuildRunTotals(Project& project);

}  // namespace tarn
