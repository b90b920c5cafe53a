#pragma once
// What the screens of the input steps share: the ten per-sub-area percent boxes of the
// catchment and rainfall steps, and the opening of the input series chart.
#include <QList>
#include <QString>

#include "input/step_result.h"

#include <array>

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace tarn::ui {

class Navigation;

// The input series chart frmChartP, opened by the rainfall and evapotranspiration steps'
// captures beside their screen: it reads the series they asked for (the chart request in the
// project) and closes with the screen that opened it.
inline constexpr char kInputChartForm[] = "frmChartP";
void openInputChart(Navigation& navigation, const QString& owner);

// Editable boxes whose lists hold "0", "1", ... "100"; typing adds nothing to a list. Each
// box gets the accessible name `accessible` with %1 the sub-area ("A1").
void setupPercentBoxes(const QList<QComboBox*>& boxes, const QString& accessible);
// Refills every list with "0".."100" (the steps rebuild their lists at every load).
void fillPercentLists(const QList<QComboBox*>& boxes);

// The class screens' option grid ([s - 1][c - 1] is class c of sub-area s) as the classes
// chosen, 0 where no option of a sub-area is set.
ClassChoice checkedClasses(const std::array<std::array<QRadioButton*, 5>, 10>& options);

void setBoxTexts(const QList<QComboBox*>& boxes, const SubAreaBoxes& texts);
SubAreaBoxes boxTexts(const QList<QComboBox*>& boxes);

}  // namespace tarn::ui
