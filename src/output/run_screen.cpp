#include "output/run_screen.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "model/errors.h"
#include "model/variant.h"
#include "output/chart_types.h"
#include "workbook/workbook.h"

namespace tarn {

namespace {

StepResult refused(std::string status, std::string focus = {}) {
    return {false, std::move(status), std::move(focus), 1, {}};
}

bool isDirectory(const std::filesystem::path& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(path, ec);
}

}  // namespace

std::vector<ControlState> runScreenControls(const Project& p, bool runButton) {
    std::vector<ControlState> controls{{"cmdRunModel", runButton}};
    for (std::string_view name : kRunOutputButtons) controls.push_back({std::string(name), p.ModelRun == 1});
    return controls;
}

DaysList daysList(int numDays) {
    DaysList list;
    list.maxDays = std::to_string(numDays);
    for (int n = 5; n <= numDays; ++n) list.items.push_back(std::to_string(n));
    list.selected = int(list.items.size()) - 1;
    return list;
}

RunScreenLoad runScreenLoad(const Project& p) {
    RunScreenLoad load;
    load.caption = "  Active data file is  " + p.DataFile + "   Sheet 9.0 of 9 ";
    load.status = p.DataFile;
    load.series[3] = true;
    for (const ChartType& type : kChartTypes) load.chartTypes.emplace_back(type.name);
    load.chartType = kDefaultChartTypeIndex;
    load.controls = runScreenControls(p, true);
    return load;
}

std::string runModelAsRequested(Project& p, const RunRequest& request) {
    try {
        RunOptions options;
        options.testingOnly = request.testingOnly;
        options.progress = request.progress;
        options.sheet = request.sheet;
        std::unique_ptr<Workbook> book;
        if (request.testingOnly && !request.sheet) {
            // Refuse a run that cannot go ahead before the workbook is read.
            if (const auto problems = checkRunInputs(p); !problems.empty()) return problems.front();
            book = openWorkbook(p.DataFile);
            options.sheet = book.get();
        }
        RunModel(p, options);
    } catch (const InputError& e) {
        return e.what();
    }
    return {};
}

RunOutcome runScreenRun(Project& p, const RunRequest& request) {
    RunOutcome outcome;
    const std::string refusal = runModelAsRequested(p, request);
    if (!refusal.empty()) {
        outcome.result = refused(refusal);
        outcome.controls = runScreenControls(p, true);
        return outcome;
    }
    p.ModelRun = 1;
    outcome.result = {true, std::string(kRunCompleted), {}, 0, {}};
    outcome.days = daysList(p.NumDays);
    outcome.controls = runScreenControls(p, false);
    return outcome;
}

ShowMeResult runScreenShowMe(Project& p, const ShowMeInput& in) {
    ShowMeResult r;
    r.daysOutBox = in.daysOut;
    if (p.RunDone != 1 || p.NumDays < 1) {
        r.result = refused("Run the model first: there are no results to show yet", "cmdRunModel");
        return r;
    }
    int daysOut = p.NumDays;
    if (!in.daysOut.empty()) {
        const auto n = parseNumber(in.daysOut);
        if (!n || roundHalfEven(*n) < 1) {
            r.result = refused("Days to show: '" + in.daysOut + "' is not a number of days from 1 to " +
                                   std::to_string(p.NumDays),
                               "cmbDaysOut");
            return r;
        }
        if (roundHalfEven(*n) > p.NumDays)
            r.daysOutBox = std::to_string(p.NumDays);
        else
            daysOut = int(roundHalfEven(*n));
    }

    if (in.optValues)
        p.ShowNames = 0;
    else if (in.optNames)
        p.ShowNames = 1;
    p.DaysOut = daysOut;
    r.chart = chartConfig(p, in.series);
    r.days = daysList(p.NumDays);
    r.screen = p.ShowNames == 1 ? OutputScreen::Classes : OutputScreen::Values;
    p.ShowNames = 0;
    r.result = {true, {}, {}, 0, {}};
    r.controls = runScreenControls(p, false);
    return r;
}

int outputChartCode(int listPosition) {
    const auto type = chartTypeAt(listPosition);
    return type ? type->code : -1;
}

std::string saveStartFolder(const std::string& dataFile, std::string_view preferred) {
    if (isDirectory(std::filesystem::path(preferred))) return std::string(preferred);
    if (dataFile.empty()) return {};
    const std::filesystem::path folder = std::filesystem::path(dataFile).parent_path();
    return isDirectory(folder) ? folder.string() : std::string();
}

}  // namespace tarn
