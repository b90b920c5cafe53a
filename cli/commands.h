#pragma once
// The subcommands of `tarnflow`. Each adds its options to the application and returns what
// runs it once the command line has been parsed; main is the one error boundary.
#include <CLI/CLI.hpp>
#include <functional>

namespace tarn {

struct Command {
    CLI::App* app = nullptr;
    std::function<int()> run;  // exit status
};

Command addRunCommand(CLI::App& app);       // tarnflow run
Command addDurationCommand(CLI::App& app);  // tarnflow duration
Command addCompareCommand(CLI::App& app);   // tarnflow compare
Command addNewCommand(CLI::App& app);       // tarnflow new

}  // namespace tarn
