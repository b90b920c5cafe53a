// tarnflow sensitivity: which parameters an output depends on, over the bounds of --param.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <thread>

#include "commands.h"
#include "model/errors.h"
#include "run_job.h"
#include "uncertainty/parallel.h"
#include "uncertainty/sensitivity.h"
#include "uncertainty/set_run.h"
#include "workbook/atomic_file.h"

namespace tarn {

namespace {

struct State {
    RunJobOptions read;
    std::string etref;
    std::vector<std::string> params;
    std::string method = "sobol", of = "objective", objective = "kge";
    std::string fitWindow, report;
    int samples = 0;
    unsigned seed = 1, threads = 0;
    CLI::Option* warmUp = nullptr;
};

std::string setText(const std::vector<TunedParam>& tuned, std::span<const double> x) {
    std::string text;
    for (std::size_t i = 0; i < tuned.size(); ++i) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%s%s %.6g", i ? ", " : "", tuned[i].name.c_str(), x[i]);
        text += buf;
    }
    return text;
}

int runSensitivity(State& st) {
    applyEtref(st.read, st.etref);
    const std::string file = st.read.workbook.string();
    std::vector<TunedParam> tuned;
    for (const std::string& text : st.params.empty() ? defaultTunedParamTexts() : st.params)
        tuned.push_back(parseTunedParam(text));
    if (st.method != "sobol" && st.method != "morris")
        throw InputError("--method " + st.method + ": give sobol or morris");
    const bool sobol = st.method == "sobol";
    const int samples = st.samples > 0 ? st.samples : (sobol ? 1024 : 50);

    // What is analysed.
    enum class Output { Objective, Streamflow, LowFlow, Change } output;
    std::filesystem::path scenario;
    const std::string changePrefix = "change:";
    if (st.of == "objective")
        output = Output::Objective;
    else if (st.of == "streamflow")
        output = Output::Streamflow;
    else if (st.of == "low-flow")
        output = Output::LowFlow;
    else if (st.of.rfind(changePrefix, 0) == 0 && st.of.size() > changePrefix.size()) {
        output = Output::Change;
        scenario = st.of.substr(changePrefix.size());
    } else
        throw InputError("--of " + st.of + ": give objective, streamflow, low-flow or change:SCENARIO.xlsx");
    const std::vector<Objective> objectives = parseObjectives(st.objective);
    if (objectives.size() != 1) throw InputError("--objective " + st.objective + ": give one objective");
    if (output == Output::Objective && !st.read.measured)
        throw InputError("--of objective: the objective needs the measured streamflow of column C: add --measured");
    if (!st.read.measured && (!st.fitWindow.empty() || st.warmUp->count()))
        throw InputError(std::string(st.fitWindow.empty() ? "--warm-up" : "--fit-window") +
                         ": the fit needs the measured streamflow of column C: add --measured");
    std::vector<NamedOutput> outputs;
    if (!st.report.empty()) outputs.push_back({"--report", st.report});
    if (output == Output::Change) outputs.push_back({"--of", scenario});
    checkOutputPaths(st.read.workbook, outputs);
    const auto [fitFrom, fitTo] = windowDates("--fit-window", st.fitWindow.empty() ? ":" : st.fitWindow);
    const unsigned threads = st.threads ? st.threads : std::max(1u, std::thread::hardware_concurrency());

    // The workbook (and the scenario), run with their own parameters.
    std::vector<std::filesystem::path> books{st.read.workbook};
    if (output == Output::Change) books.push_back(scenario);
    std::vector<Project> projects(books.size());
    for (std::size_t w = 0; w < books.size(); ++w) {
        RunJobOptions o = st.read;
        o.workbook = books[w];
        readJobInputs(projects[w], o);
        try {
            prepareForSets(projects[w]);
            checkTunedParams(tuned, projects[w]);
        } catch (const InputError& e) {
            throw InputError(namingFile(books[w].string(), e.what()));
        }
    }
    if (output == Output::Change && (projects[1].DayDate(1, 0) != projects[0].DayDate(1, 0) ||
                                     projects[1].NumDays != projects[0].NumDays))
        throw InputError(scenario.string() + " covers another period than " + file +
                         "; the workbooks of a comparison must cover the same period");
    std::optional<DayRange> window;
    if (output == Output::Objective) {
        window = dayRangeOf(projects[0], fitFrom, fitTo);
        window->first += st.read.warmUpDays;
        if (runFit(projects[0], slot::FirstRun, *window).days == 0)
            throw InputError(file + ": --fit-window " + (st.fitWindow.empty() ? std::string(":") : st.fitWindow) +
                             ": no day of the window has a measured streamflow");
    }
    std::vector<SetRunner> runners;
    for (std::size_t w = 0; w < books.size(); ++w) runners.emplace_back(projects[w], tuned, w == 0 ? window : std::nullopt);
    std::vector<std::vector<SetRunner::Workspace>> spaces(threads);
    for (auto& mine : spaces)
        for (const SetRunner& r : runners) mine.push_back(r.workspace());

    // Only what the output needs of each run.
    SetRunner::Needs needs{false, output == Output::LowFlow, false, output == Output::Objective};
    const SensitivityModel model = [&](std::span<const double> x, unsigned thread) {
        std::optional<double> y;
        try {
            const SetFigures f = runners[0].figures(x, spaces[thread][0], needs);
            switch (output) {
                case Output::Objective: y = objectiveValue(objectives[0], *f.fit); break;
                case Output::Streamflow: y = f.streamflow; break;
                case Output::LowFlow: y = f.lowFlow; break;
                case Output::Change: y = runners[1].figures(x, spaces[thread][1], needs).streamflow - f.streamflow; break;
            }
        } catch (const InputError& e) {
            throw InputError("the set " + setText(tuned, x) + " within the --param bounds cannot be run (" + e.what() +
                             "); narrow the bounds");
        }
        if (!y || !std::isfinite(*y))
            throw InputError("--of " + st.of + " is undefined for the set " + setText(tuned, x) + "; narrow the --param bounds");
        return *y;
    };
    std::vector<Bounds> bounds;
    for (const TunedParam& s : tuned) bounds.push_back({s.lo, s.hi});

    const auto start = std::chrono::steady_clock::now();
    std::vector<SobolIndex> sobolResult;
    std::vector<MorrisIndex> morrisResult;
    long runs = 0;
    if (sobol) {
        SobolOptions o;
        o.samples = samples;
        o.seed = st.seed;
        o.threads = threads;
        sobolResult = sobolIndices(model, bounds, o);
        runs = long(samples) * long(tuned.size() + 2);
    } else {
        MorrisOptions o;
        o.trajectories = samples;
        o.seed = st.seed;
        o.threads = threads;
        morrisResult = morrisIndices(model, bounds, o);
        runs = long(samples) * long(tuned.size() + 1);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const std::string what = output == Output::Objective ? st.objective
                             : output == Output::Streamflow ? "mean annual streamflow (mm)"
                             : output == Output::LowFlow    ? "mean seven-day low flow of the water years (mm/day)"
                                                            : "change of mean annual streamflow (mm) in " + scenario.filename().string();

    if (!st.report.empty()) {
        nlohmann::json rows = nlohmann::json::array();
        for (std::size_t i = 0; i < tuned.size(); ++i) {
            nlohmann::json r = {{"spec", tuned[i].text}};
            if (sobol) {
                const SobolIndex& s = sobolResult[i];
                r["first"] = s.first;
                r["first_interval"] = {s.firstLo, s.firstHi};
                r["total"] = s.total;
                r["total_interval"] = {s.totalLo, s.totalHi};
            } else {
                r["mu_star"] = morrisResult[i].muStar;
                r["mu"] = morrisResult[i].mu;
                r["sigma"] = morrisResult[i].sigma;
            }
            rows.push_back(r);
        }
        const nlohmann::json j = {{"workbook", file}, {"method", st.method}, {"of", st.of},
                                  {"objective", output == Output::Objective ? nlohmann::json(st.objective) : nlohmann::json(nullptr)},
                                  {"samples", samples}, {"runs", runs}, {"seed", st.seed}, {"threads", threads},
                                  {"seconds", seconds}, {"confidence", sobol ? nlohmann::json(0.95) : nlohmann::json(nullptr)},
                                  {"params", rows}};
        writeBytesAtomically(st.report, j.dump(2) + "\n");
    }

    std::printf("TARNFLOW sensitivity of %s\n", file.c_str());
    std::printf("Output:        %s\n", what.c_str());
    if (sobol)
        std::printf("Method:        Sobol indices (Saltelli's sampling, Jansen's estimators), %d base samples, %ld runs, "
                    "95 %% bootstrap intervals, %u thread%s, %.2f s\n\n",
                    samples, runs, threads, threads == 1 ? "" : "s", seconds);
    else
        std::printf("Method:        Morris elementary effects, %d trajectories, %ld runs, %u thread%s, %.2f s\n"
                    "               (per whole range of each parameter)\n\n",
                    samples, runs, threads, threads == 1 ? "" : "s", seconds);
    if (sobol) {
        std::printf("  %-18s %8s %20s %8s %20s\n", "parameter", "first", "interval", "total", "interval");
        for (std::size_t i = 0; i < tuned.size(); ++i) {
            const SobolIndex& s = sobolResult[i];
            char a[48], b[48];
            std::snprintf(a, sizeof a, "%.3f to %.3f", s.firstLo, s.firstHi);
            std::snprintf(b, sizeof b, "%.3f to %.3f", s.totalLo, s.totalHi);
            std::printf("  %-18s %8.3f %20s %8.3f %20s\n", tuned[i].text.c_str(), s.first, a, s.total, b);
        }
    } else {
        std::printf("  %-18s %12s %12s %12s\n", "parameter", "mu*", "mu", "sigma");
        for (std::size_t i = 0; i < tuned.size(); ++i)
            std::printf("  %-18s %12.5g %12.5g %12.5g\n", tuned[i].text.c_str(), morrisResult[i].muStar,
                        morrisResult[i].mu, morrisResult[i].sigma);
    }
    if (!st.report.empty()) std::printf("\nReport:        %s\n", st.report.c_str());
    return 0;
}

}  // namespace

Command addSensitivityCommand(CLI::App& app) {
    auto st = std::make_shared<State>();
    CLI::App* c = app.add_subcommand("sensitivity", "Which parameters an output depends on over their bounds: Sobol "
                                                    "indices or Morris elementary effects");
    c->add_option("WORKBOOK", st->read.workbook, "the project's input workbook (.xlsx or .xls)")->required();
    addReadOptions(*c, st->read, st->etref);
    c->add_option("--param", st->params,
                  "a parameter and its bounds, as for tarnflow calibrate (default: bfi=0.05:0.95 k=0.8:0.999 "
                  "taw*=0.25:4 kc*=0.7:1.3)");
    c->add_option("--method", st->method, "sobol or morris")->default_str("sobol");
    c->add_option("--samples", st->samples, "Sobol: base samples N, N (k + 2) runs (default 1024); Morris: trajectories "
                                            "r, r (k + 1) runs (default 50)")
        ->check(CLI::PositiveNumber);
    c->add_option("--of", st->of, "objective, streamflow, low-flow or change:SCENARIO.xlsx (the change of streamflow "
                                  "in the scenario)")
        ->default_str("objective");
    c->add_option("--objective", st->objective, "kge, nse, log-nse or kge+log-nse")->default_str("kge");
    c->add_option("--fit-window", st->fitWindow, "the objective over FROM:TO only (dates; either may be left out)");
    st->warmUp = c->add_option("--warm-up", st->read.warmUpDays, "leave the first DAYS days of the fit window out of the fit")
                     ->check(CLI::NonNegativeNumber);
    c->add_option("--seed", st->seed, "seed of the bootstrap (Sobol) or of the trajectories' order (Morris)")->default_str("1");
    c->add_option("--threads", st->threads, "runs at once (default: every core)")->check(CLI::PositiveNumber);
    c->add_option("--report", st->report, "write the indices as JSON to FILE");
    return {c, [st]() -> int { return runSensitivity(*st); }};
}

}  // namespace tarn
