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
    std::vector<std::optional<double>> out(percents.size());
    if (flows.empty()) return out;
    const std::size_t n = flows.size();
    auto position = [&](double p) { return double(n - 1) * std::clamp(1 - p / 100, 0.0, 1.0); };
    if (percents.size() > 16) {
        // A whole curve: sort once.
        std::sort(flows.begin(), flows.end());
        for (std::size_t i = 0; i < percents.size(); ++i) out[i] = quantileType7(flows, 1 - percents[i] / 100);
        return out;
    }
    // A few figures: select just the order statistics they need, lowest first, each
    // selection working on what lies above the one before. The interpolation is that of
    // quantileType7 on the sorted values.
    std::vector<std::size_t> order(percents.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return position(percents[a]) < position(percents[b]); });
    auto from = flows.begin();
    for (std::size_t i : order) {
        const double h = position(percents[i]);
        const auto lo = std::size_t(std::floor(h));
        const auto at = flows.begin() + std::ptrdiff_t(lo);
        if (at >= from) {
            std::nth_element(from, at, flows.end());
            from = at;
        }
        const double low = *at;
        const double high = lo + 1 < n ? *std::min_element(at + 1, flows.end()) : low;
        out[i] = low + (h - double(lo)) * (high - low);
    }
    return out;
}

std::vector<double> curvePercents() {
    std::vector<double> p;
    p.reserve(999);
    for (int i = 1; i <= 999; ++i) p.push_back(i / 10.0);
    return p;
}

std::vector<double> runFlows(const Project& p, Slot runSeries) {
    const double* q = p.Balance.series(runSeries, qty::Q);
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
