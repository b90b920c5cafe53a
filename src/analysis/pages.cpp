#include "analysis/pages.h"

#include "analysis/display.h"

namespace tarn {

namespace {

// The AnnTotal rows and SubAnnual blocks of one year type.
struct AnnualFields {
    AnnualRow firstVolume, lastVolume, measuredVolume;
    AnnualBlock firstBlock, lastBlock;
    AnnualRow firstDepth, lastDepth, measuredDepth;
};

AnnualFields annualFields(YearType type) {
    return {annualRow(AnnualFigure::FirstVolume, type),    annualRow(AnnualFigure::LastVolume, type),
            annualRow(AnnualFigure::MeasuredVolume, type), annualBlock(Run::First, type),
            annualBlock(Run::Last, type),                  annualRow(AnnualFigure::FirstDepth, type),
            annualRow(AnnualFigure::LastDepth, type),      annualRow(AnnualFigure::MeasuredDepth, type)};
}

// The year of a column, or 0 when the year type's table does not hold it.
int heldYear(int y, int count) { return y >= 1 && y <= count ? y : 0; }

template <std::size_t N>
std::array<std::string, N> blanks() {
    std::array<std::string, N> a;
    a.fill(kBlankBox);
    return a;
}

}  // namespace

std::string analysisCaption(const Project& p, AnalysisForm form) {
    switch (form) {
        case AnalysisForm::Monthly: return "  Active data file is  " + p.DataFile + "   Sheet 9.5 of 9 ";
        case AnalysisForm::AnnualVolume: return " Active data file is  " + p.DataFile + "     Sheet 9.2 of 9 ";
        case AnalysisForm::AnnualDepth: return " Active data file is  " + p.DataFile + "     Sheet 9.1 of 9 ";
        case AnalysisForm::SevenDay: return " Active data file is  " + p.DataFile + "  Sheet 9.3 of 9 ";
        case AnalysisForm::Period: return " Active data file is  " + p.DataFile + "   Sheet 9.4 of 9 ";
    }
    return {};
}

AreaTexts areaTexts(const Project& p) {
    AreaTexts t;
    for (int s = 1; s <= kSubAreas; ++s)
        t.subAreas[std::size_t(s - 1)] = formatPattern(p.SubArea[std::size_t(s)].numberOr0(), "####");
    t.total = p.TotalArea.text();
    return t;
}

AnnualVolumeTexts annualVolumeTexts(const Project& p, YearType type, const YearColumns& columns,
                                    const YearColumns& subYears, bool positiveSubAreasOnly) {
    AnnualVolumeTexts t{blanks<16>(), blanks<16>(), blanks<16>(), {}, {}};
    const AnnualFields f = annualFields(type);
    const int count = p.AnnYearsOf[std::size_t(type)].count;
    const bool last = p.RerunFlag == 1;
    auto volume = [&](double thousandM3) { return formatPattern(thousandM3 / p.AnnScale, "#"); };
    for (std::size_t k = 0; k < 8; ++k) {
        const int y = heldYear(columns[k], count);
        if (y == 0) continue;
        const std::string label = annualYearLabel(p, type, y);
        const std::string measured = volume(p.AnnTotal.value(f.measuredVolume, y));
        t.years[k] = label;
        t.volumes[k] = volume(p.AnnTotal.value(f.firstVolume, y));
        t.measured[k] = measured;
        if (last) {
            t.years[k + 8] = label;
            t.volumes[k + 8] = volume(p.AnnTotal.value(f.lastVolume, y));
            t.measured[k + 8] = measured;
        }
    }
    for (std::size_t c = 0; c < 8; ++c) {
        const int y = heldYear(subYears[c], count);
        if (y == 0) continue;
        for (int s = 1; s <= kSubAreas; ++s) {
            auto cell = [&](AnnualBlock block) {
                const double v = p.SubAnnual.value(s, block, y).numberOr0();
                return positiveSubAreasOnly && !(v > 0) ? std::string() : volume(v);
            };
            t.first[c][std::size_t(s - 1)] = cell(f.firstBlock);
            if (last) t.last[c][std::size_t(s - 1)] = cell(f.lastBlock);
        }
    }
    return t;
}

AnnualDepthTexts annualDepthTexts(const Project& p, YearType type, const YearColumns& columns) {
    AnnualDepthTexts t{blanks<16>(), blanks<16>(), blanks<16>()};
    const AnnualFields f = annualFields(type);
    const int count = p.AnnYearsOf[std::size_t(type)].count;
    auto depth = [](double mm) { return formatPattern(mm, "###"); };
    for (std::size_t k = 0; k < 8; ++k) {
        const int y = heldYear(columns[k], count);
        if (y == 0) continue;
        const std::string label = annualYearLabel(p, type, y);
        const std::string measured = depth(p.AnnTotal.value(f.measuredDepth, y));
        t.years[k] = label;
        t.depths[k] = depth(p.AnnTotal.value(f.firstDepth, y));
        t.measured[k] = measured;
        if (p.RerunFlag == 1) {
            t.years[k + 8] = label;
            t.depths[k + 8] = depth(p.AnnTotal.value(f.lastDepth, y));
            t.measured[k + 8] = measured;
        }
    }
    return t;
}

SevenDayTexts sevenDayTexts(const Project& p, YearType type, const YearColumns& columns, bool flowingSubAreasOnly) {
    SevenDayTexts t{blanks<16>(), blanks<33>(), blanks<33>(), blanks<16>(), {}, {}};
    for (auto* table : {&t.first, &t.last})
        for (auto& column : *table) column.fill(kBlankBox);
    const YearType column = type;
    const int count = p.MinYearsOf[std::size_t(type)];
    const bool last = p.RerunFlag == 1;
    const bool measured = p.MeasFlow == 1;

    // One run's block: its boxes start at `box`, its sub-area table is `table`.
    auto block = [&](std::size_t k, int y, std::size_t box, const auto& flow, const auto& date,
                     const std::vector<int>& days, const std::vector<double>& depths, Run run, SubAreaTable& table) {
        const int day = valueAt(days, y);
        t.years[box + k] = std::to_string(valueAt(p.YearNum, y));
        t.dates[box + k] = date.value(column, y);
        t.minima[box + k] = formatPattern(flow.value(column, y) / p.FlowScale, "###00");
        t.depths[box + k] = formatPattern(valueAt(depths, day), "###00.00");
        for (int s = 1; s <= kSubAreas; ++s) {
            const bool flowing = p.FlowTable.value(subAreaVolumes(run), day, s) > 0;
            table[k][std::size_t(s - 1)] = flowingSubAreasOnly && !flowing
                                               ? std::string(kBlankBox)
                                               : formatPattern(p.SubFlow7.value(run, day, s) / p.FlowScale, "##0");
        }
    };
    for (std::size_t k = 0; k < 8; ++k) {
        const int y = heldYear(columns[k], count);
        if (y == 0) continue;
        block(k, y, 0, p.MinFlowFirst, p.MinDateFirst, p.MinDayFirst, p.SevenDay.firstDepth, Run::First, t.first);
        if (last) block(k, y, 8, p.MinFlowLast, p.MinDateLast, p.MinDayLast, p.SevenDay.lastDepth, Run::Last, t.last);
        if (measured) {
            const std::string date = p.MinDateMeas.value(column, y);
            const std::string minimum = formatPattern(p.MinFlowMeas.value(column, y), "###00.00");
            t.dates[17 + k] = date;
            t.minima[17 + k] = minimum;
            if (last) {
                t.dates[25 + k] = date;
                t.minima[25 + k] = minimum;
            }
        }
    }
    return t;
}

}  // namespace tarn
