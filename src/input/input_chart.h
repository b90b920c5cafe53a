#pragma once
// The input series chart (frmChartP): how the daily inputs enter the project. The rainfall
// and evapotranspiration steps ask for a series (requestInputChart); the chart reads what
// they asked for from the workbook, one series per request, shows the chosen number of
// rows and lets the user correct single values.
//
// Rows of the chart table are numbered from 0: row r shows day r + 1 (month r + 1 of the
// monthly table). Column 1 is the requested series, column 2 the measured streamflow.
#include <string>
#include <string_view>
#include <vector>

#include "input/step_result.h"
#include "model/project.h"
#include "model/run_model.h"
#include "output/chart_data.h"

namespace tarn {

inline constexpr std::string_view kMeasuredSeriesLabel = "Measured streamflow  (mm/day)";
inline constexpr std::string_view kChartClickHint = "Click on data series to edit data";
inline constexpr std::string_view kChartRotateHint =
    "Hold down the Ctrl key and mouse down to rotate the chart.";
inline constexpr std::string_view kChangePointPrompt = "Change the data point:";
inline constexpr std::string_view kInvalidPointMessage = "That's not a valid data point!";

// The rainfall step as it opens: the chart is to read ChartFile (= DataFile) afresh next
// time.
void restartInputChart(Project& project);

// A capture step hands its request to the chart: columns, title, series, what to read.
// ChartMeas is only ever set here (Back clears it).
void requestInputChart(Project& project, const ChartRequest& request);

// Whether the chart shows the twelve monthly values (monthly ETref requested) rather than
// days.
bool monthlyChart(const Project& project);

// The screen's texts around the chart.
std::string inputChartCaption(const Project& project);   // "Active File:" + ChartFile + ...
std::string inputChartReadingCaption(const Project& project);  // progress window caption

struct InputChartView {
    bool ok = false;
    std::string status;                   // Text2
    std::string rowsBox;                  // cmbRowsRain's text
    std::vector<std::string> rowsItems;   // cmbRowsRain's list
    std::string maxRowsBox;               // txtMaxrows
    ChartData table;                      // the chart's data, DaysOut rows
};

// "LoadInputChart": the first time for a file (ChartLoaded = 0, or ChartRedim set) opens
// ChartFile, counts the days of ColDate, sizes the daily tables anew and reads the dates;
// any time, reads the series the load flags ask for: rainfall into Balance(0, d, 1) (with
// ChartMeas the measured streamflow of column C into Balance(11, d, 16), its empty cells
// as missing days in MeasMissing and its negative days in MeasNegative), daily ETref into
// Balance(Inputs, d, ETr), or the monthly table into MonthlyEtref with its labels and spread
// over the days at once. Series read are read for every day of the period, whatever number
// of rows is shown; nothing else in the tables changes, so an ETref read keeps the
// rainfall, the measured streamflow and any corrected points. Then shows `rowsBox` rows
// (the period's length after a first read): DaysOut, MaxRows.
// A workbook that cannot be opened or a cell that cannot be read gives ok = false and a
// status naming the file and the cell; the project is then as it was.
InputChartView loadInputChart(Project& project, std::string_view rowsBox,
                              const ProgressFn& progress = {});

// The chart's table of the first DaysOut days (or the twelve months): labels from DayDate
// (MonthLabel), column 1 the requested series, column 2 the measured streamflow.
ChartData inputChartTable(const Project& project);

// Text2 when a point is selected: "Value of <title>, on <label> = <value>    double click
// to change the value" (", for the month " for the monthly table). Empty outside the table.
std::string pointSelectedText(const Project& project, const ChartData& table, int column, int row);

struct PointEdit {
    enum class Kind { Unchanged, Invalid, Changed };
    Kind kind = Kind::Unchanged;
    double value = 0;     // the new value (Changed)
    std::string message;  // kInvalidPointMessage for Invalid
};

// The answer to "Change the data point:" for the point (column, row) of the chart: empty
// changes nothing; not a number gives kInvalidPointMessage; a number goes into the monthly
// table (and the days of that month), the measured streamflow (the day is then no longer
// missing, and negative only when the number is) or the requested series.
// The workbook is never changed.
PointEdit editInputChartPoint(Project& project, int column, int row, std::string_view answer);

// BACK: a monthly table is spread over the days (every day gets its month's value);
// ChartMeas = 0. True when the rainfall step is next, false for the evapotranspiration step.
bool inputChartBack(Project& project);

}  // namespace tarn
