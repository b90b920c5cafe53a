#include "analysis/closure.h"

#include <algorithm>
#include <cmath>

namespace tarn {

namespace {

double total(const Project& p, Slot s, Qty k) {
    const double* x = p.Balance.series(s, k);
    double sum = 0;
    for (int d = 1; d <= p.NumDays; ++d) sum += x[d];
    return sum;
}

// Sub-area s over days 1..NumDays. The stores of day 0 hold the initial contents. The
// baseflow of day d leaves the store on day d + 1 (B(d + 1) = R + B(d) - BF(d)), so the
// water still held after the last day is B(n) - BF(n), and the baseflow out is the sum of
// BF(1..n).
Closure subAreaClosure(const Project& p, int subArea) {
    const int n = p.NumDays;
    const Slot s = subAreaSlot(subArea);
    Closure c;
    c.rain = total(p, s, qty::P);
    c.interception = total(p, s, qty::Ei);
    c.transpiration = total(p, s, qty::Ta);
    c.quickflow = total(p, s, qty::QF);
    c.baseflow = total(p, s, qty::BF);
    const double profile = p.Balance(s, n, qty::Sw) - p.Balance(s, 0, qty::Sw);
    const double groundwater = p.Balance(s, n, qty::B) - p.Balance(s, n, qty::BF) - p.Balance(s, 0, qty::B);
    c.storageChange = profile + groundwater;
    c.residual = c.rain - c.interception - c.transpiration - c.quickflow - c.baseflow - c.storageChange;
    return c;
}

}  // namespace

double ClosureTable::largestResidual() const {
    double largest = std::abs(catchment.residual);
    for (const auto& c : subArea)
        if (c) largest = std::max(largest, std::abs(c->residual));
    return largest;
}

ClosureTable waterBalanceClosure(const Project& p) {
    ClosureTable t;
    if (p.NumDays < 1) return t;
    for (int s = 1; s <= kSubAreas; ++s) {
        if (p.SubArea[std::size_t(s)].numberOr0() <= 0) continue;
        const Closure c = subAreaClosure(p, s);
        t.subArea[std::size_t(s)] = c;
        const double share = p.SubAreaPct[std::size_t(s)] / 100.0;
        Closure& a = t.catchment;
        a.rain += share * c.rain;
        a.interception += share * c.interception;
        a.transpiration += share * c.transpiration;
        a.quickflow += share * c.quickflow;
        a.baseflow += share * c.baseflow;
        a.storageChange += share * c.storageChange;
    }
    Closure& a = t.catchment;
    a.residual = a.rain - a.interception - a.transpiration - a.quickflow - a.baseflow - a.storageChange;
    return t;
}

}  // namespace tarn
