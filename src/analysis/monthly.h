#pragma once
// The monthly totals table: twelve months a page, first run, last run and measured
// streamflow as volumes in the display scale.
#include <array>
#include <string>

#include "model/project.h"

namespace tarn {

struct MonthRow {
    std::string month, year, firstRun, lastRun, measured;  // " " where a row is blank
};
using MonthPage = std::array<MonthRow, 12>;

// Sets MonScale from MaxMonFirst and returns the unit text shown over the volumes.
std::string chooseMonthlyScale(Project& project);

// The texts of the row of month m; updates MonthName.
MonthRow monthRow(Project& project, int m);

// Paging through the months: MonthPos is the index of the last month written.
class MonthPager {
public:
    // The first twelve months, shown whether the record has them or not.
    MonthPage load(Project& project);
    // The twelve months after the last one written, blank past the end.
    MonthPage next(Project& project);
    // The twelve months before the first one written, filled from the bottom up.
    MonthPage previous(Project& project);
    int position() const { return MonthPos; }

private:
    int MonthPos = 0;
};

}  // namespace tarn
