// tarnflow: the whole job without a screen.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <new>
#include <string>

#include "commands.h"
#include "model/errors.h"
#include "tarnflow/version.h"

int main(int argc, char** argv) {
    CLI::App app{"TARNFLOW: daily water balance of a catchment's sub-areas, and how a change of land use "
                 "alters its water yield."};
    app.set_version_flag("--version", std::string("tarnflow ") + tarn::kVersion, "print the version and exit");
    app.require_subcommand(1);
    const tarn::Command commands[] = {tarn::addRunCommand(app), tarn::addDurationCommand(app),
                                      tarn::addCompareCommand(app), tarn::addNewCommand(app),
                                      tarn::addCalibrateCommand(app), tarn::addUncertaintyCommand(app),
                                      tarn::addSensitivityCommand(app)};
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return 2;
    }
    try {
        for (const tarn::Command& command : commands)
            if (command.app->parsed()) return command.run();
        return 2;
    } catch (const tarn::OptionError& e) {
        std::fprintf(stderr, "tarnflow: %s\n", e.what());
        return 2;
    } catch (const tarn::InputError& e) {
        std::fprintf(stderr, "tarnflow: %s\n", e.what());
        return 1;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "tarnflow: not enough memory\n");
        return 1;
    }
}
