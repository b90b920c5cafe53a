// tarnflow calibrate: the parameter set that fits the measured streamflow best.
#include <chrono>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <thread>

#include "analysis/fit.h"
#include "calibration/calibrated_workbook.h"
#include "calibration/search.h"
#include "commands.h"
#include "model/errors.h"
#include "model/run_model.h"
#include "run_job.h"
#include "terminal_progress.h"
#include "workbook/atomic_file.h"

namespace tarn {

std::pair<std::string, std::string> windowDates(const std::string& option, const std::string& text) {
    const auto colon = text.find(':');
    if (colon == std::string::npos)
        throw InputError(option + " " + text + ": give FROM:TO, e.g. 2001-01-01:2005-12-31");
    return {text.substr(0, colon), text.substr(colon + 1)};
}

namespace {

std::string figure(const std::optional<double>& x, const char* format = "%.6f") {
    if (!x) return "";
    char buf[64];
    std::snprintf(buf, sizeof buf, format, *x);
    return buf;
}

nlohmann::json number(const std::optional<double>& x) {
    return x && std::isfinite(*x) ? nlohmann::json(*x) : nlohmann::json(nullptr);
}

// The fit figures with the keys of the summary file's fit.
nlohmann::json fitJson(const FitFigures& f) {
    return {{"nse", number(f.nse)},     {"kge", number(f.kge)},         {"r", number(f.r)},
            {"alpha", number(f.alpha)}, {"beta", number(f.beta)},       {"log_nse", number(f.logNse)},
            {"pbias", number(f.pbias)}, {"rmse", number(f.rmse)},       {"days", f.days}};
}

const char* formName(ParamForm form) {
    switch (form) {
        case ParamForm::Value: return "value";
        case ParamForm::Factor: return "factor";
        case ParamForm::SubArea: return "sub_area";
    }
    return "";
}

// A number in full, for the files a later step reads back.
std::string exact(double x) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", x);
    return buf;
}

struct State {
    RunJobOptions read;
    std::string etref;
    std::vector<std::string> params;
    std::string objective = "kge";
    std::string fitWindow, validate, algorithm;
    long evaluations = 5000;
    unsigned seed = 1;
    int threads = 0;
    std::string out, report, trace, pareto;
};

int runCalibration(State& st) {
    applyEtref(st.read, st.etref);
    std::vector<TunedParam> tuned;
    for (const std::string& text : st.params.empty() ? defaultTunedParamTexts() : st.params)
        tuned.push_back(parseTunedParam(text));
    const std::vector<Objective> objectives = parseObjectives(st.objective);
    if (!st.pareto.empty() && objectives.size() != 2)
        throw InputError("--pareto " + st.pareto + ": needs two objectives, e.g. --objective kge,log-nse");
    if (st.evaluations < 1) throw InputError("--evaluations " + std::to_string(st.evaluations) + ": give a number above 0");
    const int threads = st.threads > 0 ? st.threads : int(std::max(1u, std::thread::hardware_concurrency()));
    const auto [fitFrom, fitTo] = windowDates("--fit-window", st.fitWindow.empty() ? ":" : st.fitWindow);
    std::optional<std::pair<std::string, std::string>> validation;
    if (!st.validate.empty()) validation = windowDates("--validate", st.validate);

    std::vector<NamedOutput> outputs;
    if (!st.out.empty()) outputs.push_back({"--out", st.out});
    if (!st.report.empty()) outputs.push_back({"--report", st.report});
    if (!st.trace.empty()) outputs.push_back({"--trace", st.trace});
    if (!st.pareto.empty()) outputs.push_back({"--pareto", st.pareto});
    checkOutputPaths(st.read.workbook, outputs);
    if (!st.read.measured)
        throw InputError("calibrate needs the measured streamflow of column C: add --measured");

    const std::string file = st.read.workbook.string();
    Project p;
    readJobInputs(p, st.read);
    auto inFile = [&](auto&& f) {
        try {
            return f();
        } catch (const InputError& e) {
            throw InputError(namingFile(file, e.what()));
        }
    };
    checkTunedParams(tuned, p);
    p.RerunFlag = 0;
    inFile([&] { RunModel(p); });  // the workbook's own parameters; refuses what cannot run

    DayRange window = inFile([&] { return dayRangeOf(p, fitFrom, fitTo); });
    window.first += st.read.warmUpDays;
    const FitFigures workbookFit = runFit(p, slot::FirstRun, window);
    if (workbookFit.days == 0)
        throw InputError(file + ": --fit-window " + (st.fitWindow.empty() ? std::string(":") : st.fitWindow) +
                         (st.read.warmUpDays ? " --warm-up " + std::to_string(st.read.warmUpDays) : std::string()) +
                         ": no day of the window has a measured streamflow");
    DayRange validationWindow;
    std::optional<FitFigures> workbookValidation;
    if (validation) {
        validationWindow = inFile([&] { return dayRangeOf(p, validation->first, validation->second); });
        workbookValidation = runFit(p, slot::FirstRun, validationWindow);
        if (workbookValidation->days == 0)
            throw InputError(file + ": --validate " + st.validate + ": no day of the window has a measured streamflow");
    }

    // The search.
    const Evaluator evaluator(p, tuned, objectives, window);
    SearchOptions so;
    so.algorithm = st.algorithm;
    so.evaluations = st.evaluations;
    so.seed = st.seed;
    so.threads = threads;
    std::string traceText;
    if (!st.trace.empty()) {
        traceText = "evaluation";
        for (const TunedParam& s : tuned) traceText += "," + s.text;
        for (const Objective o : objectives) traceText += std::string(",") + objectiveName(o);
        traceText += ",best\n";
    }
    SearchCallbacks callbacks;
    TerminalProgress progress;
    const std::string firstName = objectiveName(objectives[0]);
    callbacks.progress = [&](long done, long budget, std::optional<double> best) {
        progress("Calibrating, best " + firstName + " " + (best ? figure(best, "%.4f") : std::string("none")),
                 int(done), int(budget));
    };
    if (!st.trace.empty())
        callbacks.trace = [&](const TraceRow& row) {
            traceText += std::to_string(row.number);
            for (const double x : row.x) traceText += "," + exact(x);
            for (const auto& o : row.objectives) traceText += "," + (o ? exact(*o) : std::string());
            traceText += "," + (row.best ? exact(*row.best) : std::string()) + "\n";
        };
    const auto start = std::chrono::steady_clock::now();
    const SearchResult result = search(evaluator, so, callbacks);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    progress.finish();
    if (result.best.empty())
        throw InputError(file + ": no parameter set within the bounds could be run; widen or change the --param bounds");

    // The best set through the full run, as `tarnflow run` of the calibrated workbook sees it.
    const std::vector<Param> columns = changedColumns(tuned);
    const CatchmentSet best = asWorkbookReadsIt(applyCandidate(evaluator.base(), tuned, result.best), columns);
    Project calibrated = p;
    storeSet(best, columns, calibrated);
    inFile([&] { RunModel(calibrated); });
    const FitFigures bestFit = runFit(calibrated, slot::FirstRun, window);
    std::optional<FitFigures> bestValidation;
    if (validation) bestValidation = runFit(calibrated, slot::FirstRun, validationWindow);
    const std::optional<double> objective =
        objectives.size() == 1 ? objectiveValue(objectives[0], bestFit) : std::optional<double>();

    // Files.
    Workbook::SaveResult saved;
    if (!st.out.empty()) saved = saveCalibratedWorkbook(st.read.workbook, st.out, best, columns);
    const auto date = [&](int d) { return p.DayDate.value(d, 0); };
    if (!st.report.empty()) {
        nlohmann::json params = nlohmann::json::array();
        for (std::size_t i = 0; i < tuned.size(); ++i) {
            const TunedParam& s = tuned[i];
            params.push_back({{"spec", s.text}, {"name", s.name}, {"kind", formName(s.form)},
                              {"sub_area", s.form == ParamForm::SubArea ? nlohmann::json("A" + std::to_string(s.subArea))
                                                                         : nlohmann::json(nullptr)},
                              {"lo", s.lo}, {"hi", s.hi}, {"best", result.best[i]}});
        }
        nlohmann::json subAreas = nlohmann::json::object();
        int firstArea = 0;
        for (int s = kSubAreas; s >= 1; --s)
            if (best.sub[std::size_t(s)].inCatchment) firstArea = s;
        for (int s = 1; s <= kSubAreas; ++s) {
            const SubAreaSet& a = best.sub[std::size_t(s)];
            if (!a.inCatchment) continue;
            nlohmann::json one = nlohmann::json::object();
            for (int e = 0; e <= indexOf(para::B0) - indexOf(para::TAW); ++e)
                one[kParamNames[std::size_t(e)]] = a.value[paramAfter(para::TAW, e)];
            subAreas["A" + std::to_string(s)] = one;
        }
        nlohmann::json objectiveJson = {{"name", st.objective}};
        objectiveJson["value"] = objectives.size() == 1 ? number(objective) : nlohmann::json(result.bestObjectives);
        nlohmann::json j = {
            {"params", params},
            {"sub_areas", subAreas},
            {"bfi", best.sub[std::size_t(firstArea)].value[para::BFI]},
            {"k", best.sub[std::size_t(firstArea)].value[para::K]},
            {"objective", objectiveJson},
            {"fit",
             {{"calibration", fitJson(bestFit)},
              {"validation", bestValidation ? fitJson(*bestValidation) : nlohmann::json(nullptr)},
              {"workbook", fitJson(workbookFit)},
              {"workbook_validation", workbookValidation ? fitJson(*workbookValidation) : nlohmann::json(nullptr)}}},
            {"evaluations", result.evaluations},
            {"seconds", seconds},
            {"algorithm", result.algorithm},
            {"seed", st.seed},
            {"threads", threads},
            {"fit_window", {{"first", date(window.first)}, {"last", date(window.last)}}},
            {"validation_window", validation ? nlohmann::json({{"first", date(validationWindow.first)},
                                                                {"last", date(validationWindow.last)}})
                                             : nlohmann::json(nullptr)},
            {"warm_up", st.read.warmUpDays},
            {"stopped", result.stopped},
        };
        writeBytesAtomically(st.report, j.dump(2) + "\n");
    }
    if (!st.trace.empty()) writeBytesAtomically(st.trace, traceText);
    if (!st.pareto.empty()) {
        std::string text = "evaluation";
        for (const TunedParam& s : tuned) text += "," + s.text;
        for (const Objective o : objectives) text += std::string(",") + objectiveName(o);
        text += "\n";
        for (const ParetoPoint& pt : result.pareto) {
            text += std::to_string(pt.number);
            for (const double x : pt.x) text += "," + exact(x);
            for (const double o : pt.objectives) text += "," + exact(o);
            text += "\n";
        }
        writeBytesAtomically(st.pareto, text);
    }

    // The table.
    std::printf("TARNFLOW calibration of %s\n", file.c_str());
    std::printf("Algorithm:     %s, %ld evaluations%s, seed %u, %d thread%s, %.2f s\n", result.algorithm.c_str(),
                result.evaluations, result.stopped ? " (stopped)" : "", st.seed, threads, threads == 1 ? "" : "s", seconds);
    std::printf("Fit window:    %s to %s%s\n", date(window.first).c_str(), date(window.last).c_str(),
                st.read.warmUpDays ? (" (after a warm-up of " + std::to_string(st.read.warmUpDays) + " days)").c_str() : "");
    if (validation)
        std::printf("Validation:    %s to %s\n", date(validationWindow.first).c_str(), date(validationWindow.last).c_str());
    std::printf("\n  %-16s %12s %12s %12s   per sub-area\n", "parameter", "low", "high", "best");
    for (std::size_t i = 0; i < tuned.size(); ++i) {
        const TunedParam& s = tuned[i];
        std::string perArea;
        for (int a = 1; a <= kSubAreas; ++a) {
            const SubAreaSet& set = best.sub[std::size_t(a)];
            if (!set.inCatchment || (s.form == ParamForm::SubArea && s.subArea != a)) continue;
            perArea += "  A" + std::to_string(a) + " " + figure(set.value[s.column], "%.6g");
            if (s.column == para::BFI || s.column == para::K) break;
        }
        std::printf("  %-16s %12.6g %12.6g %12.6g %s\n", s.text.substr(0, s.text.find('=')).c_str(), s.lo, s.hi,
                    result.best[i], perArea.c_str());
    }
    if (objectives.size() == 1)
        std::printf("\nObjective:     %s %s (workbook %s)\n", st.objective.c_str(), figure(objective).c_str(),
                    figure(objectiveValue(objectives[0], workbookFit)).c_str());
    else
        std::printf("\nPareto front:  %zu sets; the one shown has the highest mean, %s %s and %s %s\n",
                    result.pareto.size(), objectiveName(objectives[0]), figure(result.bestObjectives[0]).c_str(),
                    objectiveName(objectives[1]), figure(result.bestObjectives[1]).c_str());
    std::printf("Calibration:   best set  %s\n               workbook  %s\n", fitText(bestFit).c_str(),
                fitText(workbookFit).c_str());
    if (validation)
        std::printf("Validation:    best set  %s\n               workbook  %s\n", fitText(*bestValidation).c_str(),
                    fitText(*workbookValidation).c_str());
    if (!st.out.empty()) {
        std::printf("Workbook:      %s\n", saved.path.string().c_str());
        if (!saved.note.empty()) std::printf("               %s\n", saved.note.c_str());
    }
    if (!st.report.empty()) std::printf("Report:        %s\n", st.report.c_str());
    if (!st.trace.empty()) std::printf("Trace:         %s\n", st.trace.c_str());
    if (!st.pareto.empty()) std::printf("Pareto front:  %s\n", st.pareto.c_str());
    return 0;
}

}  // namespace

Command addCalibrateCommand(CLI::App& app) {
    auto st = std::make_shared<State>();
    CLI::App* c = app.add_subcommand("calibrate", "Fit the parameters to the measured streamflow");
    c->add_option("WORKBOOK", st->read.workbook, "the project's input workbook (.xlsx or .xls)")->required();
    addReadOptions(*c, st->read, st->etref);
    c->add_option("--param", st->params,
                  "a parameter and its bounds: NAME=LO:HI (every sub-area), NAME*=LO:HI (a factor on each sub-area's "
                  "value), NAME@An=LO:HI (sub-area n); NAME one of taw raw top if kc st0 sw0 b0 bfi k. Default: "
                  "bfi=0.05:0.95 k=0.8:0.999 taw*=0.25:4 kc*=0.7:1.3");
    c->add_option("--objective", st->objective, "kge, nse, log-nse or kge+log-nse; two as kge,log-nse for a Pareto front")
        ->default_str("kge");
    c->add_option("--fit-window", st->fitWindow, "fit over FROM:TO only (dates; either may be left out)");
    c->add_option("--warm-up", st->read.warmUpDays, "leave the first DAYS days of the fit window out of the fit")
        ->check(CLI::NonNegativeNumber);
    c->add_option("--validate", st->validate, "report the fit of the best set over FROM:TO too");
    c->add_option("--algorithm", st->algorithm, "pso_gen (default, evaluates each generation in parallel), sade, cmaes, gaco; nsga2 for two objectives");
    c->add_option("--evaluations", st->evaluations, "the budget of model evaluations")->default_str("5000");
    c->add_option("--seed", st->seed, "seed of the search: the same seed gives the same result")->default_str("1");
    c->add_option("--threads", st->threads, "evaluations at once (default: every core)")->check(CLI::PositiveNumber);
    c->add_option("--out", st->out, "write a copy of the workbook with the best set to FILE");
    c->add_option("--report", st->report, "write the result as JSON to FILE");
    c->add_option("--trace", st->trace, "write every evaluation to FILE (CSV)");
    c->add_option("--pareto", st->pareto, "write the Pareto front of two objectives to FILE (CSV)");
    return {c, [st]() -> int { return runCalibration(*st); }};
}

}  // namespace tarn
