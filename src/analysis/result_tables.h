#pragma once
// Every table the result files hold, computed from the runs as they are.
#include "model/project.h"

namespace tarn {

// The annual volumes and depths and the seven-day minima of both year types, with their
// display scales, in the order the analysis screens make them: what a save writes, whether
// or not those screens were opened, and whatever runs came since they were.
void buildResultTables(Project& project);

}  // namespace tarn
