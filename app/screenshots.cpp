// tarnflow-screenshots OUTDIR WORKBOOK: walks the screens of tarnflow-app as a user would on
// WORKBOOK and saves a picture of each into OUTDIR. Run it under a display (scripts/screenshots
// uses a virtual one). To add a screen, add a stop to the tour below.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QEventLoop>
#include <QCheckBox>
#include <QDialog>
#include <QTemporaryDir>
#include <QComboBox>
#include <QPixmap>
#include <QScreen>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "input/menu.h"
#include "model/project.h"
#include "ui/compare_screen.h"
#include "ui/dialogs.h"
#include "ui/navigation.h"
#include "ui/progress_window.h"
#include "ui/qt_text.h"
#include "ui/screen.h"
#include "ui/screens.h"

namespace {

using namespace tarn::ui;

// Lets the windows settle: shown, laid out, painted, the clock ticked.
void settle(int ms = 150) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Once it has settled, saves a picture of the dialog that is up into `picture` and closes it.
void photographDialog(const QString& picture, bool accept) {
    QTimer::singleShot(300, [picture, accept] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            std::fprintf(stderr, "tarnflow-screenshots: no dialog to photograph for %s\n", qPrintable(picture));
            return;
        }
        if (dialog->grab().save(picture)) std::printf("%s\n", qPrintable(picture));
        if (accept) dialog->accept();
        else dialog->reject();
    });
}

// Answers as a user who picks the tour's workbook and accepts every default would. A save
// asked for by photographSave() shows the program's own dialogs, photographs them and
// answers with the file given.
class ScriptedDialogs : public Dialogs {
public:
    explicit ScriptedDialogs(QString workbook) : workbook_(std::move(workbook)) {}
    QString openFile(QWidget*, const FileRequest&) override { return workbook_; }
    QString saveFile(QWidget* parent, const FileRequest& request) override {
        if (savePicture_.isEmpty()) return {};
        photographDialog(std::exchange(savePicture_, {}), false);
        real_.saveFile(parent, request);
        return std::exchange(saveAnswer_, {});
    }
    Answer message(QWidget*, const QString&, const QString&, MessageButtons, MessageKind) override { return Answer::Ok; }
    std::optional<QString> input(QWidget* parent, const QString& prompt, const QString& title,
                                 const QString& defaultValue) override {
        if (inputPicture_.isEmpty()) return defaultValue;
        photographDialog(std::exchange(inputPicture_, {}), true);
        return real_.input(parent, prompt, title, defaultValue);
    }
    void beep(int) override {}

    // The next save dialog and input box are photographed into these files; the save
    // dialog's answer is `file`.
    void photographSave(QString savePicture, QString inputPicture, QString file) {
        savePicture_ = std::move(savePicture);
        inputPicture_ = std::move(inputPicture);
        saveAnswer_ = std::move(file);
    }

private:
    QString workbook_;
    QtDialogs real_;
    QString savePicture_, inputPicture_, saveAnswer_;
};

class Tour {
public:
    Tour(Navigation& navigation, ScriptedDialogs& scripted, QDir outDir)
        : nav(navigation), dialogs(scripted), out(std::move(outDir)) {}

    Screen* screen(const QString& form) const {
        Screen* s = nav.loaded(form);
        if (!s) throw std::runtime_error("the tour expected " + form.toStdString() + " to be open");
        return s;
    }
    // Presses a button of an open screen.
    void click(const QString& form, const QString& button) {
        screen(form)->control<QPushButton>(button)->click();
        settle(50);
    }

    Navigation& nav;
    ScriptedDialogs& dialogs;
    QDir out;
};

struct Stop {
    QString picture;                       // file name in OUTDIR
    std::function<QWidget*(Tour&)> reach;  // brings the window up and returns it (or null
                                           // when it took its pictures itself)
    bool fromScreen = false;               // taken from the screen: the 3D charts draw with OpenGL
};

// The tour, in wizard order.
std::vector<Stop> tourStops() {
    return {
        {"welcome.png", [](Tour& t) -> QWidget* {
             t.nav.start();
             return t.screen("frmMain");
         }},
        {"main_menu.png", [](Tour& t) -> QWidget* {
             t.click("frmMain", "cmdNext_1");
             return t.screen("frmAMain");
         }},
        // New project from CSV..., with its defaults, offered before a file is chosen.
        {"new_project.png", [](Tour& t) -> QWidget* {
             t.click("frmAMain", "cmdInputDatafile");
             t.click("frmDetail", "cmdNewProject");
             return t.screen("frmNewProject");
         }},
        {"details.png", [](Tour& t) -> QWidget* {
             t.nav.unload("frmNewProject");
             t.click("frmDetail", "cmdTemplt");
             return t.screen("frmDetail");
         }},
        {"progress.png", [](Tour& t) -> QWidget* {
             ProgressWindow& progress = t.nav.progress();
             progress.begin(" Running the Model Please Wait ! ", 100);
             progress.setProgress(40, 100);
             return &progress;
         }},
        {"main_menu_after_details.png", [](Tour& t) -> QWidget* {
             t.nav.progress().end();
             t.click("frmDetail", "cmdNext_2");
             return t.screen("frmAMain");
         }},
        // The catchment after a capture of the file's total area and shares.
        {"catchment.png", [](Tour& t) -> QWidget* {
             t.click("frmAMain", "cmdDefineArea");
             auto* total = t.screen("frmCatchment")->control<QLineEdit>("txtTotalArea");
             const QString typed = total->text();
             total->clear();
             total->setText(typed);
             t.click("frmCatchment", "Command1");
             return t.screen("frmCatchment");
         }},
        {"rainfall.png", [](Tour& t) -> QWidget* {
             t.click("frmCatchment", "cmdNext_3");
             t.click("frmAMain", "cmdInputRainData");
             t.screen("frmGetRain")->control<QCheckBox>("chkStreamflow")->setChecked(true);
             return t.screen("frmGetRain");
         }},
        // The input series chart opened by the rainfall capture (rainfall and measured
        // streamflow), then in a 3D type over its first 60 days.
        {"input_chart.png", [](Tour& t) -> QWidget* {
             t.click("frmGetRain", "cmdCapRain");
             return t.screen("frmChartP");
         }},
        {"input_chart_3d.png",
         [](Tour& t) -> QWidget* {
             Screen* chart = t.screen("frmChartP");
             chart->control<QComboBox>("cmbRowsRain")->setEditText("60");
             t.click("frmChartP", "cmdNewSet");
             chart->control<QComboBox>("cmbType")->setCurrentText("3dBar");
             return chart;
         },
         true},
        {"etref.png", [](Tour& t) -> QWidget* {
             t.nav.unload("frmGetRain");
             t.nav.openStep(tarn::Step::Etref);
             t.screen("frmEtref")->control<QRadioButton>("OptDaily")->setChecked(true);
             return t.screen("frmEtref");
         }},
        // Soil and vegetation: each step, its class choice with a class chosen for a few
        // sub-areas, and its class table; then captured, as the menu offers the next step.
        {"soil.png", [](Tour& t) -> QWidget* {
             t.nav.unload("frmEtref");
             t.nav.openStep(tarn::Step::Soil);
             return t.screen("frmSoilPara");
         }},
        {"soil_classes.png", [](Tour& t) -> QWidget* {
             t.screen("frmSoilPara")->control<QRadioButton>("optFromList")->setChecked(true);
             t.click("frmSoilPara", "cmdGetSoilPara");
             for (const char* option : {"optA1_S_1", "optA2_S_3", "optA3_S_4"})
                 t.screen("frmSoilParaSet")->control<QRadioButton>(option)->setChecked(true);
             t.click("frmSoilParaSet", "cmdResetSoilData");
             return t.screen("frmSoilParaSet");
         }},
        {"soil_table.png", [](Tour& t) -> QWidget* {
             t.click("frmSoilParaSet", "cmdSoilType");
             return t.screen("frmSoilDataStore");
         }},
        {"soil_after_classes.png", [](Tour& t) -> QWidget* {
             t.click("frmSoilDataStore", "cmdBack6_3");
             t.click("frmSoilParaSet", "cmdBack6_2");
             t.click("frmSoilPara", "cmdUpdateNew");
             return t.screen("frmSoilPara");
         }},
        {"vegetation.png", [](Tour& t) -> QWidget* {
             t.click("frmSoilPara", "cmdNext_6");
             t.click("frmAMain", "cmdVegeParametsrs");
             return t.screen("frmVege");
         }},
        {"vegetation_classes.png", [](Tour& t) -> QWidget* {
             t.screen("frmVege")->control<QRadioButton>("optNewVege")->setChecked(true);
             t.click("frmVege", "cmdCaptureVege");
             for (const char* option : {"optVege1_0", "optVege2_4", "optVege3_3"})
                 t.screen("frmVegeParaSet")->control<QRadioButton>(option)->setChecked(true);
             t.click("frmVegeParaSet", "cmdResetVege");
             return t.screen("frmVegeParaSet");
         }},
        {"vegetation_table.png", [](Tour& t) -> QWidget* {
             t.click("frmVegeParaSet", "Command2");
             return t.screen("frmVegeDataStore");
         }},
        {"main_menu_after_vegetation.png", [](Tour& t) -> QWidget* {
             t.click("frmVegeDataStore", "cmdBack7_3");
             t.click("frmVegeParaSet", "cmdBack7_2");
             t.click("frmVege", "cmdUpdateVege");
             t.click("frmVege", "cmdNext_7");
             return t.screen("frmAMain");
         }},
        {"initial_conditions.png", [](Tour& t) -> QWidget* {
             t.click("frmAMain", "cmdIniConditions");
             return t.screen("frmIniCond");
         }},
        // The run screen after a run, with rainfall and modelled streamflow ticked.
        {"run.png", [](Tour& t) -> QWidget* {
             t.click("frmIniCond", "cmdCapture");
             t.click("frmIniCond", "cmdNext_8");
             // The rainfall step's Next (which the tour passed by) keeps the rainfall factors.
             t.nav.openStep(tarn::Step::Rainfall);
             t.screen("frmGetRain")->control<QCheckBox>("chkStreamflow")->setChecked(true);
             t.click("frmGetRain", "cmdCapRain");
             t.click("frmGetRain", "cmdNext_4");
             t.nav.openStep(tarn::Step::Run);
             t.click("frmRunModel", "cmdRunModel");
             t.screen("frmRunModel")->control<QCheckBox>("chkSeriesOut_1")->setChecked(true);
             return t.screen("frmRunModel");
         }},
        // Show me over the first year, then the baseflow index halved and rerun: the first and
        // the last run side by side.
        {"output_rerun.png", [](Tour& t) -> QWidget* {
             t.screen("frmRunModel")->control<QComboBox>("cmbDaysOut")->setEditText("365");
             t.click("frmRunModel", "cmdShowMe");
             Screen* output = t.screen("frmOutput");
             auto* bfi = output->control<QLineEdit>("txtBFlow");
             bfi->setText(QString::number(bfi->text().toDouble() / 2));
             auto* upper = output->control<QComboBox>("cmbUpperLimit");
             upper->setCurrentIndex(364);
             t.click("frmOutput", "cmdRefresh");
             return output;
         }},
        // The same screen with the flow duration curves of both runs and of the measured
        // streamflow in the chart's place.
        {"output_duration.png", [](Tour& t) -> QWidget* {
             t.screen("frmOutput")->control<QCheckBox>("chkDuration")->setChecked(true);
             return t.screen("frmOutput");
         }},
        // The class screen, chosen by "Use generic parameter values".
        {"output_classes.png", [](Tour& t) -> QWidget* {
             t.click("frmOutput", "cmdexitoutput");
             t.screen("frmRunModel")->control<QRadioButton>("optNames")->setChecked(true);
             t.click("frmRunModel", "cmdShowMe");
             return t.screen("frmOutput_2");
         }},
        // Its fit over the year 2000, and its duration curves.
        {"output_classes_duration.png", [](Tour& t) -> QWidget* {
             Screen* output = t.screen("frmOutput_2");
             const std::pair<const char*, const char*> window[] = {{"txtFitFrom", "2000-01-01"},
                                                                   {"txtFitTo", "2000-12-31"}};
             for (const auto& [box, date] : window) {
                 auto* edit = output->control<QLineEdit>(box);
                 edit->setText(date);
                 emit edit->editingFinished();
             }
             output->control<QCheckBox>("chkDuration")->setChecked(true);
             return output;
         }},
        // The analysis screens after the rerun, each opened from the run screen and shown.
        {"monthly.png", [](Tour& t) -> QWidget* {
             t.nav.unload("frmOutput_2");
             t.nav.unload("frmOutput");
             t.nav.show("frmRunModel");
             t.click("frmRunModel", "cmdNext_9");
             return t.screen("frmTotalflows");
         }},
        {"annual.png", [](Tour& t) -> QWidget* {
             t.click("frmTotalflows", "cmdBack10");
             t.click("frmRunModel", "cmdAnTot");
             t.click("frmAnnual", "Command1");
             return t.screen("frmAnnual");
         }},
        {"annual_mm.png", [](Tour& t) -> QWidget* {
             t.click("frmAnnual", "Command2");
             t.click("frmRunModel", "cmdAnnualTotmmm");
             t.screen("frmAnnualTotmm")->control<QRadioButton>("optWater")->setChecked(true);
             t.click("frmAnnualTotmm", "cmdShowmeAntotal");
             return t.screen("frmAnnualTotmm");
         }},
        {"seven_day.png", [](Tour& t) -> QWidget* {
             t.click("frmAnnualTotmm", "Command1");
             t.click("frmRunModel", "cmdMinFlows10");
             t.click("frmMiniFlows", "CmdYear7dayMin");
             return t.screen("frmMiniFlows");
         }},
        // The lowest seven-day flow of the summer and autumn of 1999.
        {"period.png", [](Tour& t) -> QWidget* {
             t.click("frmMiniFlows", "Command1");
             t.click("frmRunModel", "cmdMiniFlow");
             Screen* period = t.screen("frmMiniFlow");
             period->control<QComboBox>("cmbTimeFrom")->setCurrentIndex(150);
             period->control<QComboBox>("cmbStopTime")->setCurrentIndex(300);
             t.click("frmMiniFlow", "cmdMinFlow");
             return period;
         }},
        // The calibration window from the screen of values, after a search on 1999-2003 with a
        // year's warm-up.
        {"calibrate.png", [](Tour& t) -> QWidget* {
             t.click("frmMiniFlow", "Command1");
             t.screen("frmRunModel")->control<QRadioButton>("optValues")->setChecked(true);
             t.click("frmRunModel", "cmdShowMe");
             t.click("frmOutput", "cmdCalibrate");
             Screen* window = t.screen("frmCalibrate");
             const std::pair<const char*, const char*> boxes[] = {
                 {"txtFrom", "1999-01-01"}, {"txtUntil", "2003-12-31"}, {"txtWarmUp", "365"}};
             for (const auto& [box, text] : boxes) window->control<QLineEdit>(box)->setText(text);
             t.click("frmCalibrate", "cmdStart");
             for (int waited = 0; !window->control<QPushButton>("cmdStart")->isEnabled(); waited += 100) {
                 if (waited > 120000) throw std::runtime_error("the calibration did not finish");
                 settle(100);
             }
             return window;
         }},
        // Applied: the calibrated set is the last run, beside the first.
        {"output_calibrated.png", [](Tour& t) -> QWidget* {
             t.click("frmCalibrate", "cmdApply");
             t.nav.unload("frmCalibrate");
             return t.screen("frmOutput");
         }},
        // The comparison of the example with its woodland scenario.
        {"compare.png", [](Tour& t) -> QWidget* {
             t.nav.unload("frmMiniFlow");
             t.nav.show("frmRunModel");
             t.click("frmRunModel", "cmdCompare");
             auto* compare = qobject_cast<CompareScreen*>(t.screen("frmCompare"));
             const QFileInfo base(tarn::ui::toQ(t.nav.project().DataFile));
             compare->addScenario(base.dir().filePath("coln_bibury_woodland.xlsx"));
             if (!compare->compare()) throw std::runtime_error("the comparison did not start");
             while (compare->busy()) settle(50);
             compare->resize(compare->size().expandedTo(QSize(1100, 800)));
             return compare;
         }},
        // Save chart... on the duration curves: the save dialog, then the size of the picture.
        {"save_chart.png", [](Tour& t) -> QWidget* {
             QTemporaryDir scratch;
             t.dialogs.photographSave(t.out.filePath("save_chart.png"), t.out.filePath("save_chart_size.png"),
                                      scratch.filePath("flow_duration.png"));
             // Both charts' buttons carry the one name; this is the one in the curves' frame.
             Screen* compare = t.screen("frmCompare");
             compare->control("chtDuration")->parentWidget()->findChild<QPushButton*>("cmdSaveChart")->click();
             settle(50);
             return nullptr;
         }},
    };
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tarnflow-screenshots OUTDIR WORKBOOK\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QString workbook = QDir(QDir::currentPath()).absoluteFilePath(QString::fromLocal8Bit(argv[2]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "tarnflow-screenshots: cannot create %s\n", argv[1]);
        return 1;
    }

    tarn::Project project;
    ScriptedDialogs dialogs(workbook);
    Navigation navigation(project, dialogs);
    registerScreens(navigation);
    Tour tour(navigation, dialogs, out);
    try {
        for (const Stop& stop : tourStops()) {
            QWidget* window = stop.reach(tour);
            if (!window) continue;
            settle();
            const QString file = out.filePath(stop.picture);
            const QPixmap picture = stop.fromScreen && window->screen()
                                        ? window->screen()->grabWindow(window->winId())
                                        : window->grab();
            if (!picture.save(file)) throw std::runtime_error("cannot write " + file.toStdString());
            std::printf("%s\n", qPrintable(file));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tarnflow-screenshots: %s\n", e.what());
        return 1;
    }
    return 0;
}
