#include "ui/chart/duration_chart.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPen>
#include <QValueAxis>
#include <QVBoxLayout>
#include <cmath>

#include "ui/chart/focus_names.h"
#include "ui/qt_text.h"

namespace tarn::ui {

DurationChart::DurationChart(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new QChartView(this);
    view_->setObjectName(QStringLiteral("durationView"));
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setRubberBand(QChartView::NoRubberBand);
    layout->addWidget(view_);
    setFocusProxy(view_);
    setCurves({});
}

DurationChart::~DurationChart() = default;

bool DurationChart::event(QEvent* event) {
    if (event->type() == QEvent::Show) nameFocusViews(this);
    return QWidget::event(event);
}

void DurationChart::setCurves(const DurationCurves& curves) {
    curves_ = curves;
    // A new chart each time: the view lets go of the old one, which goes with it.
    auto* chart = new QChart();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignBottom);
    // Titles in the widget's own font: the chart may be short, and a bold axis title longer
    // than the plot's height is cut.
    chart->setTitle(toQ(curves.title));
    chart->setTitleFont(font());

    auto* x = new QValueAxis(chart);
    x->setRange(0, 100);
    x->setTickCount(11);
    x->setLabelFormat(QStringLiteral("%g"));
    x->setTitleText(toQ(curves.xTitle));
    x->setTitleFont(font());
    auto* y = new QLogValueAxis(chart);
    y->setBase(10);
    y->setLabelFormat(QStringLiteral("%g"));
    y->setMinorTickCount(8);
    y->setTitleText(toQ(curves.yTitle));
    y->setTitleFont(font());
    // Whole decades around the flows drawn, so that the labels are round numbers.
    double lo = 0.01, hi = 100;
    if (curves.minFlow > 0 && curves.maxFlow >= curves.minFlow) {
        lo = std::pow(10.0, std::floor(std::log10(curves.minFlow)));
        hi = std::pow(10.0, std::ceil(std::log10(curves.maxFlow)));
        if (hi <= lo) hi = lo * 10;
    }
    // A hair beyond the decades, so that their labels are not lost to rounding.
    y->setRange(lo * (1 - 1e-9), hi * (1 + 1e-9));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);

    for (const DurationCurve& c : curves.curves) {
        auto* series = new QLineSeries(chart);
        series->setName(toQ(c.name));
        QList<QPointF> points;
        points.reserve(qsizetype(c.flows.size()));
        for (std::size_t i = 0; i < c.flows.size(); ++i) points.append({c.percents[i], c.flows[i]});
        series->replace(points);
        chart->addSeries(series);
        // The measured streamflow in black, as hydrographs draw the observed flow.
        if (c.measured) series->setPen(QPen(Qt::black, 2));
        series->attachAxis(x);
        series->attachAxis(y);
    }

    QChart* old = view_->chart();
    view_->setChart(chart);
    delete old;
}

}  // namespace tarn::ui
