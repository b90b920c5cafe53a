#pragma once
// Pictures and tables of the charts (ChartControl, DurationChart): a PNG or an SVG of the
// chart drawn at a given size in pixels, and the data it shows as CSV.
#include <QByteArray>
#include <QSize>
#include <string>

#include "output/chart_data.h"

class QWidget;

namespace tarn::ui {

// The chart drawn at `size` (its own size when empty), as PNG or SVG bytes. The chart is
// laid out at that size for the drawing and given its own size back afterwards.
QByteArray chartPng(QWidget* chart, QSize size = {});
QByteArray chartSvg(QWidget* chart, QSize size = {});

// What the chart shows: for a ChartControl its label column and the series drawn, with
// their legend names; for a DurationChart a row per exceedance percent and a column per
// curve. `labelTitle` is the label column's title.
struct ChartTable {
    ChartData data;
    std::string labelTitle;
};
ChartTable chartTable(const QWidget* chart);

}  // namespace tarn::ui
