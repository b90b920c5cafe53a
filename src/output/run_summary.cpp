#include "output/run_summary.h"

#include <cmath>
#include <cstdio>

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

// A JSON number, or null where the figure is undefined or not finite.
std::string number(const std::optional<double>& x) {
    if (!x || !std::isfinite(*x)) return "null";
    return format("%.17g", *x);
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", unsigned(c));
            out += buf;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

// Members "name": value, separated by commas, as one object.
class Object {
public:
    Object& add(const std::string& name, const std::string& json) {
        text_ += (text_.empty() ? "{" : ", ") + quoted(name) + ": " + json;
        return *this;
    }
    std::string str() const { return text_.empty() ? "{}" : text_ + "}"; }

private:
    std::string text_;
};

std::string fitJson(const FitFigures& f) {
    return Object()
        .add("nse", number(f.nse))
        .add("kge", number(f.kge))
        .add("r", number(f.r))
        .add("alpha", number(f.alpha))
        .add("beta", number(f.beta))
        .add("log_nse", number(f.logNse))
        .add("pbias", number(f.pbias))
        .add("rmse", number(f.rmse))
        .add("days", std::to_string(f.days))
        .str();
}

std::string closureJson(const Closure& c) {
    return Object()
        .add("rain", number(c.rain))
        .add("interception", number(c.interception))
        .add("transpiration", number(c.transpiration))
        .add("quickflow", number(c.quickflow))
        .add("baseflow", number(c.baseflow))
        .add("storage_change", number(c.storageChange))
        .add("residual", number(c.residual))
        .str();
}

std::string durationJson(const DurationFigures& q) {
    Object o;
    for (std::size_t i = 0; i < q.size(); ++i) o.add("q" + format("%.0f", kSummaryPercents[i]), number(q[i]));
    return o.str();
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
    Object closure;
    closure.add("catchment", closureJson(s.closure.catchment));
    for (int a = 1; a <= kSubAreas; ++a)
        if (const auto& c = s.closure.subArea[std::size_t(a)]) closure.add("A" + std::to_string(a), closureJson(*c));
    const std::string none = "null";
    return Object()
               .add("period", Object()
                                  .add("first", quoted(s.first))
                                  .add("last", quoted(s.last))
                                  .add("days", std::to_string(s.days))
                                  .add("years", number(s.years))
                                  .str())
               .add("catchment", Object()
                                     .add("area_ha", number(s.totalArea))
                                     .add("sub_areas", std::to_string(s.subAreas))
                                     .str())
               .add("mean_annual", Object()
                                       .add("rainfall", number(s.rainfall))
                                       .add("reference_evapotranspiration", number(s.etref))
                                       .add("actual_evapotranspiration", number(s.actualEt))
                                       .add("streamflow", number(s.modelled))
                                       .add("measured_streamflow", number(s.measured))
                                       .str())
               .add("missing_measured_days", s.measuredRead ? std::to_string(s.missingMeasuredDays) : none)
               .add("fit_window", Object()
                                      .add("first", quoted(s.fitFrom))
                                      .add("last", quoted(s.fitTo))
                                      .str())
               .add("fit", Object().add("first", s.fitFirst ? fitJson(*s.fitFirst) : none).str())
               .add("closure", closure.str())
               .add("duration", Object()
                                    .add("first", durationJson(s.durationFirst))
                                    .add("measured", s.durationMeasured ? durationJson(*s.durationMeasured) : none)
                                    .str())
               .str() +
           "\n";
}

}  // namespace tarn
