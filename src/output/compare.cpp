#include "compare.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <exception>
#include <thread>
#include <utility>

#include "analysis/duration.h"
#include "model/errors.h"

namespace tarn {

namespace {

// Thousand m3 of `mm` over `ha`: 1 mm on 1 ha is 10 m3.
double thousandM3(double mm, double ha) { return mm * ha / 100; }

std::string number(double x, int decimals) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, x);
    return buf;
}

std::string optionalNumber(const std::optional<double>& x, int decimals) {
    return x && std::isfinite(*x) ? number(*x, decimals) : "";
}

double volumeOf(const ScenarioFigures& r, int s) { return r.subAreaVolume[std::size_t(s)].value_or(0.0); }

std::vector<std::string> header(bool fit) {
    std::vector<std::string> h{"workbook",
                               "first",
                               "last",
                               "rainfall_mm",
                               "actual_et_mm",
                               "streamflow_mm",
                               "rainfall_1000m3",
                               "actual_et_1000m3",
                               "streamflow_1000m3",
                               "streamflow_change_mm",
                               "streamflow_change_percent",
                               "low_flow_7day_mm_per_day",
                               "q95_mm_per_day"};
    if (fit)
        for (const char* f : {"nse", "kge", "r", "alpha", "beta", "log_nse", "pbias", "rmse", "fit_days"}) h.push_back(f);
    return h;
}

std::vector<std::string> cells(const ScenarioFigures& r, const ScenarioFigures& base, bool fit) {
    const double change = r.streamflow - base.streamflow;
    std::vector<std::string> c{r.workbook.string(),
                               r.first,
                               r.last,
                               number(r.rainfall, 1),
                               number(r.actualEt, 1),
                               number(r.streamflow, 1),
                               number(thousandM3(r.rainfall, r.area), 1),
                               number(thousandM3(r.actualEt, r.area), 1),
                               number(thousandM3(r.streamflow, r.area), 1),
                               number(change, 1),
                               base.streamflow != 0 ? number(100 * change / base.streamflow, 2) : "",
                               r.lowFlowYears > 0 ? number(r.lowFlow, 4) : "",
                               optionalNumber(r.q95, 4)};
    if (fit) {
        const FitFigures f = r.fit.value_or(FitFigures{});
        for (const auto& x : {f.nse, f.kge, f.r, f.alpha, f.beta, f.logNse, f.pbias, f.rmse}) c.push_back(optionalNumber(x, 3));
        c.push_back(std::to_string(f.days));
    }
    return c;
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char ch : text) out += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return out + "\"";
}

}  // namespace

std::vector<int> subAreasOf(const std::vector<ScenarioFigures>& rows) {
    std::vector<int> used;
    for (int s = 1; s <= kSubAreas; ++s)
        for (const ScenarioFigures& r : rows)
            if (r.subAreaVolume[std::size_t(s)]) {
                used.push_back(s);
                break;
            }
    return used;
}

ScenarioFigures scenarioFigures(const Project& p, const std::filesystem::path& workbook, bool measured,
                                bool keepFlows) {
    ScenarioFigures f;
    f.workbook = workbook;
    const int n = p.NumDays;
    if (n < 1) return f;
    const double years = n / 365.25;
    f.first = p.DayDate(1, 0);
    f.last = p.DayDate(n, 0);
    f.area = p.TotalArea.numberOr0();
    const double* rain = p.Balance.series(slot::FirstRun, qty::P);
    const double* ei = p.Balance.series(slot::FirstRun, qty::Ei);
    const double* ta = p.Balance.series(slot::FirstRun, qty::Ta);
    const double* q = p.Balance.series(slot::FirstRun, qty::Q);
    for (int d = 1; d <= n; ++d) {
        f.rainfall += rain[d];
        f.actualEt += ei[d] + ta[d];
        f.streamflow += q[d];
    }
    f.rainfall /= years;
    f.actualEt /= years;
    f.streamflow /= years;

    // The seven-day minima of the water years are discharges in m3/day over the catchment.
    const int waterYears = p.MinYearsOf[std::size_t(YearType::Water)];
    double sum = 0;
    for (int i = 1; i <= waterYears; ++i) {
        if (p.MinDateFirst.value(YearType::Water, i).empty()) continue;
        sum += p.MinFlowFirst.value(YearType::Water, i) / (f.area * 10);
        ++f.lowFlowYears;
    }
    if (f.lowFlowYears > 0) f.lowFlow = sum / f.lowFlowYears;

    const std::array<double, 1> q95{95};
    std::vector<double> flows = runFlows(p, slot::FirstRun);
    if (keepFlows) f.flows = flows;
    f.q95 = flowsExceeded(std::move(flows), q95)[0];
    if (measured) f.fit = runFit(p, slot::FirstRun, wholeRecord(p));
    for (int s = 1; s <= kSubAreas; ++s) {
        if (p.SubArea[std::size_t(s)].numberOr0() <= 0) continue;
        const double* litres = p.FlowTable.series(FlowColumn::SubAreaFirst, s);
        double total = 0;
        for (int d = 1; d <= n; ++d) total += litres[d];
        f.subAreaVolume[std::size_t(s)] = total / 1e6 / years;
    }
    return f;
}

std::vector<ScenarioFigures> runScenarios(const std::vector<std::filesystem::path>& workbooks,
                                          const ScenarioRun& run, unsigned threads,
                                          const ScenarioProgress& progress, const std::atomic<bool>* stop) {
    const std::size_t n = workbooks.size();
    std::vector<ScenarioFigures> figures(n);
    std::vector<std::exception_ptr> failures(n);
    std::atomic<std::size_t> next{0}, done{0};
    std::atomic<bool> stopped{false};
    auto work = [&] {
        for (std::size_t i = next++; i < n; i = next++) {
            if (stop && stop->load()) {
                stopped = true;
                return;
            }
            try {
                figures[i] = run(workbooks[i]);
            } catch (...) {
                failures[i] = std::current_exception();
            }
            if (progress) progress(++done, n);
        }
    };
    std::vector<std::thread> pool;
    const unsigned count = std::max(1u, std::min<unsigned>(threads, unsigned(n)));
    for (unsigned t = 1; t < count; ++t) pool.emplace_back(work);
    work();
    for (std::thread& t : pool) t.join();
    if (stopped) throw ComparisonStopped{};
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);

    for (std::size_t i = 1; i < n; ++i) {
        const ScenarioFigures& base = figures[0];
        const ScenarioFigures& r = figures[i];
        if (r.first != base.first || r.last != base.last)
            throw InputError(r.workbook.string() + " covers " + r.first + " to " + r.last + " but " +
                             base.workbook.string() + " covers " + base.first + " to " + base.last +
                             "; the workbooks of a comparison must cover the same period");
    }
    return figures;
}

CompareTable compareFigures(const std::vector<ScenarioFigures>& rows) {
    CompareTable t;
    if (rows.empty()) return t;
    const bool fit = rows[0].fit.has_value();
    t.header = header(fit);
    for (const ScenarioFigures& r : rows) t.rows.push_back(cells(r, rows[0], fit));
    return t;
}

CompareTable compareSubAreas(const std::vector<ScenarioFigures>& rows) {
    CompareTable t;
    if (rows.empty()) return t;
    const std::vector<int> subAreas = subAreasOf(rows);
    t.header.push_back("workbook");
    for (int s : subAreas) t.header.push_back("A" + std::to_string(s) + "_volume_change_1000m3");
    for (const ScenarioFigures& r : rows) {
        std::vector<std::string> c{r.workbook.string()};
        for (int s : subAreas) c.push_back(number(volumeOf(r, s) - volumeOf(rows[0], s), 1));
        t.rows.push_back(std::move(c));
    }
    return t;
}

std::string compareCsv(const std::vector<ScenarioFigures>& rows) {
    if (rows.empty()) return {};
    const CompareTable figures = compareFigures(rows), subAreas = compareSubAreas(rows);
    std::string out;
    // The sub-area table's first column is the workbook again.
    auto line = [&](const std::vector<std::string>& fields, const std::vector<std::string>& more) {
        for (std::size_t i = 0; i < fields.size(); ++i) out += (i ? "," : "") + csvField(fields[i]);
        for (std::size_t i = 1; i < more.size(); ++i) out += "," + csvField(more[i]);
        out += '\n';
    };
    line(figures.header, subAreas.header);
    for (std::size_t r = 0; r < rows.size(); ++r) line(figures.rows[r], subAreas.rows[r]);
    return out;
}

std::string compareText(const std::vector<ScenarioFigures>& rows) {
    if (rows.empty()) return {};
    // The name column fits the longest file name, up to 40 characters.
    int width = 8;
    for (const ScenarioFigures& r : rows) width = std::max(width, int(r.workbook.filename().string().size()));
    width = std::min(width, 40);
    auto nameOf = [&](const ScenarioFigures& r) {
        std::string name = r.workbook.filename().string();
        if (int(name.size()) > width) name = name.substr(0, std::size_t(width) - 3) + "...";
        return name;
    };
    const ScenarioFigures& base = rows[0];
    const bool fit = base.fit.has_value();
    std::string out = "Period " + base.first + " to " + base.last + "; mean per year, first run; changes against " +
                      base.workbook.filename().string() + "\n\n";
    char buf[512];
    std::snprintf(buf, sizeof buf, "%-*s %8s %8s %8s %11s %9s %8s %10s %9s%s\n", width, "workbook", "rain", "AET", "flow",
                  "flow", "change", "change", "7-day low", "Q95", fit ? "      NSE      KGE  PBIAS %" : "");
    out += buf;
    std::snprintf(buf, sizeof buf, "%-*s %8s %8s %8s %11s %9s %8s %10s %9s\n", width, "", "mm", "mm", "mm", "1000 m3",
                  "mm", "%", "mm/day", "mm/day");
    out += buf;
    for (const ScenarioFigures& r : rows) {
        const double change = r.streamflow - base.streamflow;
        std::snprintf(buf, sizeof buf, "%-*s %8.1f %8.1f %8.1f %11.1f %+9.1f %+8.2f %10s %9s", width, nameOf(r).c_str(),
                      r.rainfall, r.actualEt, r.streamflow, thousandM3(r.streamflow, r.area), change,
                      base.streamflow != 0 ? 100 * change / base.streamflow : 0.0,
                      r.lowFlowYears > 0 ? number(r.lowFlow, 4).c_str() : "none", optionalNumber(r.q95, 4).c_str());
        out += buf;
        if (fit && r.fit) {
            auto figure = [](const std::optional<double>& x, int decimals) {
                return x ? number(*x, decimals) : std::string("undef.");
            };
            std::snprintf(buf, sizeof buf, " %8s %8s %8s", figure(r.fit->nse, 3).c_str(), figure(r.fit->kge, 3).c_str(),
                          figure(r.fit->pbias, 1).c_str());
            out += buf;
        }
        out += '\n';
    }
    const std::vector<int> subAreas = subAreasOf(rows);
    out += "\nChange of each sub-area's mean annual volume against the base, 1000 m3\n";
    std::snprintf(buf, sizeof buf, "%-*s", width, "workbook");
    out += buf;
    for (int s : subAreas) {
        std::snprintf(buf, sizeof buf, " %9s", ("A" + std::to_string(s)).c_str());
        out += buf;
    }
    out += '\n';
    for (const ScenarioFigures& r : rows) {
        std::snprintf(buf, sizeof buf, "%-*s", width, nameOf(r).c_str());
        out += buf;
        for (int s : subAreas) {
            std::snprintf(buf, sizeof buf, " %+9.1f", volumeOf(r, s) - volumeOf(base, s));
            out += buf;
        }
        out += '\n';
    }
    return out;
}

ChartData compareAnnualChart(const std::vector<ScenarioFigures>& rows) {
    ChartData chart;
    chart.names = {"Mean annual streamflow (mm)"};
    chart.columns.resize(1);
    for (const ScenarioFigures& r : rows) {
        chart.labels.push_back(r.workbook.stem().string());
        chart.columns[0].push_back(r.streamflow);
    }
    return chart;
}

DurationCurves compareDurationCurves(const std::vector<ScenarioFigures>& rows) {
    DurationCurves out;
    out.title = "Flow duration of each workbook's first run";
    out.xTitle = "Exceedance (% of days)";
    out.yTitle = "Flow (mm/day)";
    for (const ScenarioFigures& r : rows)
        if (!r.flows.empty()) addDurationCurve(out, r.workbook.stem().string(), r.flows, false);
    return out;
}

}  // namespace tarn
