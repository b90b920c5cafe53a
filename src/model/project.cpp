#include "model/project.h"

#include <string>

#include "model/errors.h"

namespace tarn {

void Project::resizeDays(int numDays) {
    if (numDays < 0) throw InputError("The number of days cannot be negative");
    if (numDays > kMaxDays)
        throw InputError("The record has " + std::to_string(numDays) +
                         " days; at most " + std::to_string(kMaxDays) + " days can be run");
    NumDays = numDays;
    DayDate.resize(numDays + 2, 2);
    Balance.resize(kSlots, numDays + 16, kQuantities);
    FlowTable.resize(kFlowColumns, numDays + 1, kCatchment + 1);
    // Which measured days are missing or negative is read anew with the period.
    MeasMissing.clear();
    MeasNegative.clear();
    MonYear.clear();
    MonMonth.clear();
    MonTotal = {};
    MonSub = {};
    AnnYear.clear();
    AnnTotal = {};
    SubAnnual = {};
    AnnYearsOf = {};
    SubFlow7.resize(3, numDays + 1, kSubAreas + 1);
    SevenDay = {};
    PeriodMeanFirst.clear();
    PeriodMeanLast.clear();
    MinFlowFirst = MinFlowLast = MinFlowMeas = {};
    MinDateFirst = MinDateLast = MinDateMeas = {};
    MinDayFirst.clear();
    MinDayLast.clear();
    MinDayMeas.clear();
    YearStart.clear();
    YearStartText.clear();
    YearNum.clear();
    YearBounds = PageYears = 0;
    MinYearsOf = {};
    NumMonths = 0;
    NumYears = 0;
    MaxMonFirst = 0;
    // The runs went with the old period: the next run is a first run again.
    RunDone = ModelRun = RerunFlag = 0;
    // A consecutive record of n days touches at most n / 28 + 2 calendar months.
    reserveMonths(numDays / 28 + 2);
}

void Project::reserveMonths(int months) {
    if (months + 1 > int(MonYear.size())) {
        MonYear.resize(std::size_t(months) + 1, 0.0f);
        MonMonth.resize(std::size_t(months) + 1, 0.0f);
    }
    MonTotal.grow(kMonthFields, months + 1);
    MonSub.grow(months + 1);
    const int years = months / 12 + 2;
    if (years + 1 > int(AnnYear.size())) AnnYear.resize(std::size_t(years) + 1, 0.0f);
}

void Project::reserveYears(int years) {
    const int n = years + 1;
    if (n > int(AnnYear.size())) AnnYear.resize(std::size_t(n), 0.0f);
    AnnTotal.grow(kAnnualRows, n);
    if (SubAnnual.size3() == 0)
        SubAnnual = {kCatchment + 1, kAnnualBlocks, n};
    else
        SubAnnual.growLast(n);
    for (auto& list : AnnYearsOf)
        if (n > int(list.years.size())) list.years.resize(std::size_t(n), 0.0f);
    for (auto* g : {&MinFlowFirst, &MinFlowLast, &MinFlowMeas}) g->grow(3, n);
    for (auto* g : {&MinDateFirst, &MinDateLast, &MinDateMeas}) g->grow(3, n);
    for (std::vector<int>* v : {&MinDayFirst, &MinDayLast, &MinDayMeas, &YearNum})
        if (n + 1 > int(v->size())) v->resize(std::size_t(n) + 1, 0);
    if (n + 1 > int(YearStart.size())) {
        YearStart.resize(std::size_t(n) + 1, 0);
        YearStartText.resize(std::size_t(n) + 1);
    }
}

}  // namespace tarn
