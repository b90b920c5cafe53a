#pragma once
// The subcommands of `tarnflow`. Each adds its options to the application and returns what
// runs it once the command line has been parsed; main is the one error boundary.
#include <CLI/CLI.hpp>
#include <functional>
#include <string>
#include <utility>

namespace tarn {

struct Command {
    CLI::App* app = nullptr;
    std::function<int()> run;  // exit status
};

struct RunJobOptions;

// The options of every command that runs a workbook: --etref daily|monthly and --measured.
// `etref` receives the text; apply it with applyEtref once parsed.
void addReadOptions(CLI::App& command, RunJobOptions& options, std::string& etref);
void applyEtref(RunJobOptions& options, const std::string& etref);

// FROM:TO of a window option such as --fit-window; either date may be left out. Throws
// InputError naming the option.
std::pair<std::string, std::string> windowDates(const std::string& option, const std::string& text);

Command addRunCommand(CLI::App& app);       // tarnflow run
Command addDurationCommand(CLI::App& app);  // tarnflow duration
Command addCompareCommand(CLI::App& app);   // tarnflow compare
Command addNewCommand(CLI::App& app);       // tarnflow new
Command addCalibrateCommand(CLI::App& app); // tarnflow calibrate
Command addUncertaintyCommand(CLI::App& app); // tarnflow uncertainty
Command addSensitivityCommand(CLI::App& app); // tarnflow sensitivity

}  // namespace tarn
