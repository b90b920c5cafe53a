#pragma once
// Helpers of ChartControl's three-dimensional charts: the mouse handling (a click selects,
// Ctrl with the mouse held down rotates, as the chart's hint says) and axis labels taken
// from the data table.
#include <QStringList>
#include <QtDataVisualization/Q3DInputHandler>
#include <QtDataVisualization/QValue3DAxisFormatter>
#include <memory>

namespace tarn::ui {

class Chart3DInput : public Q3DInputHandler {
    Q_OBJECT
public:
    explicit Chart3DInput(QObject* parent = nullptr) : Q3DInputHandler(parent) {}

    void mousePressEvent(QMouseEvent* event, const QPoint& mousePos) override;
    void mouseReleaseEvent(QMouseEvent* event, const QPoint& mousePos) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

signals:
    // A plain left press, before the graph picks the item under it.
    void selecting();
    void doubleClicked();

private:
    bool rotating_ = false;
};

// Labels of a value axis whose values are positions in a list: labels[i] stands at value
// offset + i, with its grid line; at most maxLabels of them are shown, evenly spaced.
class ListAxisFormatter : public QValue3DAxisFormatter {
    Q_OBJECT
public:
    explicit ListAxisFormatter(QObject* parent = nullptr) : QValue3DAxisFormatter(parent) {}
    void setLabels(QStringList labels, double offset, int maxLabels);

protected:
    QValue3DAxisFormatter* createNewInstance() const override;
    void populateCopy(QValue3DAxisFormatter& copy) const override;
    void recalculate() override;
    QString stringForValue(qreal value, const QString& format) const override;

private:
    QStringList labels_;
    double offset_ = 0;
    int maxLabels_ = 8;
};

}  // namespace tarn::ui
