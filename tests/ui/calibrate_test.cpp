// The calibration window as a user drives it from the output screens on the example: a
// search applied as the last run while the first run stays; a search stopped and closed
// without Apply, which changes nothing; refusals of the boxes.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "analysis/fit.h"
#include "input/capture.h"
#include "input/menu.h"
#include "ui/chart/chart_control.h"
#include "ui/qt_text.h"
#include "ui_session.h"
#include "workbook/input_workbook.h"

using namespace tarn::ui;
using namespace tarn::ui::test;
using tarn::Project;
namespace qty = tarn::qty;
namespace slot = tarn::slot;

namespace {

const QString kOut = QStringLiteral("frmOutput");
const QString kOut2 = QStringLiteral("frmOutput_2");
const QString kCal = QStringLiteral("frmCalibrate");
constexpr int kSearchTimeout = 60000;  // ms

// The example, as the input steps leave it with its measured streamflow, run and shown on
// frmOutput (or, with `classes`, on frmOutput_2).
struct CalSession : UiSession {
    QTemporaryDir dir;

    explicit CalSession(bool classes = false) {
        const QString input = dir.filePath("coln.xlsx");
        QFile::copy(exampleWorkbook(), input);
        Project& p = project;
        p.DataFile = toStd(input);
        auto book = tarn::openWorkbook(toPath(input));
        tarn::readHeader(*book, p);
        tarn::catchmentNext(p, p.TotalArea.text(), tarn::catchmentBoxes(p));
        tarn::captureRainFactors(p, tarn::rainFactorBoxes(p), true);
        tarn::loadParametersFromDataFile(*book, p);
        tarn::loadDailySeries(*book, p, {true, true, tarn::EtrefInput::Daily});
        p.MeasFlow = 1;
        nav.setWorkbook(std::move(book));
        nav.openStep(tarn::Step::Run);
        click("frmRunModel", "cmdRunModel");
        if (classes) at<QAbstractButton>("frmRunModel", "optNames")->setChecked(true);
        click("frmRunModel", "cmdShowMe");
        click(classes ? kOut2 : kOut, "cmdCalibrate");
    }

    template <class W = QWidget>
    W* at(const QString& form, const QString& name) const {
        W* w = control<W>(form, name);
        if (!w) qFatal("%s has no %s", qPrintable(form), qPrintable(name));
        return w;
    }
    void type(const QString& box, const QString& text) const { at<QLineEdit>(kCal, box)->setText(text); }
    QString text(const QString& form, const QString& box) const { return at<QLineEdit>(form, box)->text(); }
    bool searching() const { return !at(kCal, "cmdStart")->isEnabled(); }
};

std::vector<double> series(const Project& p, tarn::Slot run) {
    return {p.Balance.series(run, qty::Q), p.Balance.series(run, qty::Q) + p.NumDays + 1};
}

}  // namespace

class CalibrateTest : public QObject {
    Q_OBJECT

private slots:
    void a_search_applied_becomes_the_last_run() {
        CalSession s;
        Project& p = s.project;
        QVERIFY(s.nav.loaded(kCal) && s.nav.loaded(kCal)->isVisible());
        // Every control an outside driver looks for, and the defaults ticked.
        for (int n = 0; n < 10; ++n)
            for (const char* name : {"chkParam", "cmbForm", "cmbSubArea", "txtLo", "txtHi"})
                QVERIFY2(s.control(kCal, QString("%1_%2").arg(name).arg(n)), name);
        for (const char* name : {"cmbObjective", "txtFrom", "txtUntil", "txtWarmUp", "txtEvaluations", "txtSeed",
                                 "cmdStart", "cmdStop", "cmdApply", "cmdClose", "prgCalibrate", "txtBest"})
            QVERIFY2(s.control(kCal, name), name);
        for (int n = 0; n < 10; ++n)
            QCOMPARE(s.at<QCheckBox>(kCal, QString("chkParam_%1").arg(n))->isChecked(), n == 0 || n == 4 || n >= 8);
        QCOMPARE(s.text(kCal, "txtLo_9") + ":" + s.text(kCal, "txtHi_9"), QString("0.8:0.999"));
        QVERIFY(!s.at(kCal, "cmdApply")->isEnabled());

        s.type("txtFrom", "1999-01-01");
        s.type("txtUntil", "2003-12-31");
        s.type("txtWarmUp", "365");
        s.type("txtEvaluations", "300");
        const std::vector<double> firstRun = series(p, slot::FirstRun);
        QVERIFY(s.click(kCal, "cmdStart"));
        QVERIFY(s.searching());
        QTRY_VERIFY_WITH_TIMEOUT(!s.searching(), kSearchTimeout);
        auto* progress = s.at<QProgressBar>(kCal, "prgCalibrate");
        QCOMPARE(progress->value(), progress->maximum());
        const QString best = s.text(kCal, "txtBest");
        QVERIFY2(best.toDouble() > 0.5, qPrintable(best));
        // The curve of the best so far never falls and ends at the best.
        const auto* curve = s.at<ChartControl>(kCal, "chtCalibrate");
        QVERIFY(curve->rowCount() > 1);
        for (int r = 1; r < curve->rowCount(); ++r) QVERIFY(curve->value(1, r) >= curve->value(1, r - 1));
        QCOMPARE(QString::number(curve->value(1, curve->rowCount() - 1), 'f', 6), best);
        QCOMPARE(p.RerunFlag, 0);  // nothing applied yet

        QVERIFY(s.click(kCal, "cmdApply"));
        QCOMPARE(p.RerunFlag, 1);
        QCOMPARE(series(p, slot::FirstRun), firstRun);
        QVERIFY(series(p, slot::LastRun) != firstRun);
        // The rerun of the applied set fits as the search found.
        const tarn::FitFigures fit = tarn::runFit(p, slot::LastRun, tarn::dayRangeOf(p, "2000-01-01", "2003-12-31"));
        QCOMPARE(QString::number(*fit.kge, 'f', 6), best);
        QVERIFY(s.at<QLabel>(kOut, "lblFitLast")->isVisible());
        const double bfi = s.text(kOut, "txtBFlow").toDouble();
        QVERIFY(bfi >= 0.05 && bfi <= 0.95);
        QCOMPARE(p.SubPara(0, tarn::para::BFI).numberOr0(), bfi);
    }

    void a_stopped_search_closed_changes_nothing() {
        CalSession s(true);
        Project& p = s.project;
        // The class screen holds soil and vegetation as classes: those rows stay off.
        for (int n = 0; n < 5; ++n) {
            auto* tick = s.at<QCheckBox>(kCal, QString("chkParam_%1").arg(n));
            QVERIFY(!tick->isEnabled() && !tick->isChecked());
        }
        QVERIFY(s.at<QCheckBox>(kCal, "chkParam_8")->isChecked());
        const Project before = p;
        const QString bfiBox = s.text(kOut2, "txtBFlow");

        s.type("txtEvaluations", "1000000");
        QVERIFY(s.click(kCal, "cmdStart"));
        auto* progress = s.at<QProgressBar>(kCal, "prgCalibrate");
        QTRY_VERIFY_WITH_TIMEOUT(progress->value() > 0 && !s.text(kCal, "txtBest").isEmpty(), kSearchTimeout);
        QVERIFY(s.click(kCal, "cmdStop"));
        QTRY_VERIFY_WITH_TIMEOUT(!s.searching(), kSearchTimeout);
        QVERIFY(progress->value() < progress->maximum());
        QVERIFY2(s.text(kCal, "txtMessage").startsWith("Stopped after "), qPrintable(s.text(kCal, "txtMessage")));
        QVERIFY(s.at(kCal, "cmdApply")->isEnabled());

        QVERIFY(s.click(kCal, "cmdClose"));
        QVERIFY(!s.nav.loaded(kCal));
        QCOMPARE(p.RerunFlag, before.RerunFlag);
        QCOMPARE(series(p, slot::LastRun), series(before, slot::LastRun));
        for (int s2 = 0; s2 < 3; ++s2)
            for (tarn::Param c : tarn::kRunParams)
                QCOMPARE(p.SubPara(s2, c).text(), before.SubPara(s2, c).text());
        QCOMPARE(s.text(kOut2, "txtBFlow"), bfiBox);
    }

    void refusals_name_the_box_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("focus");
        QTest::newRow("reversed bounds") << "txtLo_8" << "0.96" << "Baseflow index: the low bound 0.96 must be below"
                                         << "txtLo_8";
        QTest::newRow("bound not a number") << "txtHi_0" << "four" << "TAW (mm), high: 'four' is not a number"
                                            << "txtHi_0";
        QTest::newRow("factor of 0") << "txtLo_4" << "0" << "Crop coefficient, low: a factor must be above 0"
                                     << "txtLo_4";
        QTest::newRow("date of no day") << "txtUntil" << "2030-01-01" << "Until: " << "txtUntil";
        QTest::newRow("warm-up past the window") << "txtWarmUp" << "4000" << "Warm-up: no day" << "txtWarmUp";
        QTest::newRow("budget too small") << "txtEvaluations" << "10" << "Evaluations: give a whole number from 100"
                                          << "txtEvaluations";
        QTest::newRow("seed negative") << "txtSeed" << "-1" << "Seed: " << "txtSeed";
    }

    void refusals_name_the_box() {
        QFETCH(QString, box);
        QFETCH(QString, value);
        QFETCH(QString, status);
        QFETCH(QString, focus);
        CalSession s;
        s.type(box, value);
        const int beeps = s.dialogs.beeps();
        QVERIFY(s.click(kCal, "cmdStart"));
        QVERIFY(!s.searching());
        QVERIFY2(s.text(kCal, "txtMessage").startsWith(status), qPrintable(s.text(kCal, "txtMessage")));
        QCOMPARE(s.nav.loaded(kCal)->focusWidget(), s.at(kCal, focus));
        QCOMPARE(s.dialogs.beeps(), beeps + 1);
        QCOMPARE(s.at<QProgressBar>(kCal, "prgCalibrate")->value(), 0);
        QVERIFY(s.text(kCal, "txtBest").isEmpty());
    }
};

QTEST_MAIN(CalibrateTest)
#include "calibrate_test.moc"
