#pragma once
// Save chart...: the one way every chart of the program is saved. The save dialog names the
// file; its extension picks what is written: a PNG picture, an SVG drawing (both at the
// size shown or at a size typed in the input box that follows), or the CSV table of the
// data the chart shows. The file is written atomically; a failure is told in a message box.
#include <QString>
#include <optional>
#include <QSize>

class QWidget;

namespace tarn::ui {

class Dialogs;

// "800 x 600" (or "800x600", "800 X 600"): a picture size from 16 to 10000 pixels each way.
std::optional<QSize> parseChartSize(const QString& text);

// Asks for the file (opening in `folder`) and writes `chart` (a ChartControl or a
// DurationChart); the file written, or empty when cancelled or refused.
QString saveChart(QWidget* parent, Dialogs& dialogs, QWidget* chart, const QString& folder);

}  // namespace tarn::ui
