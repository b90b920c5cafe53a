#pragma once
// A marker of the main menu (lbl_button_0..7): an arrow beside a step button that points at
// the step to take next. Drawn, not a font glyph, so it looks the same on every desktop; it
// scales with the font and keeps its place in the layout while hidden.
#include <QLabel>

namespace tarn::ui {

class StepMarker : public QLabel {
    Q_OBJECT
public:
    explicit StepMarker(QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tarn::ui
