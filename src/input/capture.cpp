#include "input/capture.h"

#include <cmath>
#include <limits>
#include <optional>

#include "input/input_chart.h"
#include "model/cell_address.h"

namespace tarn {

std::optional<int> wholeNumber(const std::string& text) {
    if (text.find_first_not_of(' ') == std::string::npos) return std::nullopt;
    const auto x = parseNumber(text);
    if (!x) return std::nullopt;
    const double r = roundHalfEven(*x);
    if (r < std::numeric_limits<short>::min() || r > std::numeric_limits<short>::max()) return std::nullopt;
    return int(r);
}

namespace {

bool blank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

// Row 5 cell of sub-area s = 1..10 ("F5".."O5").
std::string shareCell(int s) { return cellAddress(columnLetters(5 + s), 5); }

StepResult refused(std::string status, std::string focus, int beeps, std::string cell = {}) {
    return {false, std::move(status), std::move(focus), beeps, std::move(cell)};
}

// The total area box: empty or blank, or not a number of hectares greater than 0 (one
// whose shares of up to 100 % stay finite), is refused.
std::optional<StepResult> refuseTotalArea(const std::string& text, int blankBeeps) {
    if (blank(text)) return refused("No blanks in total area entry please !", "txtTotalArea", blankBeeps, "F3");
    const auto x = parseNumber(text);
    if (!x || !(*x > 0) || !std::isfinite(*x * 100))
        return refused("The total area must be a number of hectares greater than 0, not '" + text + "' !",
                       "txtTotalArea", 1, "F3");
    return std::nullopt;
}

// The capture shared by Capture and Next; `sumMessage` is the button's own refusal of
// shares that do not add up to 100.
StepResult captureShares(Project& p, const std::string& totalArea, const SubAreaBoxes& boxes,
                         const char* sumMessage) {
    p.SumPct = 0;
    if (auto r = refuseTotalArea(totalArea, 3)) return *r;
    // Check every box first, so that a refusal leaves the sub-areas as they were.
    std::array<int, kSubAreas> shares{};
    for (int k = 0; k < kSubAreas; ++k) {
        const std::string& text = boxes[std::size_t(k)];
        if (blank(text)) continue;  // an empty share counts as 0
        const auto x = parseNumber(text);
        const double share = x ? roundHalfEven(*x) : -1;
        if (share < 0 || share > 100)
            return refused("The share of A" + std::to_string(k + 1) + " must be a number from 0 to 100 (%), not '" +
                               text + "' !",
                           "cmbArea_" + std::to_string(k), 1, shareCell(k + 1));
        shares[std::size_t(k)] = int(share);
    }

    p.TotalArea = totalArea;
    const double total = *parseNumber(totalArea);
    bool anyArea = false;
    for (int k = 0; k < kSubAreas; ++k) {
        const int share = shares[std::size_t(k)];
        const double area = share * total / 100;
        p.SubAreaPct[std::size_t(k + 1)] = share;
        p.SubArea[std::size_t(k + 1)] = area;
        p.SumPct += share;
        // The share in per cent again, the unit of the workbook's row 5.
        p.SubPara(k, para::Area) = area * 100 / total;
        anyArea = anyArea || area > 0;
    }
    if (p.SumPct != 100) return refused(sumMessage, "txtTotalArea", 1, "F5:O5");
    if (!anyArea)
        return refused("No sub area has an area: check the total area and the shares !", "txtTotalArea", 1, "F5:O5");
    return {true, {}, {}, 0, {}};
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

CatchmentScreen catchmentLoad(const Project& p) {
    return {" Active data file is  " + p.DataFile + "     Sheet 3 of 9", p.TotalArea.text(), catchmentBoxes(p),
            "Change in catchment area enables other command buttons"};
}

std::string catchmentTotalAreaChanged() { return "Now capture the Data......."; }

StepResult catchmentCapture(Project& p, const std::string& totalArea, const SubAreaBoxes& shares) {
    StepResult r = captureShares(p, totalArea, shares, "Total area does not add up to 100% !");
    if (r.ok) r.status = "Data reset OK ...Click on Next button!";
    return r;
}

StepResult catchmentNext(Project& p, const std::string& totalArea, const SubAreaBoxes& shares) {
    return captureShares(p, totalArea, shares, "Sum of sub areas NE to Total area !");
}

StepResult catchmentBack(Project& p, const std::string& totalArea) {
    if (auto r = refuseTotalArea(totalArea, 1)) return *r;
    p.TotalArea = totalArea;
    return {true, {}, {}, 0, {}};
}

SubAreaBoxes rainFactorBoxes(const Project& p) {
    SubAreaBoxes boxes;
    for (int k = 1; k <= kSubAreas; ++k)
        boxes[std::size_t(k - 1)] = p.AreaInit(k, 0).text().empty() ? "0" : p.AreaInit(k, 1).text();
    return boxes;
}

RainScreen rainLoad(Project& p) {
    p.RainDone = 0;
    p.MeasFlow = 0;
    restartInputChart(p);
    return {" Active data file for is  " + p.DataFile + " Sheet 4 of 9 ", p.DataFile, rainFactorBoxes(p),
            "Check the measured streamflow box if you have the streamflow data"};
}

RainCapture rainCapture(Project& p, bool streamflowChecked) {
    RainCapture c;
    c.chart.colDate = "D";
    c.chart.colData = "E";
    c.chart.title = "Rainfall  (mm/day)";
    c.chart.series = 1;
    c.chart.fromRain = true;
    c.chart.loadDates = true;
    c.chart.loadRain = true;
    if (streamflowChecked) {
        p.MeasFlow = 1;
        c.chart.measured = true;
    }
    p.RainDone = 1;
    requestInputChart(p, c.chart);
    c.result = {true, " Data read OK !", {}, 0, {}};
    return c;
}

void captureRainFactors(Project& p, const SubAreaBoxes& factors, bool storeInParameters) {
    double sum = 0;
    for (int k = 0; k < kSubAreas; ++k) {
        const auto factor = wholeNumber(factors[std::size_t(k)]);
        if (!factor) continue;
        p.RainFactor[std::size_t(k + 1)] = *factor;
        sum += *factor;
        if (storeInParameters) p.SubPara(k, para::RainScale) = *factor;
    }
    p.SumScale = sum;
}

StepResult rainNext(Project& p, const SubAreaBoxes& factors) {
    if (p.RainDone == 0) return refused(" Capture Rainfall data first", "cmdCapRain", 1);
    captureRainFactors(p, factors, true);
    return {true, {}, {}, 0, {}};
}

StepResult rainBack(Project& p, const SubAreaBoxes& factors) {
    captureRainFactors(p, factors, false);
    if (p.SumScale.numberOr0() > 1000) return refused("Check the Scaling factors !", "cmbRainScale_0", 1);
    return {true, {}, {}, 0, {}};
}

}  // namespace tarn
