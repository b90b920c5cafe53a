#include "analysis/duration.h"

#include <algorithm>
#include <cmath>

#include "model/measured_days.h"

namespace tarn {

std::optional<double> quantileType7(std::span<const double> x, double q) {
    if (x.empty()) return std::nullopt;
    const double h = double(x.size() - 1) * std::clamp(q, 0.0, 1.0);
    const auto lo = std::size_t(std::floor(h));
    const std::size_t hi = std::min(lo + 1, x.size() - 1);
    return x[lo] + (h - double(lo)) * (x[hi] - x[lo]);
}

std::vector<std::optional<double>> flowsExceeded(std::vector<double> flows, std::span<const double> percents) {
    std::sort(flows.begin(), flows.end());
    std::vector<std::optional<double>> out;
    out.reserve(percents.size());
    for (double p : percents) out.push_back(quantileType7(flows, 1 - p / 100));
    return out;
}

std::vector<double> curvePercents() {
    std::vector<double> p;
    p.reserve(999);
    for (int i = 1; i <= 999; ++i) p.push_back(i / 10.0);
    return p;
}

std::vector<double> runFlows(const Project& p, int runSlot) {
    const double* q = p.Balance.series(runSlot, qty::Q);
    return std::vector<double>(q + 1, q + 1 + std::max(p.NumDays, 0));
}

std::vector<double> measuredFlows(const Project& p) {
    std::vector<double> flows;
    flows.reserve(std::size_t(std::max(p.NumDays, 0)));
    const double* m = p.Balance.series(slot::FirstRun, qty::Measured);
    for (int d = 1; d <= p.NumDays; ++d)
        if (!measuredMissing(p, d)) flows.push_back(m[d]);
    return flows;
}

}  // namespace tarn
