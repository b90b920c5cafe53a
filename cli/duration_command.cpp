// tarnflow duration (being built).
#include "commands.h"

namespace tarn {

Command addDurationCommand(CLI::App& app) {
    CLI::App* command = app.add_subcommand("duration", "(being built)");
    return {command, [] { return 2; }};
}

}  // namespace tarn
