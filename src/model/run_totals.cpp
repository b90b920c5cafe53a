#include "model/run_totals.h"

#include <array>
#include <vector>

#include "model/dates.h"
#include "model/errors.h"

namespace tarn {

namespace {

struct YearMonth {
    int year = 0;
    int month = 0;
};

std::vector<YearMonth> monthsOfDays(const Project& p) {
    std::vector<YearMonth> ym(std::size_t(p.NumDays) + 1);
    for (int d = 1; d <= p.NumDays; ++d) {
        auto date = parseDateText(p.DayDate(d, 0));
        if (!date)
            throw InputError("Day " + std::to_string(d) + ": '" + p.DayDate(d, 0) +
                             "' is not a date");
        ym[std::size_t(d)] = {int(date->year()), int(unsigned(date->month()))};
    }
    return ym;
}

}  // namespace

void BuildRunTotals(Project& p) {
    const int n = p.NumDays;
    const bool rerun = p.RerunFlag == 1;
    const Run run = rerun ? Run::Last : Run::First;
    const Slot c = runSlot(run);
    const FlowColumn v = catchmentVolumes(run);
    const MonthField fv = monthVolume(run);
    const MonthField fm = monthDepth(run);

    const std::vector<YearMonth> ym = monthsOfDays(p);
    int months = n > 0 ? 1 : 0;
    for (int d = 2; d <= n; ++d)
        if (ym[std::size_t(d)].month != ym[std::size_t(d) - 1].month) ++months;
    p.reserveMonths(months);

    const double* catchmentQ = p.Balance.series(c, qty::Q);
    const double* volume = p.FlowTable.series(v, kCatchment);
    std::array<const double*, 11> subQ{};
    std::array<double, 11> area{};
    for (int s = 1; s <= kSubAreas; ++s) {
        subQ[std::size_t(s)] = p.Balance.series(subAreaSlot(s), qty::Q);
        area[std::size_t(s)] = p.SubArea[std::size_t(s)].numberOr0();
    }

    // Modelled monthly totals.
    std::array<double, 11> subAcc{};
    double mmAcc = 0;
    double volAcc = 0;
    p.NumMonths = 0;
    int prevMonth = 0, prevYear = 0;
    auto closeMonth = [&] {
        const int m = ++p.NumMonths;
        p.MonYear[std::size_t(m)] = float(prevYear);
        p.MonMonth[std::size_t(m)] = float(prevMonth);
        p.MonTotal(fv, m) = volAcc;
        p.MonTotal(fm, m) = mmAcc;
        for (int s = 1; s <= kSubAreas; ++s) p.MonSub(run, s, m) = subAcc[std::size_t(s)];
    };
    for (int d = 1; d <= n; ++d) {
        const auto [curYear, curMonth] = ym[std::size_t(d)];
        if (d == 1) {
            prevYear = curYear;
            prevMonth = curMonth;
        }
        if (prevMonth == curMonth) {
            for (int s = 1; s <= kSubAreas; ++s)
                subAcc[std::size_t(s)] += area[std::size_t(s)] * subQ[std::size_t(s)][d] / kHaMmPerThousandM3;
            mmAcc += catchmentQ[d];
            volAcc += volume[d] / kLitresPerThousandM3;
        } else {
            closeMonth();
            for (int s = 1; s <= kSubAreas; ++s)
                subAcc[std::size_t(s)] = area[std::size_t(s)] * subQ[std::size_t(s)][d] / kHaMmPerThousandM3;
            mmAcc = catchmentQ[d];
            volAcc = volume[d] / kLitresPerThousandM3;
            prevMonth = curMonth;
            prevYear = curYear;
        }
        if (d == n) closeMonth();
    }

    // Calendar years: every December closes a year, and so does a last month that is not
    // a December.
    if (rerun) {
        p.NumYears = 0;
        for (int m = 1; m <= p.NumMonths; ++m) {
            if (p.MonMonth[std::size_t(m)] == 12 || m == p.NumMonths)
                p.AnnYear[std::size_t(++p.NumYears)] = p.MonYear[std::size_t(m)];
        }
    }

    // Measured monthly totals: the plain sum of the daily measured depths, mm.
    const double* measured = p.Balance.series(slot::FirstRun, qty::Measured);
    double measAcc = 0;
    int count = 0;
    for (int d = 1; d <= n; ++d) {
        const int curMonth = ym[std::size_t(d)].month;
        if (d == 1) prevMonth = curMonth;
        if (prevMonth != curMonth) {
            p.MonTotal(MonthField::MeasuredDepth, ++count) = measAcc;
            measAcc = 0;
            prevMonth = curMonth;
        }
        measAcc += measured[d];
        if (d == n) p.MonTotal(MonthField::MeasuredDepth, ++count) = measAcc;
    }

    // The largest first-run monthly volume, the last month left out.
    const MonthField first = MonthField::FirstVolume;
    p.MaxMonFirst = p.NumMonths >= 1 ? p.MonTotal(first, 1) : 0.0;
    for (int m = 1; m <= p.NumMonths - 1; ++m)
        if (p.MonTotal(first, m) >= p.MaxMonFirst) p.MaxMonFirst = p.MonTotal(first, m);
}

}  // namespace tarn
