#include "output/fit_panel.h"

#include <algorithm>

#include "analysis/duration.h"
#include "model/errors.h"
#include "model/measured_days.h"

namespace tarn {

namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool firstRunMade(const Project& p) { return p.RunDone == 1 && p.NumDays >= 1; }

}  // namespace

FitDates fitDates(const Project& p) {
    if (p.NumDays < 1) return {};
    return {p.DayDate(1, 0), p.DayDate(p.NumDays, 0)};
}

FitWindow fitWindow(const Project& p, const std::string& fromText, const std::string& toText) {
    const std::string from = trimmed(fromText), to = trimmed(toText);
    FitWindow w{{true, {}, {}, 0, {}}, wholeRecord(p)};
    auto refuse = [&](std::string_view box, std::string_view focus, const InputError& e) {
        w.result = {false, std::string(box) + ": " + e.what(), std::string(focus), 1, {}};
        w.range = wholeRecord(p);
        return w;
    };
    // Each box on its own first, so that the message names the box at fault.
    try {
        dayRangeOf(p, from, "");
    } catch (const InputError& e) {
        return refuse("Fit from", "txtFitFrom", e);
    }
    try {
        dayRangeOf(p, "", to);
    } catch (const InputError& e) {
        return refuse("Fit until", "txtFitTo", e);
    }
    try {
        w.range = dayRangeOf(p, from, to);
    } catch (const InputError& e) {
        return refuse("Fit from", "txtFitFrom", e);
    }
    w.result.status = "Fit to measured streamflow from " + p.DayDate(w.range.first, 0) + " to " +
                      p.DayDate(w.range.last, 0);
    return w;
}

bool lastRunMade(const Project& p) {
    // A rerun gives every day of the catchment's last-run volumes at least 1 litre; they are
    // 0 from the reading of the record until then.
    return p.RerunFlag == 1 && firstRunMade(p) && p.FlowTable.value(FlowColumn::CatchmentLast, 1, kCatchment) > 0;
}

std::string fitLines(const FitFigures& fit) {
    std::string text = fitText(fit);
    for (std::size_t at = text.find("  "); at != std::string::npos; at = text.find("  ", at + 1))
        text.replace(at, 2, "\n");
    // KGE's parts, "(r .., alpha .., beta ..)", below it.
    if (const std::size_t at = text.find(" (r "); at != std::string::npos) text[at] = '\n';
    return text;
}

FitPanel fitPanel(const Project& p, DayRange range) {
    FitPanel panel;
    if (p.MeasFlow != 1) {
        panel.first = kNoMeasuredFlowText;
        return panel;
    }
    panel.missing = missingMeasuredText(p);
    if (!firstRunMade(p)) {
        panel.first = kNoFirstRunText;
        return panel;
    }
    panel.first = fitLines(runFit(p, slot::FirstRun, range));
    if (lastRunMade(p)) panel.last = fitLines(runFit(p, slot::LastRun, range));
    return panel;
}

void addDurationCurve(DurationCurves& out, std::string name, std::vector<double> flows, bool measured) {
    static const std::vector<double> percents = curvePercents();
    // A flow of 0 (a dry day, or a run whose stores are empty) has no place on the
    // logarithmic flow axis: such points are left out, not raised to some small flow, so the
    // curve ends where the flow reaches 0 and the title says so.
    DurationCurve c;
    c.name = std::move(name);
    c.measured = measured;
    const auto q = flowsExceeded(std::move(flows), percents);
    for (std::size_t i = 0; i < q.size(); ++i) {
        if (!q[i]) continue;
        if (*q[i] <= 0) {
            ++c.leftOut;
            continue;
        }
        c.percents.push_back(percents[i]);
        c.flows.push_back(*q[i]);
    }
    if (!c.flows.empty()) {
        const auto [lo, hi] = std::minmax_element(c.flows.begin(), c.flows.end());
        const bool none = out.maxFlow == 0;
        out.minFlow = none ? *lo : std::min(out.minFlow, *lo);
        out.maxFlow = none ? *hi : std::max(out.maxFlow, *hi);
    }
    if (c.leftOut > 0)
        out.title = "Flow duration over the whole record (flows of 0 cannot be drawn on the logarithmic axis)";
    out.curves.push_back(std::move(c));
}

DurationCurves durationCurves(const Project& p) {
    DurationCurves out;
    out.title = "Flow duration over the whole record";
    out.xTitle = "Exceedance (% of days)";
    out.yTitle = "Flow (mm/day)";
    auto add = [&](std::string name, std::vector<double> flows, bool measured) {
        addDurationCurve(out, std::move(name), std::move(flows), measured);
    };
    if (!firstRunMade(p)) return out;
    add("modelled streamflow first run", runFlows(p, slot::FirstRun), false);
    if (lastRunMade(p)) add("modelled streamflow last run", runFlows(p, slot::LastRun), false);
    if (p.MeasFlow == 1) add("measured streamflow", measuredFlows(p), true);
    return out;
}

}  // namespace tarn
