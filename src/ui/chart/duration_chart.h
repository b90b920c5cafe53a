#pragma once
// DurationChart: the flow duration curves of the output screens, flow on a logarithmic axis
// against the percentage of days on which it is exceeded. It sits beside ChartControl,
// which draws the daily series, and like it keeps Qt Charts to itself.
#include <QWidget>

#include "output/fit_panel.h"

class QChartView;

namespace tarn::ui {

class DurationChart : public QWidget {
    Q_OBJECT

public:
    explicit DurationChart(QWidget* parent = nullptr);
    ~DurationChart() override;

    // Draws `curves` in place of what was drawn.
    void setCurves(const DurationCurves& curves);
    const DurationCurves& curves() const { return curves_; }
    QChartView* view() const { return view_; }

protected:
    bool event(QEvent* event) override;

private:
    QChartView* view_ = nullptr;
    DurationCurves curves_;
};

}  // namespace tarn::ui
