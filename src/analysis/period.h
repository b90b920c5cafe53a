#pragma once
// The lowest seven-day mean streamflow depth between two chosen days of the record.
#include <string>
#include <vector>

#include "model/project.h"

namespace tarn {

// The two date lists of the period screen (cmbTimeFrom, cmbStopTime): the date texts of
// days 1..NumDays. From opens on the second day and To on the eleventh; a shorter record
// opens To on its last day (and From on its first when it has one day); no days, no
// selection (-1).
struct PeriodDateLists {
    std::vector<std::string> dates;
    int from = -1;  // list position selected in cmbTimeFrom
    int to = -1;    // list position selected in cmbStopTime
};
PeriodDateLists periodDateLists(const Project& project);

// The first-run seven-day mean depth into PeriodMeanFirst and, after a rerun, the last-run
// one into PeriodMeanLast. periodMinima computes them anew each time.
void computePeriodMeans(Project& project);

struct PeriodMinima {
    std::string firstDate;   // "" when the period has no positive first-run mean
    double firstMin = 0;     // mm/day
    bool hasLast = false;    // a rerun was made
    std::string lastDate;
    double lastMin = 0;
    std::string measDate;
    double measMin = 0;
    // Why the period has no minimum at all, for the status line; empty otherwise.
    std::string note;
};

// Show me over the days whose date texts are `from` and `to` (the last day of each text):
// the earliest day wins on equal means; the first-run search starts at the first positive
// mean. Only whole seven-day windows take part: the period ends at day NumDays - 6 at the
// latest, and a period that begins after it has no minimum (value 0, date ""); the
// measured search takes only days whose window holds no missing day (measuredMeanExists),
// and a period without such a day has no measured minimum. Sets
// PerMinLast, PerDateLast, PerMinMeas, PerDateMeas. A period that begins in the record's
// last six days, where no whole window begins, says so in `note`. Throws InputError when a text is not a
// day of the record.
PeriodMinima periodMinima(Project& project, const std::string& from, const std::string& to);

// "###00.000" of the value, then "  ", then " mm/day".
std::string periodValueText(double mmPerDay);

}  // namespace tarn
