// ChartControl's three-dimensional types (needs OpenGL: run under xvfb-run): the series
// stand along the depth axis, a picked item reports its table column and row, a double
// click activates it, Ctrl with the mouse held down turns the camera, and long tables are
// grouped to what the 3D graphs can pick.
#include <QGuiApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QWindow>
#include <QtDataVisualization/Q3DBars>
#include <QtDataVisualization/Q3DCamera>
#include <QtDataVisualization/Q3DScene>
#include <QtDataVisualization/Q3DSurface>
#include <QtDataVisualization/QAbstract3DInputHandler>
#include <QtDataVisualization/QBar3DSeries>
#include <QtDataVisualization/QBarDataProxy>
#include <QtDataVisualization/QSurface3DSeries>
#include <QtTest>

#include "output/chart_types.h"
#include "ui/chart/chart_control.h"

using tarn::ChartData;
using tarn::ui::ChartControl;

namespace {

ChartData table(int rows) {
    ChartData d;
    d.names = {"Rainfall  (mm/day)", "Measured streamflow  (mm/day)"};
    d.columns.resize(2);
    for (int r = 0; r < rows; ++r) {
        d.labels.push_back("d" + std::to_string(r + 1));
        d.columns[0].push_back(r % 3);
        d.columns[1].push_back(1 + r % 5);
    }
    return d;
}

template <class Graph>
Graph* graphOf() {
    for (QWindow* w : QGuiApplication::allWindows())
        if (auto* g = qobject_cast<Graph*>(w)) return g;
    return nullptr;
}

void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(20);
    }
}

}  // namespace

class Chart3DTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void barsPickTheirColumnAndRow();
    void surfacesPickTheirColumnAndRow();
    void doubleClickActivatesAndCtrlDragRotates();
    void clicksPickTheBarUnderTheMouse();
    void longTablesAreGrouped();
    void typeChangesKeepTheData();
};

void Chart3DTest::init() {
    ChartControl probe;
    probe.setChartType(tarn::chart::Bar3d);
    if (!probe.isDrawingIn3D()) QSKIP("no OpenGL here: the 3D types are drawn as 2D (tested in ui.chart)");
}

void Chart3DTest::barsPickTheirColumnAndRow() {
    ChartControl chart;
    chart.resize(800, 500);
    chart.setData(table(12));
    chart.setChartType(tarn::chart::Bar3d);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    settle();
    QVERIFY(chart.isDrawingIn3D());
    QVERIFY(!chart.pointPosition(1, 0));
    auto* bars = graphOf<Q3DBars>();
    QVERIFY(bars);
    auto* series = bars->seriesList().value(0);
    QVERIFY(series);
    QCOMPARE(series->dataProxy()->rowCount(), 2);  // one row of bars per series, in depth
    QCOMPARE(series->dataProxy()->array()->at(0)->size(), 12);
    QCOMPARE(series->dataProxy()->rowLabels().value(1), QStringLiteral("Measured streamflow  (mm/day)"));
    QCOMPARE(series->dataProxy()->itemAt(1, 4)->value(), 5.0f);

    QSignalSpy selected(&chart, &ChartControl::pointSelected);
    series->setSelectedBar(QPoint(1, 7));
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.at(0).at(0).toInt(), 2);
    QCOMPARE(selected.at(0).at(1).toInt(), 7);
    QCOMPARE(chart.currentValue(), 3.0);

    // Keys move from bar to bar and across the series.
    QTest::keyClick(bars, Qt::Key_Right);
    QTest::keyClick(bars, Qt::Key_Up);
    QCOMPARE(selected.size(), 3);
    QCOMPARE(selected.at(2).at(0).toInt(), 1);
    QCOMPARE(selected.at(2).at(1).toInt(), 8);
    QCOMPARE(series->selectedBar(), QPoint(0, 8));
    series->setSelectedBar(QPoint(1, 7));

    // Setting the value moves the bar.
    chart.setCurrentValue(9.0);
    settle();
    QCOMPARE(graphOf<Q3DBars>()->seriesList().value(0)->dataProxy()->itemAt(1, 7)->value(), 9.0f);
}

void Chart3DTest::surfacesPickTheirColumnAndRow() {
    for (int code : {tarn::chart::Line3d, tarn::chart::Area3d, tarn::chart::Combination3d}) {
        ChartControl chart;
        chart.resize(800, 500);
        chart.setData(table(12));
        chart.setChartType(code);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        settle();
        QVERIFY(chart.isDrawingIn3D());
        auto* surface = graphOf<Q3DSurface>();
        QVERIFY(surface);
        QCOMPARE(surface->seriesList().size(), 2);
        QSignalSpy selected(&chart, &ChartControl::pointSelected);
        surface->seriesList().value(1)->setSelectedPoint(QPoint(0, 5));
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.at(0).at(0).toInt(), 2);
        QCOMPARE(selected.at(0).at(1).toInt(), 5);
        // The combination's first series is a step shape: two surface columns per row.
        surface->seriesList().value(0)->setSelectedPoint(QPoint(1, 9));
        QCOMPARE(selected.size(), 2);
        QCOMPARE(selected.at(1).at(0).toInt(), 1);
        QCOMPARE(selected.at(1).at(1).toInt(), code == tarn::chart::Combination3d ? 4 : 9);
    }
}

void Chart3DTest::doubleClickActivatesAndCtrlDragRotates() {
    ChartControl chart;
    chart.resize(800, 500);
    chart.setData(table(12));
    chart.setChartType(tarn::chart::Step3d);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    settle();
    auto* bars = graphOf<Q3DBars>();
    QVERIFY(bars);
    bars->seriesList().value(0)->setSelectedBar(QPoint(0, 3));
    QSignalSpy activated(&chart, &ChartControl::pointActivated);
    QAbstract3DInputHandler* input = bars->activeInputHandler();
    QVERIFY(input);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(100, 100), QPointF(100, 100), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    input->mouseDoubleClickEvent(&dbl);
    QCOMPARE(activated.size(), 1);
    QCOMPARE(activated.at(0).at(0).toInt(), 1);
    QCOMPARE(activated.at(0).at(1).toInt(), 3);

    // Ctrl + drag turns the camera.
    const float before = bars->scene()->activeCamera()->xRotation();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(300, 200), QPointF(300, 200), Qt::LeftButton,
                      Qt::LeftButton, Qt::ControlModifier);
    input->mousePressEvent(&press, QPoint(300, 200));
    for (int x = 310; x <= 400; x += 10) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, 200), QPointF(x, 200), Qt::NoButton, Qt::LeftButton,
                         Qt::ControlModifier);
        input->mouseMoveEvent(&move, QPoint(x, 200));
    }
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(400, 200), QPointF(400, 200), Qt::LeftButton,
                        Qt::NoButton, Qt::ControlModifier);
    input->mouseReleaseEvent(&release, QPoint(400, 200));
    QVERIFY(bars->scene()->activeCamera()->xRotation() != before);
}

void Chart3DTest::clicksPickTheBarUnderTheMouse() {
    ChartControl chart;
    chart.resize(800, 500);
    ChartData three;
    three.labels = {"a", "b", "c"};
    three.names = {"x"};
    three.columns = {{10, 10, 10}};
    chart.setData(three);
    chart.setChartType(tarn::chart::Bar3d);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    settle();
    auto* bars = graphOf<Q3DBars>();
    const QPoint middle(bars->width() / 2, bars->height() / 2);
    QSignalSpy selected(&chart, &ChartControl::pointSelected);
    QSignalSpy activated(&chart, &ChartControl::pointActivated);
    QTest::mouseClick(bars, Qt::LeftButton, {}, middle);
    QTRY_COMPARE(selected.size(), 1);
    QCOMPARE(selected.at(0).at(0).toInt(), 1);
    QCOMPARE(selected.at(0).at(1).toInt(), 1);
    // A quick double click: activated once its pick is in, after the selection.
    QTest::mouseClick(bars, Qt::LeftButton, {}, middle);
    QTest::mouseDClick(bars, Qt::LeftButton, {}, middle);
    QTest::mouseRelease(bars, Qt::LeftButton, {}, middle);
    QTRY_COMPARE(activated.size(), 1);
    QCOMPARE(activated.at(0).at(1).toInt(), 1);
    QVERIFY(selected.size() >= 2);
}

void Chart3DTest::longTablesAreGrouped() {
    ChartControl chart;
    chart.resize(1000, 560);
    ChartData big = table(40000);
    big.columns[0][30001] = 99;
    chart.setData(big);
    chart.setChartType(tarn::chart::Bar3d);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    settle();
    auto* series = graphOf<Q3DBars>()->seriesList().value(0);
    QCOMPARE(series->dataProxy()->array()->at(0)->size(), 256);
    // Group g holds rows 40000 * g / 256 ..; its bar is its largest value, with its row.
    const int g = 30001 * 256 / 40000;
    QCOMPARE(series->dataProxy()->itemAt(0, g)->value(), 99.0f);
    QSignalSpy selected(&chart, &ChartControl::pointSelected);
    series->setSelectedBar(QPoint(0, g));
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.at(0).at(1).toInt(), 30001);
    series->setSelectedBar(QPoint(1, 255));
    QVERIFY(selected.at(1).at(1).toInt() >= 40000 - 40000 / 256 - 1);
    QTest::keyClick(graphOf<Q3DBars>(), Qt::Key_Home);
    QCOMPARE(series->selectedBar(), QPoint(1, 0));
    QVERIFY(selected.at(2).at(1).toInt() < 40000 / 256);

    for (int code : {tarn::chart::Line3d, tarn::chart::Area3d, tarn::chart::Step3d, tarn::chart::Combination3d}) {
        chart.setChartType(code);
        settle();
        QVERIFY(chart.isDrawingIn3D());
    }
}

void Chart3DTest::typeChangesKeepTheData() {
    ChartControl chart;
    chart.resize(800, 500);
    const ChartData t = table(30);
    chart.setData(t);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    for (const auto& type : tarn::kChartTypes) {
        chart.setChartType(type.code);
        settle();
        QCOMPARE(chart.isDrawingIn3D(), type.threeD);
        QCOMPARE(chart.data().columns, t.columns);
        QCOMPARE(chart.data().labels, t.labels);
    }
    chart.setThreeDAllowed(false);
    QVERIFY(!chart.isDrawingIn3D());
    QVERIFY(chart.pointPosition(1, 3).has_value());
}

QTEST_MAIN(Chart3DTest)
#include "chart_3d_test.moc"
