#include "uncertainty/set_run.h"

#include <algorithm>

#include "analysis/duration.h"
#include "analysis/seven_day.h"
#include "model/errors.h"
#include "model/run_model.h"
#include "model/units.h"
#include "uncertainty/parallel.h"
#include "uncertainty/sets.h"

namespace tarn {

namespace {

constexpr double kDaysPerYear = 365.25;
constexpr double kM3PerHaMm = 10;

double areaOf(const Project& p, int s) { return p.SubArea[std::size_t(s)].numberOr0(); }

}  // namespace

void prepareForSets(Project& p) {
    p.RerunFlag = 0;
    RunModel(p);
    computeSevenDayMeans(p);
    findSevenDayMinima(p, YearType::Water);
}

SetRunner::SetRunner(const Project& p, std::vector<TunedParam> tuned, std::optional<DayRange> fitWindow)
    : p_(p), tuned_(std::move(tuned)), columns_(changedColumns(tuned_)), base_(catchmentSetOf(p)) {
    if (fitWindow) fit_ = fitDaysOf(p, *fitWindow);
    waterYears_ = p.MinYearsOf[std::size_t(YearType::Water)];
    yearBounds_.assign(1, 0);
    for (int i = 1; i <= p.YearBounds; ++i) yearBounds_.push_back(p.YearStart[std::size_t(i)]);
    const double* rain = p.Balance.series(slot::Inputs, qty::P);
    for (int d = 1; d <= p.NumDays; ++d) rainfall_ += rain[d];
    if (p.NumDays > 0) rainfall_ /= p.NumDays / kDaysPerYear;
}

SetRunner::Workspace SetRunner::workspace() const {
    const std::size_t n = std::size_t(std::max(p_.NumDays, 0)) + 1;
    Workspace w;
    for (auto* v : {&w.q, &w.ei, &w.ta, &w.volume, &w.sevenDay}) v->assign(n, 0.0);
    return w;
}

CatchmentSet SetRunner::apply(std::span<const double> x) const {
    CatchmentSet set = asWorkbookReadsIt(applyCandidate(base_, tuned_, x), columns_);
    if (const auto why = infeasibility(set)) throw InputError(*why);
    return set;
}

SetStores SetRunner::initialStores(const CatchmentSet& set) const {
    SetStores stores{};
    for (int s = 1; s <= kSubAreas; ++s) stores[std::size_t(s)] = set.sub[std::size_t(s)].initialStores();
    return stores;
}

void SetRunner::discharge(const CatchmentSet& set, SetStores& stores, int first, int last, double* out) const {
    const double* rain = p_.Balance.series(slot::Inputs, qty::P);
    const double* etref = p_.Balance.series(slot::Inputs, qty::ETr);
    for (int d = first; d <= last; ++d) out[d - first] = 0.0;
    for (int s = 1; s <= kSubAreas; ++s) {
        const SubAreaSet& a = set.sub[std::size_t(s)];
        if (!a.inCatchment) continue;
        const DayParams params = a.dayParams();
        DayStores y = stores[std::size_t(s)];
        for (int d = first; d <= last; ++d) {
            const DayQuantities q = dayRule(params, y, rain[d], etref[d], d == 1);
            out[d - first] += a.pct * q.Q / 100;
            y = q.stores();
        }
        stores[std::size_t(s)] = y;
    }
}

SetFigures SetRunner::figures(std::span<const double> x, Workspace& w, const Needs& needs) const {
    const CatchmentSet set = apply(x);
    const int n = p_.NumDays;
    SetFigures f;
    if (n < 1) return f;
    const double* rain = p_.Balance.series(slot::Inputs, qty::P);
    const double* etref = p_.Balance.series(slot::Inputs, qty::ETr);
    std::fill(w.q.begin(), w.q.end(), 0.0);
    if (needs.balance) {
        std::fill(w.ei.begin(), w.ei.end(), 0.0);
        std::fill(w.ta.begin(), w.ta.end(), 0.0);
    }
    if (needs.lowFlow) std::fill(w.volume.begin(), w.volume.end(), 0.0);
    const double years = n / kDaysPerYear;

    // The sub-areas add into the catchment series in order, as the run adds them.
    for (int s = 1; s <= kSubAreas; ++s) {
        const SubAreaSet& a = set.sub[std::size_t(s)];
        if (!a.inCatchment) continue;
        const DayParams params = a.dayParams();
        const double area = areaOf(p_, s);  // ha
        DayStores y = a.initialStores();
        double litres = 0;
        for (int d = 1; d <= n; ++d) {
            const DayQuantities q = dayRule(params, y, rain[d], etref[d], d == 1);
            w.q[std::size_t(d)] += a.pct * q.Q / 100;
            if (needs.balance) {
                w.ei[std::size_t(d)] += a.pct * q.Ei / 100;
                w.ta[std::size_t(d)] += a.pct * q.Ta / 100;
            }
            if (needs.balance || needs.lowFlow) {
                const double dayLitres = area * q.Q * kLitresPerHaMm;
                if (needs.lowFlow) w.volume[std::size_t(d)] += dayLitres;
                litres += dayLitres;
            }
            y = q.stores();
        }
        if (needs.balance) f.subAreaVolume[std::size_t(s)] = litres / kLitresPerThousandM3 / years;
    }
    for (int d = 1; d <= n; ++d) {
        if (needs.balance) f.actualEt += w.ei[std::size_t(d)] + w.ta[std::size_t(d)];
        f.streamflow += w.q[std::size_t(d)];
        if (needs.lowFlow && w.volume[std::size_t(d)] == 0.0) w.volume[std::size_t(d)] = 1.0;  // a dry day holds 1 litre
    }
    f.actualEt /= years;
    f.streamflow /= years;
    if (needs.lowFlow) f.lowFlow = lowFlowOf(w);
    if (needs.duration) {
        const std::array<double, 3> percents{5, 50, 95};
        const auto q = flowsExceeded(std::vector<double>(w.q.begin() + 1, w.q.begin() + 1 + n), percents);
        f.q5 = q[0];
        f.q50 = q[1];
        f.q95 = q[2];
    }
    if (fit_ && needs.fit) {
        std::vector<double> simulated(fit_->days.size());
        for (std::size_t i = 0; i < simulated.size(); ++i) simulated[i] = w.q[std::size_t(fit_->days[i])];
        f.fit = fitAgainst(simulated, fit_->observed, true);
    }
    return f;
}

std::optional<double> SetRunner::lowFlowOf(Workspace& w) const {
    const int n = p_.NumDays;
    // The seven-day minima of the water years: discharges in m3/day over the catchment.
    forwardSevenDaySum(w.volume.data(), n, kSevenDayVolumeDivisor, w.sevenDay.data());
    const double totalArea = p_.TotalArea.numberOr0();
    double lowSum = 0;
    int lowYears = 0;
    for (int i = 1; i <= waterYears_; ++i) {
        const int last = std::min(yearBounds_[std::size_t(i) + 1], lastWholeWindow(n));
        const Minimum m = yearMinimum(p_, w.sevenDay.data(), yearBounds_[std::size_t(i)], last);
        if (m.day == 0) continue;
        lowSum += m.value / (totalArea * kM3PerHaMm);
        ++lowYears;
    }
    if (lowYears == 0) return std::nullopt;
    return lowSum / lowYears;
}

DailyBands dailyBands(const SetRunner& runner, const std::vector<std::vector<double>>& xs, std::span<const double> weights,
                      unsigned threads, std::size_t maxValues) {
    const int n = runner.project().NumDays;
    const std::size_t sets = xs.size();
    DailyBands bands;
    if (n < 1 || sets == 0) return bands;
    for (auto* v : {&bands.q05, &bands.q50, &bands.q95, &bands.first}) v->resize(std::size_t(n));

    std::vector<CatchmentSet> applied(sets);
    std::vector<SetStores> stores(sets);
    parallelFor(sets, threads, [&](std::size_t i, unsigned) {
        applied[i] = runner.apply(xs[i]);
        stores[i] = runner.initialStores(applied[i]);
    });
    const int block = int(std::clamp<std::size_t>(maxValues / sets, 1, std::size_t(n)));
    std::vector<double> values(sets * std::size_t(block));  // [set][day of the block]
    std::vector<std::vector<double>> column(std::max(1u, threads), std::vector<double>(sets));
    for (int first = 1; first <= n; first += block) {
        const int last = std::min(n, first + block - 1);
        const std::size_t width = std::size_t(last - first + 1);
        parallelFor(sets, threads, [&](std::size_t i, unsigned) {
            runner.discharge(applied[i], stores[i], first, last, values.data() + i * width);
        });
        parallelFor(width, threads, [&](std::size_t k, unsigned thread) {
            std::vector<double>& day = column[thread];
            for (std::size_t i = 0; i < sets; ++i) day[i] = values[i * width + k];
            const std::size_t d = std::size_t(first - 1) + k;
            const auto q = weightedQuantiles(day, weights, kBandQuantiles);
            bands.q05[d] = *q[0];
            bands.q50[d] = *q[1];
            bands.q95[d] = *q[2];
            bands.first[d] = day[0];
        });
    }
    return bands;
}

}  // namespace tarn

namespace tarn {

std::vector<std::vector<double>> selectedValues(const SetFile& sets, const Selection& selection) {
    std::vector<std::vector<double>> xs;
    xs.reserve(selection.rows.size());
    for (const std::size_t i : selection.rows) xs.push_back(sets.rows[i].x);
    return xs;
}

std::vector<SetFigures> runSets(const SetRunner& runner, const SetFile& sets, const Selection& selection,
                                const std::string& workbook, unsigned threads) {
    std::vector<SetFigures> out(selection.rows.size());
    std::vector<SetRunner::Workspace> spaces(std::max(1u, threads));
    parallelFor(out.size(), threads, [&](std::size_t i, unsigned thread) {
        SetRunner::Workspace& w = spaces[thread];
        if (w.q.empty()) w = runner.workspace();
        const SetRow& row = sets.rows[selection.rows[i]];
        try {
            out[i] = runner.figures(row.x, w);
        } catch (const InputError& e) {
            throw InputError(workbook + ": the set of line " + std::to_string(row.line) + " of " + sets.path.string() +
                             " cannot be run: " + e.what());
        }
    });
    return out;
}

}  // namespace tarn
