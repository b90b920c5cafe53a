#include "compare_sets.h"

#include <cmath>
#include <cstdio>

#include "model/errors.h"
#include "uncertainty/parallel.h"

namespace tarn {

namespace {

std::string fixed(const std::optional<double>& x, int decimals, bool sign) {
    if (!x || !std::isfinite(*x)) return "undefined";
    char buf[48];
    std::snprintf(buf, sizeof buf, sign ? "%+.*f" : "%.*f", decimals, *x);
    return buf;
}

// "-64.2 mm (-71.0 to -52.3)"
std::string withRange(const Spread& s, int decimals, const std::string& unit) {
    return fixed(s.best, decimals, true) + " " + unit + " (" + fixed(s.q05, decimals, true) + " to " +
           fixed(s.q95, decimals, true) + ")";
}

ScenarioFigures asScenarioFigures(const SetFigures& f, const Project& p, const std::filesystem::path& workbook,
                                  double rainfall) {
    ScenarioFigures s;
    s.workbook = workbook;
    s.first = p.DayDate(1, 0);
    s.last = p.DayDate(p.NumDays, 0);
    s.area = p.TotalArea.numberOr0();
    s.rainfall = rainfall;
    s.actualEt = f.actualEt;
    s.streamflow = f.streamflow;
    s.lowFlow = f.lowFlow.value_or(0.0);
    s.lowFlowYears = f.lowFlow ? 1 : 0;
    s.q95 = f.q95;
    s.fit = f.fit;
    s.subAreaVolume = f.subAreaVolume;
    return s;
}

}  // namespace

SetComparison compareWithSets(const std::vector<std::filesystem::path>& workbooks, const RunJobOptions& options,
                              const SetOptions& setOptions, unsigned threads) {
    const std::size_t nw = workbooks.size();
    std::vector<Project> projects(nw);
    parallelFor(nw, threads, [&](std::size_t w, unsigned) {
        RunJobOptions o = options;
        o.workbook = workbooks[w];
        readJobInputs(projects[w], o);
        try {
            prepareForSets(projects[w]);
        } catch (const InputError& e) {
            throw InputError(namingFile(workbooks[w].string(), e.what()));
        }
    });
    const Project& base = projects[0];
    for (std::size_t w = 1; w < nw; ++w) {
        const Project& p = projects[w];
        const std::string first = p.DayDate(1, 0), last = p.DayDate(p.NumDays, 0);
        const std::string baseFirst = base.DayDate(1, 0), baseLast = base.DayDate(base.NumDays, 0);
        if (first != baseFirst || last != baseLast)
            throw InputError(workbooks[w].string() + " covers " + first + " to " + last + " but " + workbooks[0].string() +
                             " covers " + baseFirst + " to " + baseLast +
                             "; the workbooks of a comparison must cover the same period");
    }

    SetComparison c;
    c.sets = loadBehaviouralSets(setOptions, base);
    for (std::size_t w = 1; w < nw; ++w) checkSetParams(c.sets.file, projects[w]);
    std::vector<SetRunner> runners;
    for (std::size_t w = 0; w < nw; ++w)
        runners.emplace_back(projects[w], c.sets.file.tuned,
                             options.measured ? std::optional(wholeRecord(projects[w])) : std::nullopt);

    // figures[w][i]: workbook w with set i.
    const std::size_t ns = c.sets.selection.rows.size();
    std::vector<std::vector<SetFigures>> figures(nw, std::vector<SetFigures>(ns));
    std::vector<std::vector<SetRunner::Workspace>> spaces(std::max(1u, threads));
    parallelFor(ns, threads, [&](std::size_t i, unsigned thread) {
        auto& mine = spaces[thread];
        if (mine.empty())
            for (const SetRunner& r : runners) mine.push_back(r.workspace());
        const SetRow& row = c.sets.file.rows[c.sets.selection.rows[i]];
        for (std::size_t w = 0; w < nw; ++w) {
            try {
                figures[w][i] = runners[w].figures(row.x, mine[w]);
            } catch (const InputError& e) {
                throw InputError(workbooks[w].string() + ": the set of line " + std::to_string(row.line) + " of " +
                                 c.sets.file.path.string() + " cannot be run: " + e.what());
            }
        }
    });

    const std::span<const double> weights = c.sets.selection.weights;
    for (std::size_t w = 0; w < nw; ++w) {
        c.best.push_back(asScenarioFigures(figures[w][0], projects[w], workbooks[w], runners[w].rainfall()));
        auto change = [&](auto&& of) {
            std::vector<std::optional<double>> d(ns);
            for (std::size_t i = 0; i < ns; ++i) {
                const std::optional<double> a = of(figures[w][i]), b = of(figures[0][i]);
                if (a && b) d[i] = *a - *b;
            }
            return spreadOf(d, weights);
        };
        ScenarioChange sc;
        sc.actualEt = change([](const SetFigures& f) { return std::optional(f.actualEt); });
        sc.streamflow = change([](const SetFigures& f) { return std::optional(f.streamflow); });
        sc.lowFlow = change([](const SetFigures& f) { return f.lowFlow; });
        sc.q95 = change([](const SetFigures& f) { return f.q95; });
        for (int s = 1; s <= kSubAreas; ++s) {
            const auto z = std::size_t(s);
            // A sub-area outside one of the two workbooks has no volume there: 0.
            const bool any = figures[w][0].subAreaVolume[z] || figures[0][0].subAreaVolume[z];
            if (any)
                sc.subAreaVolume[z] = change([z](const SetFigures& f) { return std::optional(f.subAreaVolume[z].value_or(0.0)); });
        }
        c.changes.push_back(sc);
    }
    return c;
}

std::string compareSetsText(const SetComparison& c) {
    const ScenarioFigures& base = c.best[0];
    std::string out = "Period " + base.first + " to " + base.last + "; mean per year; changes against " +
                      base.workbook.filename().string() + "\n";
    out += "Sets: " + c.sets.file.path.string() + ": " + selectionText(c.sets) + "\n";
    out += "Each change is the best set's, with its 5 to 95 % range over the behavioural sets in brackets\n";
    const std::vector<int> subAreas = subAreasOf(c.best);
    char buf[256];
    auto line = [&](const std::string& label, const std::string& text) {
        std::snprintf(buf, sizeof buf, "  %-28s %s\n", label.c_str(), text.c_str());
        out += buf;
    };
    for (std::size_t w = 1; w < c.best.size(); ++w) {
        const ScenarioChange& sc = c.changes[w];
        out += "\n" + c.best[w].workbook.filename().string() + "\n";
        line("streamflow", withRange(sc.streamflow, 1, "mm"));
        line("actual evapotranspiration", withRange(sc.actualEt, 1, "mm"));
        line("7-day low flow", withRange(sc.lowFlow, 4, "mm/day"));
        line("Q95", withRange(sc.q95, 4, "mm/day"));
        for (const int s : subAreas) line("A" + std::to_string(s) + " volume", withRange(sc.subAreaVolume[std::size_t(s)], 1, "1000 m3"));
    }
    return out;
}

std::string compareSetsCsv(const SetComparison& c) {
    const std::string table = compareCsv(c.best);
    const std::vector<int> subAreas = subAreasOf(c.best);
    std::string header;
    auto names = [&](const std::string& name) {
        for (const char* q : {"_q05", "_q50", "_q95"}) header += "," + name + q;
    };
    names("streamflow_change_mm");
    names("actual_et_change_mm");
    names("low_flow_7day_change_mm_per_day");
    names("q95_change_mm_per_day");
    for (const int s : subAreas) names("A" + std::to_string(s) + "_volume_change_1000m3");

    std::string out;
    std::size_t start = 0, row = 0;
    while (start < table.size()) {
        const auto end = table.find('\n', start);
        out += table.substr(start, end - start);
        if (row == 0) {
            out += header;
        } else {
            const ScenarioChange& sc = c.changes[row - 1];
            auto cells = [&](const Spread& s, int decimals) {
                for (const auto& q : {s.q05, s.q50, s.q95}) out += "," + (q && std::isfinite(*q) ? fixed(q, decimals, false) : "");
            };
            cells(sc.streamflow, 1);
            cells(sc.actualEt, 1);
            cells(sc.lowFlow, 4);
            cells(sc.q95, 4);
            for (const int s : subAreas) cells(sc.subAreaVolume[std::size_t(s)], 1);
        }
        out += "\n";
        start = end + 1;
        ++row;
    }
    return out;
}

}  // namespace tarn
