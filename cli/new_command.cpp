// tarnflow new (being built).
#include "commands.h"

namespace tarn {

Command addNewCommand(CLI::App& app) {
    CLI::App* command = app.add_subcommand("new", "(being built)");
    return {command, [] { return 2; }};
}

}  // namespace tarn
