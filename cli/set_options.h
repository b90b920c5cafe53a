#pragma once
// The options that choose behavioural sets (--sets, --behavioural, --top, --weights), shared
// by the commands that run parameter sets, and the figures they report for each set.
#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <string>

#include "uncertainty/set_run.h"
#include "uncertainty/sets.h"

namespace tarn {

struct SetOptions {
    std::string file;
    double behavioural = 0;
    int top = 0;
    std::string weights = "equal";
    CLI::Option* behaviouralOption = nullptr;
    CLI::Option* topOption = nullptr;
};

// Adds the options; `required` makes --sets required.
CLI::Option* addSetOptions(CLI::App& command, SetOptions& options, bool required);

// Refuses --behavioural, --top or --weights without --sets.
void checkSetOptionsHaveFile(const SetOptions& options);

// The sets of the file that suit `project` and the behavioural ones among them. Throws
// InputError naming the file or the option.
struct BehaviouralSets {
    SetFile file;
    Selection selection;
    std::vector<std::vector<double>> values;  // of the selected sets
    SelectionOptions rule;
};
BehaviouralSets loadBehaviouralSets(const SetOptions& options, const Project& project);

// How the sets were chosen: "254 of 1000 sets behavioural (kge >= 0.6, top 300), equal
// weights; best kge 0.8312 (line 517)".
std::string selectionText(const BehaviouralSets& sets);

// A figure of a set, by name, unit and decimals for a table.
struct SetFigure {
    const char* key;    // JSON and CSV name
    const char* label;  // table text
    const char* unit;
    int decimals;
    std::function<std::optional<double>(const SetFigures&)> of;
};

// Actual evapotranspiration, streamflow, the seven-day low flow, Q5, Q50 and Q95, and with
// `fit` the fit figures.
std::vector<SetFigure> setFigureList(bool fit);

}  // namespace tarn
