#pragma once
// The chart widgets' own views take the keyboard focus (the 2D view, the 3D views once
// made): each carries its chart's accessible name, so that screen readers name what has the
// focus. A form names a chart after making it, so a chart passes its name on as it shows and
// to a view made later.
#include <QWidget>

namespace tarn::ui {

// Every child of `chart` that takes the focus and has no accessible name of its own gets the
// chart's.
inline void nameFocusViews(QWidget* chart) {
    for (QWidget* w : chart->findChildren<QWidget*>())
        if (w->focusPolicy() != Qt::NoFocus && w->accessibleName().isEmpty())
            w->setAccessibleName(chart->accessibleName());
}

}  // namespace tarn::ui
