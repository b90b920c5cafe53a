#include "analysis/seven_day.h"

#include <algorithm>

#include "analysis/display.h"
#include "model/dates.h"
#include "model/errors.h"
#include "model/measured_days.h"

namespace tarn {

namespace {

struct MonthDay {
    unsigned month, day;
};

MonthDay monthDayOf(const std::string& text) {
    auto date = parseDateText(text);
    if (!date) return {0, 0};
    return {unsigned(date->month()), unsigned(date->day())};
}

}  // namespace

void forwardSevenDaySum(const double* x, int n, double divisor, double* out) {
    for (int d = 1; d <= n; ++d) {
        double sum = 0;
        for (int j = d; j <= std::min(n, d + 6); ++j) sum += x[j];
        out[d] = sum / divisor;
    }
}

void forwardSevenDayMeans(const double* x, int n, double divisor, std::vector<double>& out) {
    out.assign(std::size_t(std::max(n, 0)) + 1, 0.0);
    forwardSevenDaySum(x, n, divisor, out.data());
}

void computeSevenDayMeans(Project& p) {
    const int n = p.NumDays;
    SevenDayMeans& m = p.SevenDay;
    computeMeasuredSevenDayMeans(p);
    forwardSevenDayMeans(p.FlowTable.series(FlowColumn::CatchmentFirst, kCatchment), n, kSevenDayVolumeDivisor,
                         m.firstVolume);
    forwardSevenDayMeans(p.Balance.series(slot::FirstRun, qty::Q), n, kDaysPerWeek, m.firstDepth);
    if (p.RerunFlag == 1) {
        forwardSevenDayMeans(p.FlowTable.series(FlowColumn::CatchmentLast, kCatchment), n, kSevenDayVolumeDivisor,
                             m.lastVolume);
        forwardSevenDayMeans(p.Balance.series(slot::LastRun, qty::Q), n, kDaysPerWeek, m.lastDepth);
    } else {
        m.lastVolume.clear();
        m.lastDepth.clear();
    }
    if (p.SubFlow7.days() < n + 1) p.SubFlow7.resize(3, n + 1, kSubAreas + 1);
    for (Run r : kRuns) {
        if (r == Run::Last && p.RerunFlag != 1) continue;
        for (int s = 1; s <= kSubAreas; ++s)
            forwardSevenDaySum(p.FlowTable.series(subAreaVolumes(r), s), n, kSevenDayVolumeDivisor,
                               p.SubFlow7.series(r, s));
    }
}

void computeMeasuredSevenDayMeans(Project& p) {
    forwardSevenDayMeans(p.Balance.series(slot::FirstRun, qty::Measured), p.NumDays, kDaysPerWeek, p.SevenDay.measuredDepth);
}

bool measuredMeanExists(const Project& p, int d) {
    if (d < 1 || d > lastWholeWindow(p.NumDays)) return false;
    if (p.MeasMissing.empty()) return true;
    for (int j = d; j <= d + 6; ++j)
        if (measuredMissing(p, j)) return false;
    return true;
}

std::string chooseMinFlowScale(Project& p) {
    const ScaleStep step = scaleStepOf(p.MaxMonFirst);
    p.FlowScale = scaleDivisor(step);
    p.MinFlowUnit = minFlowScaleLabel(step);
    return p.MinFlowUnit;
}

Minimum yearMinimum(const Project& p, const double* series, int first, int last, DayTest exists) {
    Minimum m;
    bool found = false;
    for (int d = first; d <= last; ++d) {
        if (exists && !exists(p, d)) continue;
        if (!found && series[d] > 0) {
            found = true;
            m.value = series[d];
        }
        if (found && m.value >= series[d]) {
            m.value = series[d];
            m.day = d;
        }
    }
    if (found) m.date = p.DayDate(m.day, 0);
    return m;
}

void findSevenDayMinima(Project& p, YearType type) {
    const bool water = type == YearType::Water;
    const MonthDay start = water ? MonthDay{7, 1} : MonthDay{1, 1};
    const MonthDay closing = water ? MonthDay{6, 30} : MonthDay{12, 31};
    const int n = p.NumDays;
    // The means of the runs as they are now, whatever was computed before.
    computeSevenDayMeans(p);

    // Year boundaries: every start day, then the closing day of the last complete year.
    std::vector<int> bounds{0};
    for (int d = 1; d <= n; ++d) {
        const MonthDay md = monthDayOf(p.DayDate(d, 0));
        if (md.month == start.month && md.day == start.day) bounds.push_back(d);
    }
    for (int d = std::max(1, bounds.back()); d <= n && bounds.size() > 1; ++d) {
        const MonthDay md = monthDayOf(p.DayDate(d, 0));
        if (md.month == closing.month && md.day == closing.day) {
            bounds.push_back(d);
            break;
        }
    }
    const int count = int(bounds.size()) - 1;
    p.reserveYears(std::max(count, 1));
    for (int i = 1; i <= count; ++i) {
        p.YearStart[std::size_t(i)] = bounds[std::size_t(i)];
        p.YearStartText[std::size_t(i)] = p.DayDate(bounds[std::size_t(i)], 0);
    }
    p.PageYears = count > 8 ? 8 : count - 1;
    p.YearBounds = count;
    const int years = std::max(0, count - 1);
    p.MinYearsOf[std::size_t(type)] = years;

    const YearType column = type;
    auto search = [&](const double* series, auto& flow, auto& date, std::vector<int>& day, DayTest exists) {
        for (int i = 1; i <= years; ++i) {
            // Only whole windows: the last mean that exists belongs to day NumDays - 6.
            const int last = std::min(bounds[std::size_t(i) + 1], lastWholeWindow(n));
            const Minimum m = yearMinimum(p, series, bounds[std::size_t(i)], last, exists);
            flow(column, i) = m.value;
            date(column, i) = m.date;
            day[std::size_t(i)] = m.day;
        }
    };
    const SevenDayMeans& m = p.SevenDay;
    search(m.firstVolume.data(), p.MinFlowFirst, p.MinDateFirst, p.MinDayFirst, nullptr);
    if (p.RerunFlag == 1) search(m.lastVolume.data(), p.MinFlowLast, p.MinDateLast, p.MinDayLast, nullptr);
    search(m.measuredDepth.data(), p.MinFlowMeas, p.MinDateMeas, p.MinDayMeas, measuredMeanExists);
    for (int k = 1; k <= years; ++k) {
        auto date = parseDateText(p.DayDate(bounds[std::size_t(k)], 0));
        p.YearNum[std::size_t(k)] = date ? int(date->year()) : 0;
    }
}

YearColumns SevenDayPager::showMe(const Project& p) {
    YearColumns columns{};
    for (int k = 1; k <= p.PageYears; ++k) columns[std::size_t(k - 1)] = k;
    PageStart = PageCursor = p.PageYears;
    return columns;
}

YearColumns SevenDayPager::page(const Project& p) {
    YearColumns columns{};
    for (int k = 1; k <= p.PageYears; ++k)
        if (PageCursor + k - 1 < p.YearBounds) columns[std::size_t(k - 1)] = PageCursor + k - 1;
    return columns;
}

std::optional<YearColumns> SevenDayPager::next(const Project& p) {
    if (PageCursor <= 0 || PageStart >= p.YearBounds) return std::nullopt;
    YearColumns columns = page(p);
    PageStart += 8;
    PageCursor = PageStart;
    return columns;
}

std::optional<YearColumns> SevenDayPager::previous(const Project& p) {
    PageStart = std::max(1, PageStart - 15);
    PageCursor = PageStart;
    std::optional<YearColumns> columns;
    if (PageCursor < p.YearBounds) columns = page(p);
    PageCursor = PageStart;
    return columns;
}

}  // namespace tarn
