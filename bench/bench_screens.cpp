// The output and analysis screens with a long record: a project of 40000 days with
// measured streamflow, run on the real screens. Times Rerun on the output chart with four
// series (rainfall, measured, the first and the last run's modelled streamflow), from the
// click to the repainted chart, and the opening of each analysis screen from the run
// screen's button, its Show me included. A timed program like bench_chart: each figure is
// measured from the click to the painted window.
//
//   QT_QPA_PLATFORM=offscreen bench_screens [--days N] [--repeat N]
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "input/capture.h"
#include "input/menu.h"
#include "model/dates.h"
#include "model/project.h"
#include "ui/chart/chart_control.h"
#include "ui/dialogs.h"
#include "ui/navigation.h"
#include "ui/screen.h"
#include "ui/screens.h"
#include "workbook/input_workbook.h"
#include "workbook/xlsx_builder.h"
#include "bench_qt.h"
#include "bench_support.h"

namespace {

using namespace tarn;

// A project workbook of `days` days: ten sub-areas with their parameters, and the daily
// columns with measured streamflow.
void writeWorkbook(const std::filesystem::path& file, int days) {
    XlsxBuilder b({false, true});
    const int s = b.addSheet("Inputs");
    bench::addProjectBlock(b, s);
    bench::addDailyRecord(b, s, days);
    b.save(file);
}

// No one answers: every prompt is cancelled and shown on stderr, for a prompt or a beep
// means a screen refused what the benchmark did.
class NoDialogs : public ui::Dialogs {
public:
    int prompts = 0, beeps = 0;
    QString openFile(QWidget*, const ui::FileRequest&) override { return note("file dialog"), QString(); }
    QString saveFile(QWidget*, const ui::FileRequest&) override { return note("file dialog"), QString(); }
    ui::Answer message(QWidget*, const QString& text, const QString&, ui::MessageButtons, ui::MessageKind) override {
        note(text);
        return ui::Answer::Cancel;
    }
    std::optional<QString> input(QWidget*, const QString& prompt, const QString&, const QString&) override {
        note(prompt);
        return std::nullopt;
    }
    void beep(int times) override { beeps += times; }

private:
    void note(const QString& what) {
        ++prompts;
        std::fprintf(stderr, "unexpected prompt: %s\n", qPrintable(what));
    }
};

// Keeps the offscreen platform's notes on what it cannot do (raise a window, ...) out of
// the figures.
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith("This plugin does not support")) return;
    qt_message_output(type, context, message);
}

[[noreturn]] void fail(const QString& why) {
    std::fprintf(stderr, "bench_screens: %s\n", qPrintable(why));
    std::exit(1);
}

// The program on its screens with the long project read as the input steps leave it
// (measured streamflow included), on the run screen.
struct Session {
    Project project;
    NoDialogs dialogs;
    ui::Navigation nav{project, dialogs};

    explicit Session(const std::filesystem::path& file) {
        ui::registerScreens(nav);
        nav.setQuit([] { fail("the program was asked to end"); });
        Project& p = project;
        p.DataFile = file.string();
        auto book = openWorkbook(file);
        readHeader(*book, p);
        catchmentNext(p, p.TotalArea.text(), catchmentBoxes(p));
        captureRainFactors(p, rainFactorBoxes(p), true);
        loadParametersFromDataFile(*book, p);
        loadDailySeries(*book, p, {true, true, EtrefInput::Daily});
        p.MeasFlow = 1;
        nav.setWorkbook(std::move(book));
        nav.openStep(Step::Run);
    }

    ui::Screen* screen(const QString& form) const {
        ui::Screen* s = nav.loaded(form);
        if (!s || !s->isVisible()) fail(form + " is not open");
        return s;
    }
    template <class W = QWidget>
    W* at(const QString& form, const QString& name) const {
        W* w = screen(form)->findChild<W*>(name);
        if (!w) fail(form + " has no " + name);
        return w;
    }
    void click(const QString& form, const QString& name) const {
        auto* b = at<QAbstractButton>(form, name);
        if (!b->isEnabled()) fail(form + "." + name + " is disabled");
        b->click();
    }
};

using bench::Figures;
using bench::paintNow;
using bench::timed;

const QString kRun = QStringLiteral("frmRunModel");
const QString kOut = QStringLiteral("frmOutput");

struct AnalysisScreen {
    const char* button;  // on the run screen
    const char* form;
    const char* showMe;  // null: the screen fills as it opens
    const char* back;
};
const AnalysisScreen kAnalysis[] = {
    {"cmdNext_9", "frmTotalflows", nullptr, "cmdBack10"},
    {"cmdAnTot", "frmAnnual", "Command1", "Command2"},
    {"cmdAnnualTotmmm", "frmAnnualTotmm", "cmdShowmeAntotal", "Command1"},
    {"cmdMinFlows10", "frmMiniFlows", "CmdYear7dayMin", "Command1"},
    {"cmdMiniFlow", "frmMiniFlow", "cmdMinFlow", "Command1"},
};

const char* verdict(double ms, double target) { return ms <= target ? "within" : "OVER"; }

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
    const auto dir = std::filesystem::temp_directory_path() / "tarnflow-bench-screens";
    std::filesystem::create_directories(dir);
    const auto file = dir / "record.xlsx";
    writeWorkbook(file, days);
    std::printf("platform %s, %d days, %d repeats\n", qPrintable(QApplication::platformName()), days, repeat);

    Session s(file);
    const double runMs = timed([&] {
        s.click(kRun, "cmdRunModel");
        paintNow(*s.screen(kRun));
    });
    if (s.project.ModelRun != 1) fail("the run failed: " + s.at<QLineEdit>(kRun, "txtRunComplete")->text());
    std::printf("run (once):                                  %7.1f ms\n", runMs);

    // Show me with rainfall, modelled and measured streamflow over the whole record.
    s.at<QCheckBox>(kRun, "chkSeriesOut_1")->setChecked(true);
    s.at<QCheckBox>(kRun, "chkSeriesOut_4")->setChecked(true);
    s.at<QCheckBox>(kRun, "chkSeriesOut_5")->setChecked(true);
    s.at<QComboBox>(kRun, "cmbDaysOut")->setEditText(QString::number(days));
    ui::ChartControl* chart = nullptr;
    const double showMs = timed([&] {
        s.click(kRun, "cmdShowMe");
        chart = s.at<ui::ChartControl>(kOut, "chtSample");
        paintNow(*chart);
    });
    std::printf("output chart, Show me (once):                %7.1f ms\n", showMs);

    // Rerun with another baseflow index each time: the first and the last run's streamflow.
    Figures rerun;
    for (int i = 0; i < repeat; ++i) {
        s.at<QLineEdit>(kOut, "txtBFlow")->setText(i % 2 ? "0.5" : "0.3");
        rerun.add(timed([&] {
            s.click(kOut, "cmdRefresh");
            paintNow(*chart);
        }));
        if (s.project.RerunFlag != 1 || chart->rowCount() != days || chart->columnCount() != 5)
            fail("Rerun did not chart the last run: " + s.at<QLineEdit>(kOut, "txtMessage")->text());
    }
    std::printf("output chart, Rerun and redraw (4 series):   %s  target 300: %s\n", rerun.text().c_str(),
                verdict(rerun.max(), 300));
    std::vector<std::pair<std::string, Figures>> table{{"Rerun + redraw, frmOutput", rerun}};
    s.click(kOut, "cmdexitoutput");

    for (const AnalysisScreen& a : kAnalysis) {
        Figures open, show, total;
        for (int i = 0; i < repeat; ++i) {
            ui::Screen* screen = nullptr;
            const double o = timed([&] {
                s.click(kRun, a.button);
                screen = s.screen(a.form);
                paintNow(*screen);
            });
            const double m = !a.showMe ? 0.0 : timed([&] {
                s.click(a.form, a.showMe);
                paintNow(*screen);
            });
            open.add(o);
            show.add(m);
            total.add(o + m);
            s.click(a.form, a.back);
            s.screen(kRun);
        }
        std::printf("%-15s open + Show me: %s  target 200: %s\n", a.form, total.text().c_str(),
                    verdict(total.max(), 200));
        std::printf("%-15s   of which open: %s\n", "", open.text().c_str());
        if (a.showMe) std::printf("%-15s   and Show me:   %s\n", "", show.text().c_str());
        table.emplace_back(std::string(a.form) + (a.showMe ? ", open + Show me" : ", open"), total);
    }
    if (s.dialogs.prompts || s.dialogs.beeps) fail("a screen refused: see the prompts above");

    std::printf("\n%-36s %10s %10s\n", "", "median ms", "max ms");
    for (const auto& [name, f] : table) std::printf("%-36s %10.1f %10.1f\n", name.c_str(), f.median(), f.max());
    std::filesystem::remove_all(dir);
    return 0;
}
