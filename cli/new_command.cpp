// tarnflow new: a project workbook from a CSV of daily series.
#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "model/variant.h"
#include "run_job.h"
#include "workbook/new_project.h"

namespace tarn {

Command addNewCommand(CLI::App& app) {
    struct State {
        NewProjectOptions options;
        std::string target, series;
        double bfi = -1, recession = -1;
    };
    auto state = std::make_shared<State>();
    NewProjectOptions& o = state->options;
    CLI::App* command = app.add_subcommand(
        "new", "Make a new project workbook from a CSV of daily series, with the default class tables");
    command->add_option("OUT", state->target, "the new project workbook (.xlsx); an existing file is replaced only with --force")
        ->required();
    command
        ->add_option("--series", state->series,
                     "CSV of daily series: a header row, then one line per day with the date (yyyy-mm-dd), rainfall "
                     "(mm), reference evapotranspiration (mm) and, optionally, measured streamflow (mm; empty for a "
                     "day without a measurement)")
        ->required();
    command->add_option("--area", o.area, "total catchment area, ha")->required();
    // Comma lists of whole numbers, one per sub-area.
    auto list = [command](const std::string& name, std::vector<int>& values, const std::string& help, int fallback) {
        command->add_option(name, values, help)->delimiter(',')->default_str(std::to_string(fallback));
    };
    auto classes = [](const std::string& what, const std::array<const char*, 5>& names) {
        std::string help = what + " class of each sub-area, or one for all:";
        for (std::size_t c = 0; c < names.size(); ++c)
            help += std::string(c ? ", " : " ") + std::to_string(c + 1) + " " + names[c];
        return help;
    };
    list("--shares", o.shares, "whole per cent of each sub-area, adding up to 100, at most 10 (60,40)", 100);
    list("--soil", o.soil, classes("soil", kSoilClassNames), kDefaultSoilClass);
    list("--vegetation", o.vegetation, classes("vegetation", kVegetationClassNames), kDefaultVegetationClass);
    command->add_option("--name", o.name, "project name and location (F1); by default the CSV's file name");
    CLI::Option* bfi = command->add_option("--bfi", state->bfi, "baseflow index of every sub-area, 0 to 1")
                           ->default_str(generalNumberText(defaultSoilClasses().bfi));
    CLI::Option* recession =
        command
            ->add_option("--recession", state->recession,
                         "recession coefficient: the fraction of the baseflow store kept per day, 0 to below 1")
            ->default_str(generalNumberText(defaultSoilClasses().recession));
    command->add_flag("--force", o.replace, "replace OUT if it exists");

    return {command, [state, bfi, recession]() -> int {
                NewProjectOptions& options = state->options;
                options.target = state->target;
                options.series = state->series;
                checkOutputPath("OUT", options.target);
                if (bfi->count()) options.bfi = state->bfi;
                if (recession->count()) options.recession = state->recession;
                const NewProjectReport report = createNewProject(options);
                std::printf("Wrote %s: %d days from %s to %s, %d sub-area%s\n", report.target.string().c_str(),
                            report.days, report.first.c_str(), report.last.c_str(), report.subAreas,
                            report.subAreas == 1 ? "" : "s");
                return 0;
            }};
}

}  // namespace tarn
