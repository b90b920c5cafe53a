#pragma once
// Whether the input series chart has read what a capture step asked of it. The rainfall and
// evapotranspiration steps hand their request to the chart (requestInputChart) and open it;
// a read that fails (a workbook that cannot be opened, a cell that is not a number) leaves
// the request standing and the project's series as they were, and the chart says why. Such
// a step must not pass on as captured: the model would run on the series of an earlier
// request, or on none.
#include "input/step_result.h"
#include "model/project.h"

namespace tarn {

// Next of the rainfall step (cmdNext_4): rainNext, and refused besides while the rainfall
// its capture asked for is unread. RainDone is then cleared, so that the data are captured
// again; the refusal focuses cmdCapRain, which the screen enables again.
StepResult rainNextWhenRead(Project& project, const SubAreaBoxes& factors);

// Next of the evapotranspiration step (cmdNext_5): etrefNext, and refused likewise while the
// series its capture asked for is unread (EtrefDone cleared; focus cmdCapEtrefData).
StepResult etrefNextWhenRead(Project& project);

}  // namespace tarn
