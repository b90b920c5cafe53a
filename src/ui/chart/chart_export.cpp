#include "ui/chart/chart_export.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>

#include "output/chart_csv.h"
#include "ui/chart/chart_control.h"
#include "ui/chart/duration_chart.h"
#include "ui/qt_text.h"

namespace tarn::ui {

namespace {

// Lays the chart out at another size for the lifetime of the scope.
class SizedFor {
public:
    SizedFor(QWidget* chart, QSize size) : chart_(chart), old_(chart->size()) {
        if (size == old_) return;
        chart_->resize(size);
        settle();
    }
    ~SizedFor() {
        if (chart_->size() == old_) return;
        chart_->resize(old_);
        settle();
    }
    SizedFor(const SizedFor&) = delete;
    SizedFor& operator=(const SizedFor&) = delete;

private:
    // The chart's layout and its per-pixel reduction follow a resize through posted events
    // and a zero timer.
    static void settle() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    QWidget* chart_;
    QSize old_;
};

QSize sizeFor(const QWidget* chart, QSize size) {
    if (size.isEmpty()) size = chart->size();
    return size.expandedTo(QSize(1, 1));
}

}  // namespace

QByteArray chartPng(QWidget* chart, QSize size) {
    size = sizeFor(chart, size);
    SizedFor sized(chart, size);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        chart->render(&painter);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray chartSvg(QWidget* chart, QSize size) {
    size = sizeFor(chart, size);
    SizedFor sized(chart, size);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(chart->accessibleName());
    {
        QPainter painter(&svg);
        chart->render(&painter);
    }
    // The generator gives the drawing's size in millimetres at its resolution, which viewers
    // turn back into pixels at theirs: say it in pixels.
    const qsizetype at = bytes.indexOf("width=\"");
    const qsizetype end = at < 0 ? -1 : bytes.indexOf("mm\"", bytes.indexOf("height=\"", at));
    if (at >= 0 && end > at)
        bytes.replace(at, end + 3 - at,
                      QStringLiteral("width=\"%1\" height=\"%2\"").arg(size.width()).arg(size.height()).toUtf8());
    return bytes;
}

ChartTable chartTable(const QWidget* chart) {
    if (const auto* d = qobject_cast<const DurationChart*>(chart)) {
        const DurationCurves& curves = d->curves();
        return {durationChartData(curves), curves.xTitle.empty() ? "Exceedance (% of days)" : curves.xTitle};
    }
    ChartTable t;
    t.labelTitle = "label";
    if (const auto* c = qobject_cast<const ChartControl*>(chart)) {
        const ChartData& all = c->data();
        t.data.labels = all.labels;
        for (int column = 1; column <= std::min(c->columnCount(), all.columnCount()); ++column) {
            t.data.names.push_back(toStd(c->columnLabel(column)));
            t.data.columns.push_back(all.columns[std::size_t(column - 1)]);
        }
    }
    return t;
}

}  // namespace tarn::ui
