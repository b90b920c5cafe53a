#include "output/chart_types.h"

namespace tarn {

std::optional<ChartType> chartTypeAt(int listIndex) {
    if (listIndex < 0 || listIndex >= int(kChartTypes.size())) return std::nullopt;
    return kChartTypes[std::size_t(listIndex)];
}

std::optional<ChartType> chartTypeOfCode(int code) {
    for (const ChartType& t : kChartTypes)
        if (t.code == code) return t;
    return std::nullopt;
}

bool isThreeDChart(int code) {
    const auto t = chartTypeOfCode(code);
    return t && t->threeD;
}

int flatChartCode(int code) { return isThreeDChart(code) ? code + 1 : code; }

}  // namespace tarn
