#pragma once
// The data a chart shows as comma-separated values: a header row (the label column's
// title, then each series' name) and a row per table row with its label and values.
#include <string>

#include "output/chart_data.h"
#include "output/fit_panel.h"

namespace tarn {

// Every value is written in the shortest form that reads back to the same number; a value
// that is not a number (a point the chart leaves out) is an empty field.
std::string chartCsv(const ChartData& data, const std::string& labelTitle);

// The duration curves as a table: a row per exceedance percent of any curve (ascending),
// a column per curve, NaN where a curve has no point (a flow of 0 left out).
ChartData durationChartData(const DurationCurves& curves);

}  // namespace tarn
