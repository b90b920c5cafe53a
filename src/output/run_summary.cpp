#include "output/run_summary.h"

#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "model/measured_days.h"

namespace tarn {

namespace {

DurationFigures durationOf(std::vector<double> flows) {
    const auto q = flowsExceeded(std::move(flows), kSummaryPercents);
    DurationFigures out{};
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = q[i];
    return out;
}

std::string format(const char* pattern, double x) {
    char buf[64];
    std::snprintf(buf, sizeof buf, pattern, x);
    return buf;
}

using Json = nlohmann::ordered_json;

// A JSON number, or null where the figure is undefined or not finite.
Json number(const std::optional<double>& x) {
    if (!x || !std::isfinite(*x)) return nullptr;
    return *x;
}

Json fitJson(const FitFigures& f) {
    return {{"nse", number(f.nse)},   {"kge", number(f.kge)},         {"r", number(f.r)},
            {"alpha", number(f.alpha)}, {"beta", number(f.beta)},     {"log_nse", number(f.logNse)},
            {"pbias", number(f.pbias)}, {"rmse", number(f.rmse)},     {"days", f.days}};
}

Json closureJson(const Closure& c) {
    return {{"rain", number(c.rain)},
            {"interception", number(c.interception)},
            {"transpiration", number(c.transpiration)},
            {"quickflow", number(c.quickflow)},
            {"baseflow", number(c.baseflow)},
            {"storage_change", number(c.storageChange)},
            {"residual", number(c.residual)}};
}

Json durationJson(const DurationFigures& q) {
    Json o = Json::object();
    for (std::size_t i = 0; i < q.size(); ++i) o["q" + format("%.0f", kSummaryPercents[i])] = number(q[i]);
    return o;
}

std::string closureLine(const std::string& name, const Closure& c) {
    char buf[256];
    std::snprintf(buf, sizeof buf, "  %-10s%10.1f%13.1f%14.1f%10.1f%10.1f%10.1f%11.2e\n", name.c_str(), c.rain,
                  c.interception, c.transpiration, c.quickflow, c.baseflow, c.storageChange, c.residual);
    return buf;
}

}  // namespace

RunSummary summarizeFirstRun(const Project& p, bool measuredRead, DayRange fitWindow) {
    RunSummary s;
    const int n = p.NumDays;
    s.days = n;
    s.years = n / 365.25;
    if (n < 1) return s;
    s.first = p.DayDate(1, 0);
    s.last = p.DayDate(n, 0);
    s.totalArea = p.TotalArea.numberOr0();
    for (int a = 1; a <= kSubAreas; ++a) s.subAreas += p.SubArea[std::size_t(a)].numberOr0() > 0 ? 1 : 0;

    const double* rain = p.Balance.series(slot::FirstRun, qty::P);
    const double* etref = p.Balance.series(slot::Inputs, qty::ETr);
    const double* ei = p.Balance.series(slot::FirstRun, qty::Ei);
    const double* ta = p.Balance.series(slot::FirstRun, qty::Ta);
    const double* q = p.Balance.series(slot::FirstRun, qty::Q);
    const double* measured = p.Balance.series(slot::FirstRun, qty::Measured);
    double measuredSum = 0;
    int measuredDays = 0;
    for (int d = 1; d <= n; ++d) {
        s.rainfall += rain[d];
        s.etref += etref[d];
        s.actualEt += ei[d] + ta[d];
        s.modelled += q[d];
        if (measuredRead && !measuredMissing(p, d)) {
            measuredSum += measured[d];
            ++measuredDays;
        }
    }
    for (double* x : {&s.rainfall, &s.etref, &s.actualEt, &s.modelled}) *x /= s.years;
    if (measuredDays > 0) s.measured = measuredSum / (measuredDays / 365.25);

    s.measuredRead = measuredRead;
    s.fitWindow = fitWindow;
    s.fitFrom = p.DayDate.value(fitWindow.first, 0);
    s.fitTo = p.DayDate.value(fitWindow.last, 0);
    if (measuredRead) {
        s.missingMeasuredDays = missingMeasuredDays(p);
        s.missingText = missingMeasuredText(p);
        s.negativeText = negativeMeasuredText(p);
        s.fitFirst = runFit(p, slot::FirstRun, fitWindow);
        s.durationMeasured = durationOf(measuredFlows(p));
    }
    s.closure = waterBalanceClosure(p);
    s.durationFirst = durationOf(runFlows(p, slot::FirstRun));
    return s;
}

std::string durationText(const DurationFigures& q) {
    std::string out;
    for (std::size_t i = 0; i < q.size(); ++i)
        out += (i ? "  Q" : "Q") + format("%.0f", kSummaryPercents[i]) + " " +
               (q[i] ? format("%.3f", *q[i]) : std::string("undefined"));
    return out;
}

std::string summaryText(const RunSummary& s) {
    std::string out;
    if (s.measuredRead) {
        if (!s.missingText.empty()) out += "Measured:      " + s.missingText + "\n";
        if (!s.negativeText.empty()) out += "Warning:       " + s.negativeText + "\n";
        out += "Fit, " + s.fitFrom + " to " + s.fitTo + ":\n               " + fitText(*s.fitFirst) + "\n";
    }
    out += "Flow duration, mm/day (flow exceeded on p % of the days):\n";
    out += "  modelled   " + durationText(s.durationFirst) + "\n";
    if (s.durationMeasured) out += "  measured   " + durationText(*s.durationMeasured) + "\n";
    out += "Water balance over the run, mm:\n";
    out += "                  rain interception transpiration quickflow  baseflow   storage   residual\n";
    out += closureLine("catchment", s.closure.catchment);
    for (int a = 1; a <= kSubAreas; ++a)
        if (const auto& c = s.closure.subArea[std::size_t(a)]) out += closureLine("A" + std::to_string(a), *c);
    if (std::abs(s.closure.catchment.residual) > kClosureTolerance)
        out += "Warning:       the catchment's water balance leaves " + format("%.3g", s.closure.catchment.residual) +
               " mm unaccounted for\n";
    for (int a = 1; a <= kSubAreas; ++a) {
        const auto& c = s.closure.subArea[std::size_t(a)];
        if (c && std::abs(c->residual) > kClosureTolerance)
            out += "Warning:       the water balance of A" + std::to_string(a) + " leaves " +
                   format("%.3g", c->residual) + " mm unaccounted for\n";
    }
    return out;
}

std::string summaryJson(const RunSummary& s) {
    Json closure = Json::object();
    closure["catchment"] = closureJson(s.closure.catchment);
    for (int a = 1; a <= kSubAreas; ++a)
        if (const auto& c = s.closure.subArea[std::size_t(a)]) closure["A" + std::to_string(a)] = closureJson(*c);
    Json out = Json::object();
    out["period"] = {{"first", s.first}, {"last", s.last}, {"days", s.days}, {"years", number(s.years)}};
    out["catchment"] = {{"area_ha", number(s.totalArea)}, {"sub_areas", s.subAreas}};
    out["mean_annual"] = {{"rainfall", number(s.rainfall)},
                          {"reference_evapotranspiration", number(s.etref)},
                          {"actual_evapotranspiration", number(s.actualEt)},
                          {"streamflow", number(s.modelled)},
                          {"measured_streamflow", number(s.measured)}};
    out["missing_measured_days"] = s.measuredRead ? Json(s.missingMeasuredDays) : Json(nullptr);
    out["fit_window"] = {{"first", s.fitFrom}, {"last", s.fitTo}};
    out["fit"] = {{"first", s.fitFirst ? fitJson(*s.fitFirst) : Json(nullptr)}};
    out["closure"] = std::move(closure);
    out["duration"] = {{"first", durationJson(s.durationFirst)},
                       {"measured", s.durationMeasured ? durationJson(*s.durationMeasured) : Json(nullptr)}};
    // Texts that are not valid UTF-8 are written with replacement characters rather than refused.
    return out.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace tarn
