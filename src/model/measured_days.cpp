#include "model/measured_days.h"

#include <algorithm>

#include "model/cell_address.h"
#include "model/variant.h"

namespace tarn {

namespace {

// Day d of the daily series stands on row 24 + d of the workbook.
std::string measuredCell(int d) { return cellAddress("C", 24 + d); }

std::string moreDays(int more) { return std::to_string(more) + (more == 1 ? " more day" : " more days"); }

}  // namespace

int missingMeasuredDays(const Project& p) {
    int count = 0;
    for (int d = 1; d <= p.NumDays; ++d) count += measuredMissing(p, d) ? 1 : 0;
    return count;
}

std::string missingMeasuredText(const Project& p) {
    int first = 0, count = 0;
    for (int d = 1; d <= p.NumDays; ++d)
        if (measuredMissing(p, d)) {
            if (count++ == 0) first = d;
        }
    if (count == 0) return {};
    if (count == 1) return measuredCell(first) + " has no measured streamflow";
    return measuredCell(first) + " and " + moreDays(count - 1) + " have no measured streamflow";
}

std::string negativeMeasuredText(const Project& p) {
    if (p.MeasNegative.empty()) return {};
    const int d = p.MeasNegative.front();
    const double value = d >= 1 && d < p.Balance.days() ? p.Balance(slot::FirstRun, d, qty::Measured) : 0.0;
    std::string text = measuredCell(d) + ": the measured streamflow " + generalNumberText(value) + " is negative";
    const int more = int(p.MeasNegative.size()) - 1;
    if (more > 0) text += " and " + moreDays(more);
    return text;
}

void setMeasuredDays(Project& p, std::vector<unsigned char> missing) {
    if (std::find(missing.begin(), missing.end(), 1) == missing.end()) missing.clear();
    p.MeasMissing = std::move(missing);
    p.MeasNegative.clear();
    if (p.Balance.days() < p.NumDays + 1) return;
    const double* measured = p.Balance.series(slot::FirstRun, qty::Measured);
    for (int d = 1; d <= p.NumDays; ++d)
        if (measured[d] < 0) p.MeasNegative.push_back(d);
}

void setMeasuredValue(Project& p, int d, double value) {
    if (d < 1 || d > p.NumDays || d >= p.Balance.days()) return;
    p.Balance(slot::FirstRun, d, qty::Measured) = value;
    if (measuredMissing(p, d)) {
        p.MeasMissing[std::size_t(d)] = 0;
        if (missingMeasuredDays(p) == 0) p.MeasMissing.clear();
    }
    auto& negative = p.MeasNegative;
    const auto at = std::lower_bound(negative.begin(), negative.end(), d);
    const bool listed = at != negative.end() && *at == d;
    if (value < 0 && !listed) negative.insert(at, d);
    if (value >= 0 && listed) negative.erase(at);
}

}  // namespace tarn
