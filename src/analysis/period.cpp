#include "analysis/period.h"

#include <algorithm>

#include "analysis/display.h"
#include "analysis/seven_day.h"
#include "model/errors.h"

namespace tarn {

void computePeriodMeans(Project& p) {
    forwardSevenDayMeans(p.Balance.series(slot::FirstRun, qty::Q), p.NumDays, kDaysPerWeek, p.PeriodMeanFirst);
    if (p.RerunFlag == 1)
        forwardSevenDayMeans(p.Balance.series(slot::LastRun, qty::Q), p.NumDays, kDaysPerWeek, p.PeriodMeanLast);
    else
        p.PeriodMeanLast.clear();
}

PeriodDateLists periodDateLists(const Project& p) {
    PeriodDateLists lists;
    const int n = std::min(p.NumDays, p.DayDate.rows() - 1);
    if (n < 1) return lists;
    lists.dates.reserve(std::size_t(n));
    for (int d = 1; d <= n; ++d) lists.dates.push_back(p.DayDate(d, 0));
    lists.from = std::min(1, n - 1);
    lists.to = std::min(10, n - 1);
    return lists;
}

PeriodMinima periodMinima(Project& p, const std::string& from, const std::string& to) {
    int start = 0, end = 0;
    for (int d = 1; d <= p.NumDays; ++d) {
        if (p.DayDate(d, 0) == from) start = d;
        if (p.DayDate(d, 0) == to) end = d;
    }
    if (start == 0) throw InputError("'" + from + "' is not a day of the record");
    if (end == 0) throw InputError("'" + to + "' is not a day of the record");
    // The means of the runs as they are now, whatever was computed before.
    computePeriodMeans(p);

    // Only whole windows take part: none begins after day NumDays - 6.
    const int whole = lastWholeWindow(p.NumDays);
    end = std::min(end, whole);
    auto wholeWindow = [&](int d) { return d >= 1 && d <= whole; };
    auto measuredMean = [&](int d) { return measuredMeanExists(p, d); };

    PeriodMinima r;
    if (start > whole)
        r.note = "No whole seven-day window starts on " + from + ": a window needs seven days of the record, and "
                 "the record ends " + std::to_string(p.NumDays - start) + " days later";
    // The search starts at the period's first day that has a mean (`exists`); a period
    // without any has no minimum. Strictly smaller values replace the minimum: the
    // earliest day wins.
    auto lowest = [&](const double* series, const auto& exists, double& value, std::string& date) {
        int first = start;
        while (first < end && !exists(first)) ++first;
        const bool has = exists(first);
        value = has ? series[first] : 0;
        date = has ? p.DayDate(first, 0) : std::string();
        for (int d = first + 1; d <= end; ++d)
            if (exists(d) && value > series[d]) {
                value = series[d];
                date = p.DayDate(d, 0);
            }
    };
    if (p.RerunFlag == 1) {
        r.hasLast = true;
        lowest(p.PeriodMeanLast.data(), wholeWindow, p.PerMinLast, p.PerDateLast);
        r.lastMin = p.PerMinLast;
        r.lastDate = p.PerDateLast;
    }
    const double* first = p.PeriodMeanFirst.data();
    bool found = false;
    for (int d = start; d <= end; ++d) {
        if (!found && first[d] > 0) {
            found = true;
            r.firstMin = first[d];
            r.firstDate = p.DayDate(d, 0);
        }
        if (found && r.firstMin > first[d]) {
            r.firstMin = first[d];
            r.firstDate = p.DayDate(d, 0);
        }
    }
    computeMeasuredSevenDayMeans(p);
    lowest(p.SevenDay.measuredDepth.data(), measuredMean, p.PerMinMeas, p.PerDateMeas);
    r.measMin = p.PerMinMeas;
    r.measDate = p.PerDateMeas;
    return r;
}

std::string periodValueText(double mmPerDay) { return formatPattern(mmPerDay, "###00.000") + "  " + " mm/day"; }

}  // namespace tarn
