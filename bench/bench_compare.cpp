// The comparison window with long records: a base and three scenarios of 40000 days each
// (the scenarios transpire more: a higher crop factor), compared on the real window from
// the click on Compare to both charts painted (the mean annual streamflow bars and the four
// flow duration curves). A timed program like bench_screens: the figures are wall-clock
// times on the machine's cores, the workbooks read and run in parallel as the window does.
//
//   QT_QPA_PLATFORM=offscreen bench_compare [--days N] [--repeat N]
#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "model/project.h"
#include "ui/chart/chart_control.h"
#include "ui/chart/duration_chart.h"
#include "ui/compare_screen.h"
#include "ui/dialogs.h"
#include "ui/navigation.h"
#include "ui/screens.h"
#include "workbook/xlsx_builder.h"
#include "bench_qt.h"
#include "bench_support.h"

namespace {

using namespace tarn;

constexpr int kScenarios = 3;
constexpr int kCropFactorRow = 11;           // Kc of each sub-area, columns F to O
constexpr double kTargetMs = 1500;           // from Compare to both charts drawn
constexpr int kWaitMs = 10 * 60 * 1000;      // a comparison that takes longer has hung

// A project workbook of `days` days with measured streamflow; scenario 0 is the base, each
// further one raises every sub-area's crop factor by 0.15.
void writeWorkbook(const std::filesystem::path& file, int days, int scenario) {
    XlsxBuilder b({false, true});
    const int s = b.addSheet("Inputs");
    bench::addProjectBlock(b, s);
    for (int column = 6; column <= 15; ++column) b.setNumber(s, kCropFactorRow, column, 1.0 + 0.15 * scenario);
    bench::addDailyRecord(b, s, days);
    b.save(file);
}

// No one answers: a prompt or a beep means the window refused what the benchmark did.
class NoDialogs : public ui::Dialogs {
public:
    int prompts = 0, beeps = 0;
    QString openFile(QWidget*, const ui::FileRequest&) override { return ++prompts, QString(); }
    QString saveFile(QWidget*, const ui::FileRequest&) override { return ++prompts, QString(); }
    ui::Answer message(QWidget*, const QString&, const QString&, ui::MessageButtons, ui::MessageKind) override {
        ++prompts;
        return ui::Answer::Cancel;
    }
    std::optional<QString> input(QWidget*, const QString&, const QString&, const QString&) override {
        ++prompts;
        return std::nullopt;
    }
    void beep(int times) override { beeps += times; }
};

void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith("This plugin does not support")) return;
    qt_message_output(type, context, message);
}

[[noreturn]] void fail(const QString& why) {
    std::fprintf(stderr, "bench_compare: %s\n", qPrintable(why));
    std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietOffscreen);
    QApplication app(argc, argv);
    int days = 40000, repeat = 5;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--days") && i + 1 < argc) days = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--repeat") && i + 1 < argc) repeat = std::atoi(argv[++i]);
    }
    repeat = std::max(repeat, 1);
    const auto dir = std::filesystem::temp_directory_path() / "tarnflow-bench-compare";
    std::filesystem::create_directories(dir);
    std::vector<std::filesystem::path> books;
    for (int i = 0; i <= kScenarios; ++i) {
        books.push_back(dir / ("scenario" + std::to_string(i) + ".xlsx"));
        writeWorkbook(books.back(), days, i);
    }
    std::printf("platform %s, %u threads, base and %d scenarios of %d days, %d repeats\n",
                qPrintable(QApplication::platformName()), std::max(1u, std::thread::hardware_concurrency()),
                kScenarios, days, repeat);

    Project project;
    NoDialogs dialogs;
    ui::Navigation nav(project, dialogs);
    ui::registerScreens(nav);
    nav.setQuit([] { fail("the program was asked to end"); });
    project.DataFile = books.front().string();
    project.MeasFlow = 1;
    auto* screen = qobject_cast<ui::CompareScreen*>(nav.show(QStringLiteral("frmCompare")));
    if (!screen) fail("frmCompare did not open");
    for (std::size_t i = 1; i < books.size(); ++i) screen->addScenario(QString::fromStdString(books[i].string()));
    auto* run = screen->control<QPushButton>("cmdCompareRun");
    auto* bars = screen->control<ui::ChartControl>("chtAnnual");
    auto* curves = screen->control<ui::DurationChart>("chtDuration");
    bench::paintNow(*screen);

    bench::Figures total, filled, painted;
    for (int i = 0; i < repeat; ++i) {
        bool ok = false;
        double runMs = 0;
        const double ms = bench::timed([&] {
            QEventLoop wait;
            QObject::connect(screen, &ui::CompareScreen::compared, &wait, [&](bool done) {
                ok = done;
                wait.quit();
            });
            QTimer::singleShot(kWaitMs, &wait, [] { fail("the comparison did not end"); });
            runMs = bench::timed([&] {
                run->click();
                wait.exec();
            });
            if (!ok) fail("the comparison failed: " + screen->control<QLineEdit>("txtStatus")->text());
            bench::paintNow(*bars);
            bench::paintNow(*curves);
        });
        if (bars->rowCount() != kScenarios + 1 || curves->curves().curves.size() != std::size_t(kScenarios + 1))
            fail("the charts do not show every workbook");
        total.add(ms);
        filled.add(runMs);
        painted.add(ms - runMs);
    }
    if (dialogs.prompts || dialogs.beeps) fail("the window asked or beeped");

    std::printf("Compare to both charts drawn:   %s  target %.0f: %s\n", total.text().c_str(), kTargetMs,
                total.max() <= kTargetMs ? "within" : "OVER");
    std::printf("  of which read, run, filled:   %s\n", filled.text().c_str());
    std::printf("  and both charts painted:      %s\n", painted.text().c_str());
    std::filesystem::remove_all(dir);
    return 0;
}
