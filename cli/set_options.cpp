#include "set_options.h"

#include <cstdio>

#include "model/errors.h"

namespace tarn {

CLI::Option* addSetOptions(CLI::App& c, SetOptions& o, bool required) {
    CLI::Option* sets = c.add_option("--sets", o.file,
                                     "parameter sets: a trace of tarnflow calibrate --trace, or a CSV of the same columns");
    if (required) sets->required();
    o.behaviouralOption = c.add_option("--behavioural", o.behavioural, "keep the sets whose objective is at least T");
    o.topOption = c.add_option("--top", o.top, "keep the N best sets (after --behavioural)")->check(CLI::PositiveNumber);
    c.add_option("--weights", o.weights, "equal, or likelihood: proportional to the objective above --behavioural")
        ->default_str("equal");
    return sets;
}

void checkSetOptionsHaveFile(const SetOptions& o) {
    if (!o.file.empty()) return;
    const char* option = o.behaviouralOption && o.behaviouralOption->count() ? "--behavioural"
                         : o.topOption && o.topOption->count()               ? "--top"
                         : o.weights != "equal"                               ? "--weights"
                                                                              : nullptr;
    if (option) throw InputError(std::string(option) + ": chooses among parameter sets: add --sets FILE");
}

BehaviouralSets loadBehaviouralSets(const SetOptions& o, const Project& project) {
    BehaviouralSets b;
    if (o.weights == "likelihood")
        b.rule.weighting = Weighting::Likelihood;
    else if (o.weights != "equal")
        throw InputError("--weights " + o.weights + ": give equal or likelihood");
    if (o.behaviouralOption && o.behaviouralOption->count()) b.rule.threshold = o.behavioural;
    if (o.topOption && o.topOption->count()) b.rule.top = o.top;
    b.file = readSetFile(o.file);
    checkSetParams(b.file, project);
    b.selection = selectBehavioural(b.file, b.rule);
    b.values = selectedValues(b.file, b.selection);
    return b;
}

std::string selectionText(const BehaviouralSets& b) {
    char buf[256];
    std::string rule;
    if (b.rule.threshold) {
        std::snprintf(buf, sizeof buf, "%s >= %g", b.file.objective.c_str(), *b.rule.threshold);
        rule = buf;
    }
    if (b.rule.top) rule += (rule.empty() ? "" : ", ") + std::string("top ") + std::to_string(*b.rule.top);
    const SetRow& best = b.file.rows[b.selection.rows.front()];
    std::snprintf(buf, sizeof buf, "%zu of %zu sets behavioural%s, %s weights; best %s %.4f (line %d)",
                  b.selection.rows.size(), b.file.rows.size(), rule.empty() ? "" : (" (" + rule + ")").c_str(),
                  b.rule.weighting == Weighting::Likelihood ? "likelihood" : "equal", b.file.objective.c_str(),
                  *best.objective, best.line);
    return buf;
}

std::vector<SetFigure> setFigureList(bool fit) {
    std::vector<SetFigure> list{
        {"actual_et_mm", "actual evapotranspiration", "mm", 1, [](const SetFigures& f) { return std::optional(f.actualEt); }},
        {"streamflow_mm", "modelled streamflow", "mm", 1, [](const SetFigures& f) { return std::optional(f.streamflow); }},
        {"low_flow_7day_mm_per_day", "7-day low flow", "mm/day", 4, [](const SetFigures& f) { return f.lowFlow; }},
        {"q5_mm_per_day", "Q5", "mm/day", 4, [](const SetFigures& f) { return f.q5; }},
        {"q50_mm_per_day", "Q50", "mm/day", 4, [](const SetFigures& f) { return f.q50; }},
        {"q95_mm_per_day", "Q95", "mm/day", 4, [](const SetFigures& f) { return f.q95; }},
    };
    if (!fit) return list;
    auto of = [](std::optional<double> FitFigures::*member) {
        return [member](const SetFigures& f) { return f.fit ? (*f.fit).*member : std::nullopt; };
    };
    list.push_back({"nse", "NSE", "", 3, of(&FitFigures::nse)});
    list.push_back({"kge", "KGE", "", 3, of(&FitFigures::kge)});
    list.push_back({"r", "r", "", 3, of(&FitFigures::r)});
    list.push_back({"alpha", "alpha", "", 3, of(&FitFigures::alpha)});
    list.push_back({"beta", "beta", "", 3, of(&FitFigures::beta)});
    list.push_back({"log_nse", "log-NSE", "", 3, of(&FitFigures::logNse)});
    list.push_back({"pbias", "PBIAS", "%", 1, of(&FitFigures::pbias)});
    list.push_back({"rmse", "RMSE", "mm/day", 3, of(&FitFigures::rmse)});
    return list;
}

}  // namespace tarn
