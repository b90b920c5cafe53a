// tarnflow uncertainty: the spread of every summary figure over the behavioural sets.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <thread>

#include "commands.h"
#include "model/errors.h"
#include "model/measured_days.h"
#include "run_job.h"
#include "set_options.h"
#include "workbook/atomic_file.h"

namespace tarn {

namespace {

nlohmann::json number(const std::optional<double>& x) {
    return x && std::isfinite(*x) ? nlohmann::json(*x) : nlohmann::json(nullptr);
}

std::string fixed(const std::optional<double>& x, int decimals) {
    if (!x || !std::isfinite(*x)) return "undefined";
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, *x);
    return buf;
}

std::string full(double x) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.10g", x);
    return buf;
}

struct State {
    RunJobOptions read;
    std::string etref;
    SetOptions sets;
    std::string fitWindow, bands, report;
    CLI::Option* warmUp = nullptr;
    unsigned threads = 0;
};

int runUncertainty(State& st) {
    applyEtref(st.read, st.etref);
    std::vector<NamedOutput> outputs{{"--sets", st.sets.file}};
    if (!st.bands.empty()) outputs.push_back({"--bands", st.bands});
    if (!st.report.empty()) outputs.push_back({"--report", st.report});
    checkOutputPaths(st.read.workbook, outputs);
    if (!st.read.measured && (!st.fitWindow.empty() || st.warmUp->count()))
        throw InputError(std::string(st.fitWindow.empty() ? "--warm-up" : "--fit-window") +
                         ": the fit needs the measured streamflow of column C: add --measured");
    const auto [fitFrom, fitTo] = windowDates("--fit-window", st.fitWindow.empty() ? ":" : st.fitWindow);
    const unsigned threads = st.threads ? st.threads : std::max(1u, std::thread::hardware_concurrency());

    const std::string file = st.read.workbook.string();
    auto inFile = [&](auto&& f) {
        try {
            return f();
        } catch (const InputError& e) {
            throw InputError(namingFile(file, e.what()));
        }
    };
    Project p;
    readJobInputs(p, st.read);
    inFile([&] { prepareForSets(p); });
    const BehaviouralSets sets = loadBehaviouralSets(st.sets, p);

    std::optional<DayRange> window;
    if (st.read.measured) {
        window = inFile([&] { return dayRangeOf(p, fitFrom, fitTo); });
        window->first += st.read.warmUpDays;
        if (runFit(p, slot::FirstRun, *window).days == 0)
            throw InputError(file + ": --fit-window " + (st.fitWindow.empty() ? std::string(":") : st.fitWindow) +
                             (st.read.warmUpDays ? " --warm-up " + std::to_string(st.read.warmUpDays) : std::string()) +
                             ": no day of the window has a measured streamflow");
    }

    const auto start = std::chrono::steady_clock::now();
    const SetRunner runner(p, sets.file.tuned, window);
    const std::vector<SetFigures> figures = runSets(runner, sets.file, sets.selection, file, threads);
    std::optional<DailyBands> bands;
    if (!st.bands.empty()) bands = dailyBands(runner, sets.values, sets.selection.weights, threads);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const std::vector<SetFigure> list = setFigureList(window.has_value());
    std::vector<Spread> spreads;
    for (const SetFigure& figure : list) {
        std::vector<std::optional<double>> values;
        values.reserve(figures.size());
        for (const SetFigures& f : figures) values.push_back(figure.of(f));
        spreads.push_back(spreadOf(values, sets.selection.weights));
    }
    const auto date = [&](int d) { return p.DayDate.value(d, 0); };

    // Files.
    if (bands) {
        std::string text = "date,q05_mm_per_day,q50_mm_per_day,q95_mm_per_day,best_mm_per_day,measured_mm_per_day\n";
        const double* measured = p.Balance.series(slot::FirstRun, qty::Measured);
        for (int d = 1; d <= p.NumDays; ++d) {
            const auto i = std::size_t(d - 1);
            text += date(d) + "," + full(bands->q05[i]) + "," + full(bands->q50[i]) + "," + full(bands->q95[i]) + "," +
                    full(bands->first[i]) + "," +
                    (st.read.measured && !measuredMissing(p, d) ? full(measured[d]) : std::string()) + "\n";
        }
        writeBytesAtomically(st.bands, text);
    }
    const SetRow& best = sets.file.rows[sets.selection.rows.front()];
    if (!st.report.empty()) {
        nlohmann::json params = nlohmann::json::object();
        for (std::size_t i = 0; i < sets.file.tuned.size(); ++i) params[sets.file.tuned[i].text] = best.x[i];
        nlohmann::json figureJson = nlohmann::json::object();
        for (std::size_t i = 0; i < list.size(); ++i)
            figureJson[list[i].key] = {{"q05", number(spreads[i].q05)}, {"q50", number(spreads[i].q50)},
                                       {"q95", number(spreads[i].q95)}, {"best", number(spreads[i].best)}};
        const nlohmann::json j = {
            {"workbook", file},
            {"period", {{"first", date(1)}, {"last", date(p.NumDays)}}},
            {"sets",
             {{"file", sets.file.path.string()},
              {"rows", sets.file.rows.size()},
              {"with_objective", sets.selection.candidates},
              {"behavioural", sets.selection.rows.size()},
              {"objective", sets.file.objective},
              {"threshold", number(sets.rule.threshold)},
              {"top", sets.rule.top ? nlohmann::json(*sets.rule.top) : nlohmann::json(nullptr)},
              {"weights", sets.rule.weighting == Weighting::Likelihood ? "likelihood" : "equal"},
              {"best", {{"line", best.line}, {"objective", number(best.objective)}, {"params", params}}}}},
            {"rainfall_mm", runner.rainfall()},
            {"figures", figureJson},
            {"fit_window", window ? nlohmann::json({{"first", date(window->first)}, {"last", date(window->last)}})
                                  : nlohmann::json(nullptr)},
            {"warm_up", st.read.warmUpDays},
            {"bands", st.bands.empty() ? nlohmann::json(nullptr) : nlohmann::json(st.bands)},
            {"threads", threads},
            {"seconds", seconds},
        };
        writeBytesAtomically(st.report, j.dump(2) + "\n");
    }

    // The table.
    std::printf("TARNFLOW uncertainty of %s\n", file.c_str());
    std::printf("Sets:          %s: %s\n", sets.file.path.string().c_str(), selectionText(sets).c_str());
    std::printf("Period:        %s to %s; mean per year\n", date(1).c_str(), date(p.NumDays).c_str());
    if (window)
        std::printf("Fit window:    %s to %s%s\n", date(window->first).c_str(), date(window->last).c_str(),
                    st.read.warmUpDays ? (" (after a warm-up of " + std::to_string(st.read.warmUpDays) + " days)").c_str() : "");
    std::printf("Runs:          %zu sets on %u thread%s, %.2f s\n\n", figures.size(), threads, threads == 1 ? "" : "s",
                seconds);
    std::printf("  %-34s %10s %10s %10s %10s\n", "figure", "5 %", "50 %", "95 %", "best set");
    std::printf("  %-34s %10.1f %10s %10s %10s\n", "rainfall (fixed), mm", runner.rainfall(), "", "", "");
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string label = std::string(list[i].label) + (*list[i].unit ? std::string(", ") + list[i].unit : "");
        const Spread& s = spreads[i];
        const int k = list[i].decimals;
        std::printf("  %-34s %10s %10s %10s %10s\n", label.c_str(), fixed(s.q05, k).c_str(), fixed(s.q50, k).c_str(),
                    fixed(s.q95, k).c_str(), fixed(s.best, k).c_str());
    }
    if (!st.bands.empty()) std::printf("\nBands:         %s\n", st.bands.c_str());
    if (!st.report.empty()) std::printf("%sReport:        %s\n", st.bands.empty() ? "\n" : "", st.report.c_str());
    return 0;
}

}  // namespace

Command addUncertaintyCommand(CLI::App& app) {
    auto st = std::make_shared<State>();
    CLI::App* c = app.add_subcommand("uncertainty", "The 5, 50 and 95 % quantiles of every summary figure over the "
                                                    "behavioural parameter sets, and the daily bands of the streamflow");
    c->add_option("WORKBOOK", st->read.workbook, "the project's input workbook (.xlsx or .xls)")->required();
    addReadOptions(*c, st->read, st->etref);
    addSetOptions(*c, st->sets, true);
    c->add_option("--fit-window", st->fitWindow, "the fit figures over FROM:TO only (dates; either may be left out)");
    st->warmUp = c->add_option("--warm-up", st->read.warmUpDays, "leave the first DAYS days of the fit window out of the fit")
                     ->check(CLI::NonNegativeNumber);
    c->add_option("--bands", st->bands, "write the daily 5, 50 and 95 % discharge (mm/day) to FILE (CSV)");
    c->add_option("--report", st->report, "write the result as JSON to FILE");
    c->add_option("--threads", st->threads, "sets run at once (default: every core)")->check(CLI::PositiveNumber);
    return {c, [st]() -> int { return runUncertainty(*st); }};
}

}  // namespace tarn
