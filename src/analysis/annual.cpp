#include "analysis/annual.h"

#include <algorithm>

#include "analysis/display.h"

namespace tarn {

namespace {
constexpr int kFirstOf(YearType type) { return type == YearType::Water ? 7 : 1; }
}  // namespace

void buildAnnualSeries(Project& p, YearType type, const AnnualSeries& s) {
    const int startMonth = kFirstOf(type);
    p.reserveYears(p.NumMonths / 12 + 1);
    const double area = p.TotalArea.numberOr0();
    float yearAcc = 0;
    std::array<double, 11> subAcc{};
    int counter = 0;
    bool started = false;
    YearList& own = p.AnnYearsOf[std::size_t(type)];
    p.NumYears = 0;
    for (int m = 1; m <= p.NumMonths; ++m) {
        if (int(p.MonMonth[std::size_t(m)]) == startMonth) started = true;
        if (!started) continue;
        ++counter;
        // Each month is added in double precision and the sum kept as a single.
        yearAcc = float(double(yearAcc) + p.MonTotal(s.field, m));
        if (s.subAreas)
            for (int a = 1; a <= kSubAreas; ++a) subAcc[std::size_t(a)] += p.MonSub(*s.subAreas, a, m);
        if (counter == 12) {
            const int y = ++p.NumYears;
            p.AnnTotal(s.target, y) = s.volumeFromDepth ? double(yearAcc) * area / kHaMmPerThousandM3 : double(yearAcc);
            if (s.subAreas) {
                for (int a = 1; a <= kSubAreas; ++a) {
                    p.SubAnnual(a, s.block, y) = subAcc[std::size_t(a)];
                    subAcc[std::size_t(a)] = 0;
                }
            }
            // A water year is labelled with the year of its July, which is month m - 11.
            p.AnnYear[std::size_t(y)] = p.MonYear[std::size_t(type == YearType::Water ? m - 11 : m)];
            yearAcc = 0;
            counter = 0;
            started = false;
        }
    }
    own.count = p.NumYears;
    for (int y = 0; y <= p.NumYears; ++y) own.years[std::size_t(y)] = p.AnnYear[std::size_t(y)];
}

void buildAnnualVolumes(Project& p, YearType type) {
    auto runVolumes = [&](Run r) {
        return AnnualSeries{.field = monthVolume(r),
                            .target = annualRow(r == Run::First ? AnnualFigure::FirstVolume : AnnualFigure::LastVolume, type),
                            .subAreas = r,
                            .block = annualBlock(r, type)};
    };
    buildAnnualSeries(p, type, runVolumes(Run::First));
    if (p.RerunFlag == 1) buildAnnualSeries(p, type, runVolumes(Run::Last));
    buildAnnualSeries(p, type, {.field = MonthField::MeasuredDepth,
                                .target = annualRow(AnnualFigure::MeasuredVolume, type),
                                .volumeFromDepth = true});
}

void buildAnnualDepths(Project& p, YearType type) {
    auto series = [&](MonthField field, AnnualFigure figure) {
        buildAnnualSeries(p, type, {.field = field, .target = annualRow(figure, type)});
    };
    series(MonthField::FirstDepth, AnnualFigure::FirstDepth);
    if (p.RerunFlag == 1) series(MonthField::LastDepth, AnnualFigure::LastDepth);
    series(MonthField::MeasuredDepth, AnnualFigure::MeasuredDepth);
}

std::string chooseAnnualScale(Project& p) {
    const ScaleStep step = scaleStepOf(p.MaxMonFirst);
    p.AnnScale = scaleDivisor(step);
    p.AnnUnit = annualScaleLabel(step);
    return annualSubAreaScaleLabel(step);
}

std::string annualYearLabel(const Project& p, YearType type, int y) {
    const YearList& own = p.AnnYearsOf[std::size_t(type)];
    if (y < 1 || y > own.count) return {};
    const float year = own.years[std::size_t(y)];
    if (type == YearType::Calendar) return formatPattern(year, "####");
    return formatPattern(year, "####") + "-" + formatPattern(year + 1, "####");
}

YearColumns AnnualPager::showMe(int years) {
    showYears_ = std::clamp(years, 0, 8);
    YearColumns columns{};
    for (int k = 1; k <= showYears_; ++k) columns[std::size_t(k - 1)] = k;
    cursor_ = start_ = pageYears_ = showYears_;
    subStart_ = 1;
    return columns;
}

YearColumns AnnualPager::page(int years) {
    YearColumns columns{};
    for (int k = 1; k <= pageYears_; ++k)
        if (cursor_ + k - 1 <= years) columns[std::size_t(k - 1)] = cursor_ + k - 1;
    subStart_ = start_;
    start_ += 8;
    cursor_ = start_;
    return columns;
}

std::optional<YearColumns> AnnualPager::next(int years) {
    if (cursor_ <= 0 || start_ >= years) return std::nullopt;
    return page(years);
}

YearColumns AnnualPager::previous(int years) {
    start_ = std::max(1, start_ - 15);
    cursor_ = start_;
    return page(years);
}

}  // namespace tarn
