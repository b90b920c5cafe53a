#pragma once
// ChartControl: the one chart widget of the program. It draws a data table (column 0 the
// row labels, columns 1.. the series, one row per day or month) in one of the chart types
// of tarn::kChartTypes: the two-dimensional types on Qt Charts, the three-dimensional ones
// on Qt Data Visualization (series along the depth axis), or as their 2D type where the
// machine has no OpenGL. A single click on a point reports pointSelected(column, row), a
// double click pointSelected and then pointActivated.
//
// Long tables stay quick: series are reduced to what each pixel column shows (every
// extreme kept), 3D charts to at most 256 groups of rows; x is the row number, labelled
// with the table's own labels.
//
// Keys: Left/Right, PageUp/PageDown, Home/End move the current point along the rows (in
// 3D from item to item), Up/Down to the previous or next series, each reporting
// pointSelected; Space reports the current point again, Enter activates it. The views that
// take the focus carry the chart's accessible name.
#include <QPointF>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "output/chart_data.h"

class QKeyEvent;

namespace tarn::ui {

class ChartControl : public QWidget {
    Q_OBJECT

public:
    explicit ChartControl(QWidget* parent = nullptr);
    ~ChartControl() override;

    // The data table. Every column is cut or padded (with 0) to the number of labels; the
    // column count becomes the table's.
    void setData(ChartData data);
    const ChartData& data() const { return data_; }
    int rowCount() const { return data_.rows(); }

    // Only the first n series columns are drawn (never more than the table holds).
    void setColumnCount(int n);
    int columnCount() const;
    // The name of column c (1..) in the legend.
    void setColumnLabel(int column, const QString& label);
    QString columnLabel(int column) const;

    // The chart type by its code (0..9, 14, 16); other codes are ignored.
    void setChartType(int code);
    int chartType() const { return type_; }
    // True while a three-dimensional type is drawn in 3D.
    bool isDrawingIn3D() const;
    // Allows 3D drawing (the default where OpenGL 2.1 works); false draws 3D types as 2D.
    void setThreeDAllowed(bool allowed);

    void setLegendVisible(bool visible);
    bool isLegendVisible() const { return legendVisible_; }

    // The current point: reading gives its plotted value, setting a value moves it.
    void setCurrentPoint(int column, int row);
    PointRef currentPoint() const { return current_; }
    double currentValue() const;
    void setCurrentValue(double value);
    double value(int column, int row) const { return data_.value(column, row); }

    // Where point (column, row) is drawn in a 2D chart, in this widget's coordinates (the
    // middle of its bar or slice for those types); none for 3D or outside the table.
    std::optional<QPoint> pointPosition(int column, int row) const;
    // The points drawn for column c of a line, step or area chart after reduction, for
    // checking what a long table hands to the drawing.
    int drawnPointCount(int column) const;

signals:
    void pointSelected(int column, int row);
    void pointActivated(int column, int row);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Charts2D;
    struct Charts3D;

    int shownColumns() const;
    void redraw();
    void build2D();
    void build3D();
    bool ensure3D();
    void pick(const QPointF& viewportPos, bool activate);
    bool keyPressed(QKeyEvent* event);
    std::optional<QPointF> valuePosition(int column, int row) const;
    void markCurrent();
    void report(int column, int row, bool activate);
    void scheduleRefit();

    ChartData data_;
    int columns_ = 0;
    int type_ = 3;
    bool legendVisible_ = true;
    bool threeDAllowed_ = true;
    std::optional<bool> openGlWorks_;
    PointRef current_{1, 0};
    bool marked_ = false;  // a point has been made current: it is ringed
    std::unique_ptr<Charts2D> c2_;
    std::unique_ptr<Charts3D> c3_;
};

}  // namespace tarn::ui
