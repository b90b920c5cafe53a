#pragma once
// The output chart (chartConfig): the daily results of the series the user ticked over a
// window of days, the first run and, once a rerun has been made, the last run beside it;
// and what the chart's point events do on the output screens.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/project.h"
#include "output/chart_data.h"

namespace tarn {

// The five series an output chart can show, in the order of the series check boxes:
// [0] rainfall, [1] total profile store, [2] soil drainage, [3] modelled streamflow,
// [4] measured streamflow. On the run screen they are chkSeriesOut_1..5, on the output
// screens chkSeriesOut_0..4.
using SeriesTicks = std::array<bool, 5>;

// The quantity k of Balance that series i shows.
inline constexpr std::array<Qty, 5> kSeriesQuantity = {qty::P, qty::Sw, qty::Fi, qty::Q, qty::Measured};

// Legend titles: [i] of series i in the first-run block, [5 + i] in the last-run block.
inline constexpr std::array<std::string_view, 10> kSeriesText = {
    "Rain",
    "modelled total profile store first run",
    "modelled soil drainage first run",
    "modelled streamflow first run",
    "measured streamflow ",
    "",
    "modelled total profile store last run",
    "modelled soil drainage last run",
    "modelled streamflow last run",
    "measured streamflow ",
};

// What one chart column shows.
struct ChartSeries {
    Qty quantity = Qty::P;  // P, Sw, Fi, Q or Measured
    bool lastRun = false;  // read from the last-run slot (12) rather than slot 11
};

struct OutputChart {
    ChartData table;                  // row r is day firstDay + r; labels the date texts
    std::vector<ChartSeries> series;  // series[c - 1]: what column c shows
    int firstDay = 1;                 // the day of row 0
};

// The days the output chart shows: days 1..DaysOut of a first run; after a rerun
// StartDay..DaysOut (from day 1 when StartDay is not a day up to DaysOut). Never past
// the record.
struct DayWindow {
    int first = 1;
    int last = 0;  // last < first: no rows
};
DayWindow chartWindow(const Project& project);

// chartConfig: the chart table of the ticked series over chartWindow. Columns 1..n are
// the ticked series in box order, read from the first-run slot; after a rerun (RerunFlag
// = 1) columns n + 1.. repeat every ticked series but the measured one from the last-run
// slot, with the last-run titles (the rainfall's is empty). Each ticked series is drawn
// once, whichever boxes the caller read. An empty table when the daily tables do not hold
// the period.
OutputChart chartConfig(const Project& project, const SeriesTicks& ticks);

// The status line when a point is selected: "Value of <title>, on <date> = <value>", with
// " mm/day" after it on frmOutput (`withUnit`). Empty outside the table.
std::string outputPointSelectedText(const OutputChart& chart, int column, int row, bool withUnit);

// The default answer of "Change the data point:": the point's value as text.
std::string outputPointValueText(const OutputChart& chart, int column, int row);

inline constexpr std::string_view kOutputChangePointPrompt = "Change the data point:";
inline constexpr std::string_view kOutputInvalidPointMessage = "That's not a valid data point!";

struct OutputPointEdit {
    enum class Kind { Unchanged, Invalid, NotEditable, Changed };
    Kind kind = Kind::Unchanged;
    double value = 0;     // the value stored (Changed)
    std::string message;  // for a message box: kOutputInvalidPointMessage (Invalid)
    std::string status;   // the status line's new text; empty: leave it alone
    int beeps = 1;        // the chart answers every edit with one beep
};

// The answer to "Change the data point:" for point (column, row) of the chart. Empty:
// nothing changes. Not a number: Invalid, nothing stored. A rainfall point stores the
// catchment rainfall Balance(0, day, 1) and a measured-streamflow point the measured
// streamflow Balance(11, day, 16) of the day in that row (firstDay + row; the day is then
// no longer missing, and negative only when the number is), every column of
// the table showing that series takes the value, and RerunFlag = 1 so the next run is a
// last run beside the first. A modelled series cannot be edited (its points follow from
// the next rerun): NotEditable, with a status that says so.
OutputPointEdit editOutputChartPoint(Project& project, OutputChart& chart, int column, int row,
                                     std::string_view answer);

}  // namespace tarn
