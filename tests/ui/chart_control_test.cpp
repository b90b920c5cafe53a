// ChartControl in two dimensions (no display needed; the 3D types are drawn as their 2D
// type here, as on a machine without OpenGL): clicks and double clicks report the point's
// column and row in every type, setting a value moves the point, type changes keep the
// data, and a 40000-row table is reduced to what the screen shows.
#include <QChart>
#include <QCategoryAxis>
#include <QChartView>
#include <QValueAxis>
#include <QXYSeries>
#include <QLegendMarker>
#include <QSignalSpy>
#include <QtTest>

#include "output/chart_types.h"
#include "ui/chart/chart_control.h"

using tarn::ChartData;
using tarn::ui::ChartControl;

namespace {

ChartData smallTable() {
    ChartData d;
    d.labels = {"2001-01-01", "2001-01-02", "2001-01-03", "2001-01-04", "2001-01-05"};
    d.names = {"Rainfall  (mm/day)", "Measured streamflow  (mm/day)"};
    d.columns = {{1, 4, 2, 5, 3}, {3, 6, 4.5, 7, 5}};
    return d;
}

ChartData longTable(int rows) {
    ChartData d;
    d.names = {"Rain", "Flow"};
    d.columns.resize(2);
    for (int r = 0; r < rows; ++r) {
        d.labels.push_back("day " + std::to_string(r + 1));
        d.columns[0].push_back((r * 7919) % 97 < 40 ? 0.0 : double((r * 7919) % 97) / 3);
        d.columns[1].push_back(5 + 4 * std::sin(r / 300.0));
    }
    d.columns[0][12345] = 500;  // a peak that must stay in sight
    return d;
}

QWidget* viewport(ChartControl& chart) {
    return chart.findChild<QChartView*>(QStringLiteral("chartView2D"))->viewport();
}

QPoint inViewport(ChartControl& chart, int column, int row) {
    const auto at = chart.pointPosition(column, row);
    if (!at) return {-1, -1};
    return viewport(chart)->mapFrom(&chart, *at);
}

void settle() {
    for (int i = 0; i < 4; ++i) QCoreApplication::processEvents();
}

}  // namespace

class ChartControlTest : public QObject {
    Q_OBJECT

private slots:
    void clicksReportColumnAndRow_data();
    void clicksReportColumnAndRow();
    void keysMoveTheCurrentPointAndItIsRinged();
    void settingAValueMovesThePoint();
    void typeChangesKeepTheData();
    void columnCountLabelsAndLegend();
    void longTablesAreReducedAndStillPickRows();
};

void ChartControlTest::clicksReportColumnAndRow_data() {
    QTest::addColumn<int>("code");
    for (const auto& t : tarn::kChartTypes) QTest::newRow(std::string(t.name).c_str()) << t.code;
}

void ChartControlTest::clicksReportColumnAndRow() {
    QFETCH(int, code);
    ChartControl chart;
    chart.resize(800, 480);
    chart.setData(smallTable());
    chart.setChartType(code);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    settle();
    QVERIFY(!chart.isDrawingIn3D());

    QSignalSpy selected(&chart, &ChartControl::pointSelected);
    QSignalSpy activated(&chart, &ChartControl::pointActivated);
    for (int column = 1; column <= 2; ++column)
        for (int row = 0; row < 5; ++row) {
            const QPoint at = inViewport(chart, column, row);
            QVERIFY2(at.x() >= 0, "the point is drawn");
            selected.clear();
            QTest::mouseClick(viewport(chart), Qt::LeftButton, {}, at);
            QCOMPARE(selected.size(), 1);
            QCOMPARE(selected.at(0).at(0).toInt(), column);
            QCOMPARE(selected.at(0).at(1).toInt(), row);
            QCOMPARE(chart.currentPoint(), (tarn::PointRef{column, row}));
            QCOMPARE(chart.currentValue(), chart.value(column, row));

            // A double click arrives as a click, then the double click and its release: it
            // selects first, then activates the same point.
            selected.clear();
            activated.clear();
            QTest::mouseClick(viewport(chart), Qt::LeftButton, {}, at);
            QTest::mouseDClick(viewport(chart), Qt::LeftButton, {}, at);
            QTest::mouseRelease(viewport(chart), Qt::LeftButton, {}, at);
            QVERIFY(selected.size() >= 1);
            QCOMPARE(selected.at(0).at(0).toInt(), column);
            QCOMPARE(selected.at(0).at(1).toInt(), row);
            QCOMPARE(activated.size(), 1);
            QCOMPARE(activated.at(0).at(0).toInt(), column);
            QCOMPARE(activated.at(0).at(1).toInt(), row);
        }

    // Outside the plot nothing is reported.
    selected.clear();
    QTest::mouseClick(viewport(chart), Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(selected.size(), 0);
}

void ChartControlTest::keysMoveTheCurrentPointAndItIsRinged() {
    ChartControl chart;
    chart.resize(800, 480);
    chart.setData(smallTable());
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QChart* qchart = chart.findChild<QChartView*>()->chart();
    QCOMPARE(qchart->series().size(), 2);  // no point is current yet: no ring
    QSignalSpy selected(&chart, &ChartControl::pointSelected);
    QSignalSpy activated(&chart, &ChartControl::pointActivated);
    QWidget* keys = chart.findChild<QChartView*>();
    struct Step {
        Qt::Key key;
        int column, row;
    } steps[] = {{Qt::Key_Right, 1, 1}, {Qt::Key_Right, 1, 2}, {Qt::Key_Down, 2, 2}, {Qt::Key_Down, 2, 2},
                 {Qt::Key_End, 2, 4},   {Qt::Key_Right, 2, 4}, {Qt::Key_Up, 1, 4},   {Qt::Key_Home, 1, 0},
                 {Qt::Key_Left, 1, 0},  {Qt::Key_PageDown, 1, 1}};
    for (const auto& s : steps) {
        selected.clear();
        QTest::keyClick(keys, s.key);
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.at(0).at(0).toInt(), s.column);
        QCOMPARE(selected.at(0).at(1).toInt(), s.row);
    }
    QTest::keyClick(keys, Qt::Key_Return);
    QCOMPARE(activated.size(), 1);
    QCOMPARE(activated.at(0).at(1).toInt(), 1);

    // The current point is ringed: one more series holding just that point, out of the legend.
    auto* ring = qobject_cast<QXYSeries*>(qchart->series().value(2));
    QVERIFY(ring);
    QCOMPARE(ring->points(), (QList<QPointF>{QPointF(1, 4)}));
    for (auto* m : qchart->legend()->markers(ring)) QVERIFY(!m->isVisible());
    chart.setChartType(tarn::chart::Bar2d);
    ring = qobject_cast<QXYSeries*>(qchart->series().value(1));
    QVERIFY(ring);
    QCOMPARE(ring->points().value(0).y(), 4.0);
}

void ChartControlTest::settingAValueMovesThePoint() {
    ChartControl chart;
    chart.resize(800, 480);
    chart.setData(smallTable());
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    settle();
    const QPoint before = *chart.pointPosition(1, 2);
    chart.setCurrentPoint(1, 2);
    QCOMPARE(chart.currentValue(), 2.0);
    chart.setCurrentValue(4.0);
    settle();
    QCOMPARE(chart.value(1, 2), 4.0);
    QCOMPARE(chart.data().columns[0][2], 4.0);
    const QPoint after = *chart.pointPosition(1, 2);
    QVERIFY(after.y() < before.y());
    QCOMPARE(after.x(), before.x());

    // Beyond the axis: the axis grows to show it, and a click there finds it.
    chart.setCurrentValue(40.0);
    settle();
    QSignalSpy selected(&chart, &ChartControl::pointSelected);
    QTest::mouseClick(viewport(chart), Qt::LeftButton, {}, inViewport(chart, 1, 2));
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.at(0).at(1).toInt(), 2);
    const auto axes = chart.findChild<QChartView*>()->chart()->axes(Qt::Vertical);
    QVERIFY(qobject_cast<QValueAxis*>(axes.value(0))->max() >= 40.0);

    // Outside the table nothing changes.
    chart.setCurrentPoint(3, 0);
    chart.setCurrentValue(9.0);
    QCOMPARE(chart.data().columnCount(), 2);
}

void ChartControlTest::typeChangesKeepTheData() {
    ChartControl chart;
    chart.resize(700, 400);
    const ChartData table = smallTable();
    chart.setData(table);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    chart.setChartType(10);  // not a code: ignored
    QCOMPARE(chart.chartType(), tarn::chart::Line2d);
    for (int pass = 0; pass < 2; ++pass)
        for (const auto& t : tarn::kChartTypes) {
            chart.setChartType(t.code);
            settle();
            QCOMPARE(chart.chartType(), t.code);
            QCOMPARE(chart.data().labels, table.labels);
            QCOMPARE(chart.data().columns, table.columns);
            QCOMPARE(chart.columnLabel(2), QString::fromStdString(table.names[1]));
            QVERIFY(chart.pointPosition(2, 4).has_value());
        }
}

void ChartControlTest::columnCountLabelsAndLegend() {
    ChartControl chart;
    chart.resize(700, 400);
    chart.setData(smallTable());
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QChart* qchart = chart.findChild<QChartView*>()->chart();
    QCOMPARE(qchart->series().size(), 2);
    chart.setColumnLabel(2, QStringLiteral("Flow"));
    settle();
    QStringList legend;
    for (auto* m : qchart->legend()->markers())
        if (m->isVisible()) legend << m->label();
    QCOMPARE(legend, (QStringList{QStringLiteral("Rainfall  (mm/day)"), QStringLiteral("Flow")}));

    chart.setChartType(tarn::chart::Pie2d);  // one legend entry per ring
    settle();
    legend.clear();
    for (auto* m : qchart->legend()->markers())
        if (m->isVisible()) legend << m->label();
    QCOMPARE(legend, (QStringList{QStringLiteral("Rainfall  (mm/day)"), QStringLiteral("Flow")}));

    chart.setChartType(tarn::chart::Line2d);
    chart.setColumnCount(1);
    QCOMPARE(qchart->series().size(), 1);
    QVERIFY(!chart.pointPosition(2, 0));
    chart.setColumnCount(9);  // never more than the table holds
    QCOMPARE(qchart->series().size(), 2);
    chart.setLegendVisible(false);
    QVERIFY(!qchart->legend()->isVisible());
    chart.setVisible(false);
    QVERIFY(!chart.isVisible());
}

void ChartControlTest::longTablesAreReducedAndStillPickRows() {
    ChartControl chart;
    chart.resize(1000, 560);
    chart.setData(longTable(40000));
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QChart* qchart = chart.findChild<QChartView*>()->chart();
    QSignalSpy selected(&chart, &ChartControl::pointSelected);
    for (const auto& t : tarn::kChartTypes) {
        chart.setChartType(t.code);
        settle();
        const int width = int(qchart->plotArea().width());
        QVERIFY(chart.drawnPointCount(1) > 0);
        QVERIFY2(chart.drawnPointCount(1) <= 4 * width + 4 || t.code == tarn::chart::XY2d,
                 qPrintable(QString::number(chart.drawnPointCount(1))));
        QVERIFY(chart.drawnPointCount(2) <= 40000);
        // The peak of row 12345 stays pickable where it is drawn.
        selected.clear();
        QTest::mouseClick(viewport(chart), Qt::LeftButton, {}, inViewport(chart, 1, 12345));
        QCOMPARE(selected.size(), 1);
        const int row = selected.at(0).at(1).toInt();
        if (t.code == tarn::chart::Pie2d) {
            QVERIFY(row <= 12345 && row > 12345 - 40000 / 48 - 1);  // the first row of its slice
        } else {
            QCOMPARE(selected.at(0).at(0).toInt(), 1);
            QVERIFY2(std::abs(row - 12345) <= 40000 / width + 1, qPrintable(QString::number(row)));
        }
    }
    // A subset of the labels, spaced so they cannot overlap.
    chart.setChartType(tarn::chart::Line2d);
    settle();
    const auto labels = qobject_cast<QCategoryAxis*>(qchart->axes(Qt::Horizontal).value(0))->categoriesLabels();
    QVERIFY(labels.size() >= 3 && labels.size() <= 20);
    QCOMPARE(labels.first(), QStringLiteral("day 1"));
}

QTEST_MAIN(ChartControlTest)
#include "chart_control_test.moc"
