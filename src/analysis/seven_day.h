#pragma once
// Seven-day minimum flows: the lowest seven-day mean streamflow of every water or calendar
// year, for the first run, the last run and the measured streamflow, with the day on which
// that seven-day period begins; and the paging of their table eight years at a time.
#include <array>
#include <optional>
#include <string>

#include "analysis/annual.h"
#include "model/project.h"

namespace tarn {

// out[d] = (x[d] + ... + x[d + 6]) / divisor for d = 1..n: the seven-day window looks
// forward and belongs to its first day; days past n count as zero.
void forwardSevenDaySum(const double* x, int n, double divisor, double* out);
// The same into `out`, sized to days 0..n.
void forwardSevenDayMeans(const double* x, int n, double divisor, std::vector<double>& out);

// The last day whose seven-day window lies wholly inside a record of n days (0 when the
// record is shorter than a week). Searches for a minimum stop there: a window that reaches
// past the record would count days that do not exist.
inline int lastWholeWindow(int n) { return n > 6 ? n - 6 : 0; }

// Seven-day means looking forward from each day (days past the record count as zero) of
// the runs as they are now, into SevenDay: the catchment volume (the window's litres / 7000)
// and depth of the first run and, after a rerun, of the last run; the sub-area volumes
// into SubFlow7(1 or 2, d, s).
void computeSevenDayMeans(Project& project);

// The measured seven-day mean depth into SevenDay.measuredDepth. A window that holds a day
// without a measured streamflow (MeasMissing) sums the 0 stored for that day; such a mean
// is no mean, and the searches pass it by through measuredMeanExists.
void computeMeasuredSevenDayMeans(Project& project);

// Whether day d has a measured seven-day mean: its window d..d+6 lies wholly inside the
// record and holds no missing measured day. The yearly and the period searches of the
// measured series take only these days.
bool measuredMeanExists(const Project& project, int d);

// FlowScale and MinFlowUnit from MaxMonFirst; returns the unit text.
std::string chooseMinFlowScale(Project& project);

// Show me: finds the year boundaries of the year type (1 July or 1 January, closed by the
// 30 June or 31 December that ends the last complete year), then each year's minimum of
// the first-run volume means, of the last-run ones after a rerun, and of the measured
// depth means, into the tables of that year type. On equal minima the later day wins; a
// year's days before its first positive mean do not count; a year without any positive
// mean has no minimum (empty date, 0, day 0). Only means whose window lies wholly within
// the record take part, and of the measured series only means without a missing day
// (measuredMeanExists). Computes the means of the current runs first.
void findSevenDayMinima(Project& project, YearType type);

// The lowest value of series[d] for d = first..last, as the yearly search takes it; with
// `exists`, only over the days for which it holds.
struct Minimum {
    double value = 0;
    int day = 0;            // 0: no positive value in the range
    std::string date;       // "" when day is 0
};
using DayTest = bool (*)(const Project&, int);
Minimum yearMinimum(const Project& project, const double* series, int first, int last, DayTest exists = nullptr);

// Paging through the seven-day table: PageCursor and PageStart are year indices.
class SevenDayPager {
public:
    YearColumns showMe(const Project& project);
    std::optional<YearColumns> next(const Project& project);
    std::optional<YearColumns> previous(const Project& project);
    int cursor() const { return PageCursor; }
    int start() const { return PageStart; }

private:
    YearColumns page(const Project& project);
    int PageCursor = 0, PageStart = 0;
};

}  // namespace tarn
