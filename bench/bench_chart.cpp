// The input series chart with a long record: 40000 days of rainfall and measured
// streamflow read from a workbook and first drawn, a "New settings" redraw, and a change of
// chart type. A timed program rather than a Google Benchmark: each figure is a whole draw
// of a widget, measured from the call to the painted window.
//
//   QT_QPA_PLATFORM=offscreen bench_chart [--days N] [--repeat N] [--png DIR]
//   xvfb-run -a bench_chart ...          (also times the 3D types)
//
// --png writes pictures of the chart in several types into DIR.
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QScreen>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "input/input_chart.h"
#include "model/dates.h"
#include "output/chart_types.h"
#include "ui/chart/chart_control.h"
#include "workbook/xlsx_builder.h"
#include "bench_qt.h"
#include "bench_support.h"

namespace {

using namespace tarn;

// A record of `days` days in the workbook's daily columns, with the monthly ETref table.
void writeWorkbook(const std::filesystem::path& file, int days) {
    XlsxBuilder b;
    bench::addDailyRecord(b, b.addSheet("Inputs"), days);
    b.save(file);
}

using bench::Figures;
using bench::paintNow;
using bench::timed;

// What the rainfall step asks of the chart: dates, rainfall and measured streamflow.
void requestRainfall(Project& p) {
    restartInputChart(p);
    ChartRequest r;
    r.colDate = "D";
    r.colData = "E";
    r.title = "Rainfall  (mm/day)";
    r.series = 1;
    r.fromRain = r.loadDates = r.loadRain = r.measured = true;
    requestInputChart(p, r);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int days = 40000, repeat = 5;
    std::filesystem::path pngDir;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--days") && i + 1 < argc) days = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--repeat") && i + 1 < argc) repeat = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--png") && i + 1 < argc) pngDir = argv[++i];
    }
    const auto dir = std::filesystem::temp_directory_path() / "tarnflow-bench-chart";
    std::filesystem::create_directories(dir);
    const auto file = dir / "record.xlsx";
    writeWorkbook(file, days);
    std::printf("platform %s, %d days, %d repeats\n", qPrintable(QApplication::platformName()), days, repeat);

    // Read and first draw: a fresh chart each time, as the screen opens.
    Figures first, readOnly;
    for (int i = 0; i < repeat; ++i) {
        Project p;
        p.DataFile = file.string();
        ui::ChartControl chart;
        chart.resize(1000, 560);
        first.add(timed([&] {
            requestRainfall(p);
            InputChartView v;
            readOnly.add(timed([&] { v = loadInputChart(p, ""); }));
            if (!v.ok) {
                std::fprintf(stderr, "%s\n", v.status.c_str());
                std::exit(1);
            }
            chart.setData(std::move(v.table));
            paintNow(chart);
        }));
    }
    std::printf("read and first draw (%d days, rain + measured): %s\n", days, first.text().c_str());
    std::printf("  of which the workbook read:                   %s\n", readOnly.text().c_str());

    Project p;
    p.DataFile = file.string();
    requestRainfall(p);
    ui::ChartControl chart;
    chart.resize(1000, 560);
    chart.setData(loadInputChart(p, "").table);
    paintNow(chart);

    Figures settings;
    for (int i = 0; i < repeat; ++i) {
        const std::string rows = std::to_string(i % 2 ? days : days - 1000 * (i + 1));
        settings.add(timed([&] {
            chart.setData(loadInputChart(p, rows).table);
            paintNow(chart);
        }));
    }
    std::printf("New settings redraw:                            %s\n", settings.text().c_str());

    Figures change2D, change3D;
    for (int i = 0; i < repeat; ++i)
        for (const ChartType& t : kChartTypes) {
            const double ms = timed([&] {
                chart.setChartType(t.code);
                paintNow(chart);
            });
            (t.threeD && chart.isDrawingIn3D() ? change3D : change2D).add(ms);
            if (i == 0) std::printf("  type %-14s %7.1f ms%s\n", std::string(t.name).c_str(), ms,
                                    t.threeD && !chart.isDrawingIn3D() ? "  (drawn as 2D: no OpenGL)" : "");
        }
    std::printf("type change, 2D types:                          %s\n", change2D.text().c_str());
    if (!change3D.ms.empty())
        std::printf("type change, 3D types:                          %s\n", change3D.text().c_str());

    if (!pngDir.empty()) {
        std::filesystem::create_directories(pngDir);
        auto shoot = [&](ui::ChartControl& c, int code, const std::string& name) {
            c.setChartType(code);
            paintNow(c);
            for (int k = 0; k < 5; ++k) QApplication::processEvents();
            QImage image = c.grab().toImage();
            if (c.isDrawingIn3D()) {
                // The 3D view is a native window: take it from the screen.
                if (QWidget* box = c.findChild<QWidget*>(code == chart::Bar3d || code == chart::Step3d
                                                             ? QStringLiteral("chartView3DBars")
                                                             : QStringLiteral("chartView3DSurface"))) {
                    QApplication::processEvents();
                    image = box->screen()->grabWindow(box->winId()).toImage();
                }
            }
            image.save(QString::fromStdString((pngDir / (name + ".png")).string()));
        };
        chart.setData(loadInputChart(p, "").table);
        for (int code : {chart::Line2d, chart::Bar2d, chart::Area2d, chart::Step2d, chart::Combination2d,
                         chart::Pie2d, chart::XY2d, chart::Bar3d, chart::Line3d, chart::Area3d})
            shoot(chart, code, "long_" + std::string(chartTypeOfCode(code)->name));
        chart.setData(loadInputChart(p, "30").table);
        for (int code : {chart::Line2d, chart::Bar2d, chart::Step2d, chart::Combination2d, chart::Pie2d,
                         chart::XY2d, chart::Bar3d, chart::Step3d, chart::Combination3d})
            shoot(chart, code, "short_" + std::string(chartTypeOfCode(code)->name));
        chart.resize(460, 300);  // a narrow window keeps its labels apart
        chart.setData(loadInputChart(p, "").table);
        shoot(chart, chart::Line2d, "narrow_long_2dLine");
        chart.setData(loadInputChart(p, "30").table);
        shoot(chart, chart::Bar2d, "narrow_short_2dBar");
        std::printf("pictures in %s\n", pngDir.string().c_str());
    }
    std::filesystem::remove_all(dir);
    return 0;
}
