#include "input/capture.h"

#include <limits>
#include <optional>

namespace tarn {

namespace {

// A box's text as a 16-bit whole number; none for an empty, blank or non-numeric box.
std::optional<int> wholeNumber(const std::string& text) {
    if (text.find_first_not_of(' ') == std::string::npos) return std::nullopt;
    const auto x = parseNumber(text);
    if (!x) return std::nullopt;
    const double r = roundHalfEven(*x);
    if (r < std::numeric_limits<short>::min() || r > std::numeric_limits<short>::max()) return std::nullopt;
    return int(r);
}

}  // namespace

SubAreaBoxes catchmentBoxes(const Project& p) {
    SubAreaBoxes boxes;
    for (int k = 1; k <= kSubAreas; ++k) {
        const std::string share = p.AreaInit(k, 0).text();
        boxes[std::size_t(k - 1)] = share.empty() ? "0" : share;
    }
    return boxes;
}

CaptureResult captureCatchment(Project& p, const std::string& totalArea, const SubAreaBoxes& shares) {
    p.SumPct = 0;
    if (totalArea.empty()) return {false, "No blanks in total area entry please !"};
    if (parseNumber(totalArea)) p.TotalArea = totalArea;
    const double total = p.TotalArea.numberOr0();
    for (int k = 0; k < kSubAreas; ++k) {
        const auto share = wholeNumber(shares[std::size_t(k)]);
        if (!share) continue;
        const double area = *share * total / 100;
        p.SubAreaPct[std::size_t(k + 1)] = *share;
        p.SubArea[std::size_t(k + 1)] = area;
        p.SumPct += *share;
        // The share in per cent again, the unit of the workbook's row 5.
        p.SubPara(k, para::Area) = total != 0 ? area * 100 / total : double(*share);
    }
    if (p.SumPct != 100) return {false, "Sum of sub areas NE to Total area !"};
    return {true, "Data reset OK ...Click on Next button!"};
}

SubAreaBoxes rainFactorBoxes(const Project& p) {
    SubAreaBoxes boxes;
    for (int k = 1; k <= kSubAreas; ++k)
        boxes[std::size_t(k - 1)] = p.AreaInit(k, 0).text().empty() ? "0" : p.AreaInit(k, 1).text();
    return boxes;
}

void captureRainFactors(Project& p, const SubAreaBoxes& factors, bool storeInParameters) {
    double sum = 0;
    for (int k = 0; k < kSubAreas; ++k) {
        const std::string& text = factors[std::size_t(k)];
        const auto factor = wholeNumber(text);
        if (!factor) continue;
        p.RainFactor[std::size_t(k + 1)] = *factor;
        sum += *factor;
        if (storeInParameters) p.SubPara(k, para::RainScale) = *factor;
    }
    p.SumScale = sum;
}

}  // namespace tarn
