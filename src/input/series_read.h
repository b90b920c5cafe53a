#pragma once
// Whether the input series chart has read what a capture step asked of it. The rainfall and
// evapotranspiration steps hand their request to the chart (requestInputChart) and open it;
// a read that fails (a workbook that cannot be opened, a cell that is not a number) leaves
// the request standing and the project's series as they were, and the chart says why. Such
// a step must not pass on as captured: the model would run on the series of an earlier
// request, or on none.
#include <optional>
#include <string>

#include "input/step_result.h"
#include "model/project.h"

namespace tarn {

// Once the chart has opened on the capture's request: a refusal when the series asked for
// is unread, and the step then counts as not captured (RainDone or EtrefDone = 0); the
// refusal focuses the capture button, which the screen keeps or makes enabled. None when
// the series was read, or no capture is pending.
std::optional<StepResult> rainUnread(Project& project);
std::optional<StepResult> etrefUnread(Project& project);

// The rainfall step's status once the chart has read the measured streamflow with the
// rainfall: `status` followed by what the measured series lacks ("C1043 and 211 more days
// have no measured streamflow", then "C1050: the measured streamflow -0.3 is negative",
// joined by "; "). `status` as it is when no day is missing or negative, or when no
// measured streamflow was asked for (MeasFlow = 0). The sub-areas the factor boxes leave
// without rain are named first (noRainWarning).
std::string rainReadStatus(const Project& project, const std::string& status, const SubAreaBoxes& factors);

// Next of the rainfall step (cmdNext_4): rainUnread, else rainNext.
StepResult rainNextWhenRead(Project& project, const SubAreaBoxes& factors);

// Next of the evapotranspiration step (cmdNext_5): etrefUnread, else etrefNext.
StepResult etrefNextWhenRead(Project& project);

}  // namespace tarn
