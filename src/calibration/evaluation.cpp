#include "calibration/evaluation.h"

#include <algorithm>

#include "model/day_rule.h"
#include "model/errors.h"
#include "model/measured_days.h"

namespace tarn {

void leanDischarge(const CatchmentSet& set, const double* rain, const double* etref, int lastDay, double* out) {
    for (int d = 1; d <= lastDay; ++d) out[d] = 0.0;
    for (int s = 1; s <= kSubAreas; ++s) {
        const SubAreaSet& a = set.sub[std::size_t(s)];
        if (!a.inCatchment) continue;
        const DayParams params = a.dayParams();
        const double pct = a.pct;
        DayStores y = a.initialStores();
        for (int d = 1; d <= lastDay; ++d) {
            const DayQuantities q = dayRule(params, y, rain[d], etref[d], d == 1);
            out[d] += pct * q.Q / 100;
            y = q.stores();
        }
    }
}

const char* objectiveName(Objective o) {
    switch (o) {
        case Objective::Kge: return "kge";
        case Objective::Nse: return "nse";
        case Objective::LogNse: return "log-nse";
        case Objective::KgeLogNse: return "kge+log-nse";
    }
    return "";
}

std::vector<Objective> parseObjectives(const std::string& text) {
    std::vector<Objective> out;
    std::size_t start = 0;
    while (true) {
        const auto comma = text.find(',', start);
        const std::string name = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        bool found = false;
        for (const Objective o : {Objective::Kge, Objective::Nse, Objective::LogNse, Objective::KgeLogNse})
            if (name == objectiveName(o)) {
                out.push_back(o);
                found = true;
            }
        if (!found)
            throw InputError("--objective " + text + ": '" + name +
                             "' is not an objective (kge, nse, log-nse, kge+log-nse, or two of them as kge,log-nse)");
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (out.size() > 2) throw InputError("--objective " + text + ": give one objective, or two separated by a comma");
    if (out.size() == 2 && out[0] == out[1]) throw InputError("--objective " + text + ": the two objectives are the same");
    return out;
}

std::optional<double> objectiveValue(Objective o, const FitFigures& f) {
    switch (o) {
        case Objective::Kge: return f.kge;
        case Objective::Nse: return f.nse;
        case Objective::LogNse: return f.logNse;
        case Objective::KgeLogNse:
            if (!f.kge || !f.logNse) return std::nullopt;
            return (*f.kge + *f.logNse) / 2;
    }
    return std::nullopt;
}

FitDays fitDaysOf(const Project& p, DayRange window) {
    FitDays f;
    f.window = window;
    std::vector<double> observed;
    const int last = std::min(window.last, p.NumDays);
    for (int d = std::max(window.first, 1); d <= last; ++d) {
        if (measuredMissing(p, d)) continue;
        f.days.push_back(d);
        observed.push_back(p.Balance(slot::FirstRun, d, qty::Measured));
    }
    f.observed = ObservedFlows(std::move(observed));
    return f;
}

Evaluator::Evaluator(const Project& p, std::vector<TunedParam> tuned, std::vector<Objective> objectives, DayRange window)
    : p_(p), tuned_(std::move(tuned)), objectives_(std::move(objectives)), base_(catchmentSetOf(p)), fit_(fitDaysOf(p, window)) {
    for (const Objective o : objectives_) needLog_ = needLog_ || o == Objective::LogNse || o == Objective::KgeLogNse;
}

Evaluator::Workspace Evaluator::workspace() const {
    Workspace w;
    w.discharge.assign(std::size_t(p_.NumDays) + 1, 0.0);
    w.simulated.reserve(std::size_t(p_.NumDays));
    return w;
}

FitFigures Evaluator::figures(const CatchmentSet& set, const FitDays& days, Workspace& w, bool withLog) const {
    const int last = days.days.empty() ? 0 : days.days.back();
    if (w.discharge.size() < std::size_t(last) + 1) w.discharge.resize(std::size_t(last) + 1);
    leanDischarge(set, p_.Balance.series(slot::Inputs, qty::P), p_.Balance.series(slot::Inputs, qty::ETr), last,
                  w.discharge.data());
    w.simulated.resize(days.days.size());
    for (std::size_t i = 0; i < days.days.size(); ++i) w.simulated[i] = w.discharge[std::size_t(days.days[i])];
    return fitAgainst(w.simulated, days.observed, withLog);
}

FitFigures Evaluator::fit(std::span<const double> x, const FitDays& days, Workspace& w) const {
    return figures(applyCandidate(base_, tuned_, x), days, w, true);
}

EvaluationResult Evaluator::evaluate(std::span<const double> x, Workspace& w) const {
    EvaluationResult r;
    const CatchmentSet set = applyCandidate(base_, tuned_, x);
    if (infeasibility(set)) return r;
    r.feasible = true;
    const FitFigures f = figures(set, fit_, w, needLog_);
    for (const Objective o : objectives_) r.objectives.push_back(objectiveValue(o, f));
    return r;
}

}  // namespace tarn
