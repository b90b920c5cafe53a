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
    Balance.resize(19, numDays + 16, 21);
    FlowTable.resize(8, numDays + 1, 12);
    MonYear.clear();
    MonMonth.clear();
    MonTotal = Grid<double>();
    MonSub = Grid<double>();
    AnnYear.clear();
    NumMonths = 0;
    NumYears = 0;
    MaxMonFirst = 0;
    // A consecutive record of n days touches at most n / 28 + 2 calendar months.
    reserveMonths(numDays / 28 + 2);
}

void Project::reserveMonths(int months) {
    if (months + 1 > int(MonYear.size())) {
        MonYear.resize(std::size_t(months) + 1, 0.0f);
        MonMonth.resize(std::size_t(months) + 1, 0.0f);
    }
    MonTotal.grow(6, months + 1);
    MonSub.grow(48, months + 1);
    const int years = months / 12 + 2;
    if (years + 1 > int(AnnYear.size())) AnnYear.resize(std::size_t(years) + 1, 0.0f);
}

}  // namespace tarn
