#pragma once
// Annual totals by water year (July to June) or calendar year, summed from the monthly
// totals of the runs, and the paging of their tables eight years at a time.
//
#include <array>
#include <optional>
#include <string>

#include "model/project.h"

namespace tarn {

struct AnnualSeries {
    MonthField field;                   // MonTotal field summed
    AnnualRow target;                   // AnnTotal row filled
    bool volumeFromDepth = false;       // a depth in mm turned into thousand m3 over TotalArea
    std::optional<Run> subAreas;        // the run whose sub-area volumes (MonSub) are summed too
    AnnualBlock block{};                // SubAnnual block of those sub-area volumes
};

// Sums twelve consecutive months from each start month (July or January) into one annual
// series; months before the first start month and a last incomplete year are left out.
// Sets NumYears and AnnYear (and the year type's own list in AnnYearsOf). The running sum
// is held in single precision, as the tables always were.
void buildAnnualSeries(Project& project, YearType type, const AnnualSeries& series);

// Show me of the annual volume table: first run, last run (after a rerun) and measured,
// with the sub-area volumes.
void buildAnnualVolumes(Project& project, YearType type);
// Show me of the annual depth table (mm).
void buildAnnualDepths(Project& project, YearType type);

// AnnScale and AnnUnit from MaxMonFirst, as the annual volume table shows them; returns
// the unit text over the sub-area table.
std::string chooseAnnualScale(Project& project);

// The label of year y of a year type: "1996", or "1995-1996" for the water year from July
// 1995. Empty for a year the type does not have.
std::string annualYearLabel(const Project& project, YearType type, int y);

// The year shown in each of the eight columns of a page (0 for a blank column).
using YearColumns = std::array<int, 8>;

// Paging through the annual tables, eight years a page. The volume and the depth screens
// share one pager (the desktop session holds it), so a page turned on one continues where
// the other left off.
class AnnualPager {
public:
    // Show me of a table of `years` years: its first eight.
    YearColumns showMe(int years);
    // The next eight, if there are more.
    std::optional<YearColumns> next(int years);
    // The eight before.
    YearColumns previous(int years);
    // The year in sub-area column c (1..8) of the page shown.
    int subAreaYear(int c) const { return subStart_ + c - 1; }
    int start() const { return start_; }

private:
    YearColumns page(int years);
    int showYears_ = 0, pageYears_ = 0, cursor_ = 0, start_ = 0, subStart_ = 1;
};

}  // namespace tarn
