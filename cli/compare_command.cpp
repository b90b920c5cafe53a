// tarnflow compare (being built).
#include "commands.h"

namespace tarn {

Command addCompareCommand(CLI::App& app) {
    CLI::App* command = app.add_subcommand("compare", "(being built)");
    return {command, [] { return 2; }};
}

}  // namespace tarn
