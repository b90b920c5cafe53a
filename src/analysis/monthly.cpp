#include "analysis/monthly.h"

#include "analysis/display.h"

namespace tarn {

namespace {

MonthRow blankRow() { return {" ", " ", " ", " ", " "}; }

template <class T>
T at(const std::vector<T>& v, int i) {
    return i >= 0 && i < int(v.size()) ? v[std::size_t(i)] : T{};
}

double monthTotal(const Project& p, MonthField field, int m) {
    return m >= 0 && m < p.MonTotal.cols() ? p.MonTotal(field, m) : 0.0;
}

}  // namespace

std::string chooseMonthlyScale(Project& p) {
    const ScaleStep step = scaleStepOf(p.MaxMonFirst);
    p.MonScale = scaleDivisor(step);
    return monthlyScaleLabel(step);
}

MonthRow monthRow(Project& p, int m) {
    MonthRow row = blankRow();
    const std::string name = monthName(int(at(p.MonMonth, m)));
    if (!name.empty()) p.MonthName = name;
    row.month = p.MonthName;
    row.year = formatPattern(at(p.MonYear, m), "####");
    row.firstRun = formatPattern(monthTotal(p, MonthField::FirstVolume, m) / p.MonScale, "###00");
    if (p.RerunFlag == 1) row.lastRun = formatPattern(monthTotal(p, MonthField::LastVolume, m) / p.MonScale, "###00");
    row.measured = formatPattern(monthTotal(p, MonthField::MeasuredDepth, m) * p.TotalArea.numberOr0() / kHaMmPerThousandM3 / p.MonScale, "###00");
    return row;
}

MonthPage MonthPager::load(Project& p) {
    MonthPage page;
    MonthPos = 0;
    for (auto& row : page) row = monthRow(p, ++MonthPos);
    return page;
}

MonthPage MonthPager::next(Project& p) {
    MonthPage page;
    page.fill(blankRow());
    for (auto& row : page)
        if (MonthPos < p.NumMonths) row = monthRow(p, ++MonthPos);
    return page;
}

MonthPage MonthPager::previous(Project& p) {
    MonthPage page;
    page.fill(blankRow());
    for (int r = 11; r >= 0; --r)
        if (MonthPos > 1) page[std::size_t(r)] = monthRow(p, --MonthPos);
    return page;
}

}  // namespace tarn
