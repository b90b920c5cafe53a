// The run screen and the output screens as a user drives them on the example workbook: a
// run, Show me, point events, an edited baseflow index rerun into the last run while the
// first run stays, the class screen, and saving both ways through the file dialogs, with
// the files compared to what the core writes for the same project; refusals of a run, a
// rerun and a save; the fit panel and the flow duration curves beside the chart.
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLogValueAxis>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include "analysis/result_tables.h"
#include "analysis/fit.h"
#include "input/capture.h"
#include "input/menu.h"
#include "model/variant.h"
#include "output/text_results.h"
#include "ui/chart/chart_control.h"
#include "ui/progress_window.h"
#include "ui/qt_text.h"
#include "ui_session.h"
#include "workbook/input_workbook.h"
#include "workbook/zip_archive.h"

using namespace tarn::ui;
using namespace tarn::ui::test;
using tarn::Project;
namespace qty = tarn::qty;
namespace slot = tarn::slot;

namespace {

const QString kRun = QStringLiteral("frmRunModel");
const QString kOut = QStringLiteral("frmOutput");
const QString kOut2 = QStringLiteral("frmOutput_2");

// A session on a copy of the example, set up through the core as the input steps leave it
// (measured streamflow read), on the run screen.
struct RunSession : UiSession {
    QTemporaryDir dir;
    QString input;

    RunSession() {
        input = dir.filePath("coln.xlsx");
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
        p.TimeNow = "6 / 12 / 2026   10:00:00";
        nav.setWorkbook(std::move(book));
        nav.openStep(tarn::Step::Run);
    }

    template <class W = QWidget>
    W* at(const QString& form, const QString& name) const {
        W* w = control<W>(form, name);
        if (!w) qFatal("%s has no %s", qPrintable(form), qPrintable(name));
        return w;
    }
    QString text(const QString& form, const QString& name) const {
        if (auto* box = control<QComboBox>(form, name)) return box->currentText();
        return at<QLineEdit>(form, name)->text();
    }
    bool enabled(const QString& form, const QString& name) const { return at(form, name)->isEnabled(); }
    ChartControl* chart(const QString& form) const { return at<ChartControl>(form, "chtSample"); }
    const FakeDialogs::Prompt& lastPrompt() const { return dialogs.prompts().back(); }
};

const QStringList kOutputButtons{"cmdAnnualTotmmm", "cmdNext_9", "cmdMinFlows10", "cmdMiniFlow",
                                 "cmdShowMe",       "cmdSaveOut", "cmdAnTot"};

QStringList lines(const std::string& text) { return toQ(text).split("\r\n"); }

// A fit label's figures, one to a line, as the one line of fitText.
QString fitShown(const QLabel* label) { return label->text().replace("\n(r ", " (r ").replace('\n', "  "); }
QString fitOf(const Project& p, tarn::Slot run, tarn::DayRange days) { return toQ(tarn::fitText(tarn::runFit(p, run, days))); }

QStringList readLines(const QString& file) {
    return lines(tarn::readWholeFile(toPath(file)));
}

}  // namespace

class RunOutputTest : public QObject {
    Q_OBJECT

private slots:
    void a_session_runs_shows_reruns_and_saves() {
        RunSession s;
        Project& p = s.project;
        Screen* run = s.nav.loaded(kRun);
        QVERIFY(run && run->isVisible());
        QCOMPARE(run->windowTitle(), "  Active data file is  " + s.input + "   Sheet 9.0 of 9 ");
        QCOMPARE(s.text(kRun, "txtRunComplete"), s.input);
        QVERIFY(s.at<QCheckBox>(kRun, "chkSeriesOut_4")->isChecked());
        for (const QString& b : kOutputButtons) QVERIFY2(!s.enabled(kRun, b), qPrintable(b));

        // The run.
        QVERIFY(s.click(kRun, "cmdRunModel"));
        QCOMPARE(s.text(kRun, "txtRunComplete"), QString("Run completed select series to show output"));
        QCOMPARE(p.ModelRun, 1);
        QCOMPARE(s.nav.progress().windowTitle(), QString(" Running the Model Please Wait ! "));
        QVERIFY(!s.enabled(kRun, "cmdRunModel"));
        for (const QString& b : kOutputButtons) QVERIFY2(s.enabled(kRun, b), qPrintable(b));
        const QString days = QString::number(p.NumDays);
        QCOMPARE(s.text(kRun, "txtMaxDaysOut"), days);
        QCOMPARE(s.text(kRun, "cmbDaysOut"), days);
        QVERIFY(!s.nav.progress().isVisible());
        Project first = p;
        tarn::buildResultTables(first);

        // The first run saved straight after the run holds every table of the core's text of
        // the same project, though no analysis screen was opened.
        s.dialogs.answerSaveFile(s.dir.filePath("first.xlsx"));
        s.dialogs.answerSaveFile(s.dir.filePath("first.csv"));
        s.dialogs.answerMessage();
        QVERIFY(s.click(kRun, "cmdSaveOut"));
        const auto& prompts = s.dialogs.prompts();
        QCOMPARE(prompts.size(), std::size_t(3));
        QCOMPARE(prompts[0].title, QString("Save As"));
        QVERIFY(prompts[0].filter.contains("*.xlsx"));
        QCOMPARE(prompts[0].folder, s.dir.path());
        QCOMPARE(prompts[1].title, QString("Save As Text)"));
        QVERIFY(prompts[1].filter.contains("*.csv"));
        QCOMPARE(prompts[1].folder, s.dir.path());
        QCOMPARE(prompts[2].text, QString(" Saved "));
        QVERIFY(s.enabled(kRun, "cmdSaveOut"));
        QVERIFY(!s.nav.progress().isVisible());
        QCOMPARE(s.nav.progress().windowTitle(), "Saving data to  " + s.dir.filePath("first.csv") + "  Please Wait !!!!!");
        const QStringList firstText = readLines(s.dir.filePath("first.csv"));
        QCOMPARE(firstText, lines(tarn::textResults(first)));
        QVERIFY(QFile::exists(s.dir.filePath("first.xlsx")));

        // Show me: rainfall and modelled streamflow over a year, on frmOutput.
        s.at<QCheckBox>(kRun, "chkSeriesOut_1")->setChecked(true);
        s.at<QComboBox>(kRun, "cmbDaysOut")->setEditText("365");
        QVERIFY(s.click(kRun, "cmdShowMe"));
        QVERIFY(s.nav.loaded(kOut) && s.nav.loaded(kOut)->isVisible());
        QVERIFY(!s.enabled(kRun, "cmdRunModel"));
        ChartControl* chart = s.chart(kOut);
        QCOMPARE(chart->rowCount(), 365);
        QCOMPARE(chart->columnCount(), 2);
        QCOMPARE(chart->columnLabel(1), QString("Rain"));
        QCOMPARE(chart->columnLabel(2), QString("modelled streamflow first run"));
        QCOMPARE(chart->value(1, 9), p.Balance(slot::FirstRun, 10, qty::P));
        QCOMPARE(chart->value(2, 364), p.Balance(slot::FirstRun, 365, qty::Q));
        for (int i : {0, 3, 4}) QVERIFY(s.at<QCheckBox>(kOut, "chkSeriesOut_" + QString::number(i))->isChecked());
        QCOMPARE(s.text(kOut, "txtBFlow"), toQ(p.SubPara(0, tarn::para::BFI).text()));

        // A point selected names its series and day; a modelled point cannot be edited.
        emit chart->pointSelected(2, 9);
        QCOMPARE(s.text(kOut, "txtMessage"), "Value of modelled streamflow first run, on " + toQ(p.DayDate(10, 0)) +
                                                 " = " + toQ(tarn::generalNumberText(chart->value(2, 9))) + " mm/day");
        s.dialogs.answerInput("7");
        emit chart->pointActivated(2, 9);
        QCOMPARE(s.lastPrompt().text, QString("Change the data point:"));
        QCOMPARE(s.lastPrompt().defaultValue, toQ(tarn::generalNumberText(chart->value(2, 9))));
        QVERIFY(s.text(kOut, "txtMessage").contains("cannot be edited"));
        QCOMPARE(chart->value(2, 9), first.Balance(slot::FirstRun, 10, qty::Q));
        QCOMPARE(p.RerunFlag, 0);

        // The baseflow index edited and rerun over the year charted: the last run beside the first.
        const QString bfi = s.text(kOut, "txtBFlow");
        s.at<QLineEdit>(kOut, "txtBFlow")->setText("0.3");
        QCOMPARE(s.text(kOut, "cmbLowerLimit"), toQ(p.DayDate(1, 0)));  // the days charted
        QCOMPARE(s.text(kOut, "cmbUpperLimit"), toQ(p.DayDate(365, 0)));
        QVERIFY(s.click(kOut, "cmdRefresh"));
        QCOMPARE(s.text(kOut, "txtMessage"), QString(" Output for the first and the last run .."));
        QCOMPARE(p.RerunFlag, 1);
        QVERIFY(!s.nav.progress().isVisible());
        QCOMPARE(s.nav.progress().windowTitle(), QString(" Rerun the Model please wait ! "));
        QCOMPARE(p.SubPara(2, tarn::para::BFI).text(), std::string("0.3"));
        QCOMPARE(chart->rowCount(), 365);
        QCOMPARE(chart->columnCount(), 5);  // rain, streamflow, measured; rain and streamflow of the last run
        QCOMPARE(chart->columnLabel(4), QString(""));
        QCOMPARE(chart->columnLabel(5), QString("modelled streamflow last run"));
        int differ = 0;
        for (int d = 1; d <= p.NumDays; ++d) {
            for (int k = 1; k <= 16; ++k)
                QCOMPARE(p.Balance(slot::FirstRun, d, tarn::quantityAt(k)), first.Balance(slot::FirstRun, d, tarn::quantityAt(k)));
            differ += p.Balance(slot::LastRun, d, qty::Q) != p.Balance(slot::FirstRun, d, qty::Q);
        }
        QVERIFY2(differ > p.NumDays / 2, qPrintable(QString::number(differ)));
        QCOMPARE(chart->value(5, 200), p.Balance(slot::LastRun, 201, qty::Q));
        QVERIFY(bfi != "0.3");

        // Saved again: the text now carries the last run; only the daily lines, the monthly
        // last-run column and the annual and seven-day tables (which hold the last run too)
        // change, the first run's daily and monthly items stay.
        s.dialogs.answerSaveFile(s.dir.filePath("rerun.xlsx"));
        s.dialogs.answerSaveFile(s.dir.filePath("rerun.csv"));
        s.dialogs.answerMessage();
        QVERIFY(s.click(kRun, "cmdSaveOut"));
        const QStringList rerunText = readLines(s.dir.filePath("rerun.csv"));
        QCOMPARE(rerunText, lines(tarn::textResults(p)));
        QCOMPARE(rerunText.size(), firstText.size());
        const int monthlyFirst = int(firstText.indexOf("\" Monthly Totals cubm x 1000\"")) + 5;
        int dailyChanged = 0, monthlyChanged = 0, tablesChanged = 0;
        for (int i = 0; i < firstText.size(); ++i) {
            if (firstText[i] == rerunText[i]) continue;
            const QStringList a = firstText[i].split(','), b = rerunText[i].split(',');
            QCOMPARE(a.size(), b.size());
            if (i >= 1 && i <= p.NumDays) {
                for (int item : {0, 1, 17}) QCOMPARE(b[item], a[item]);  // date, rainfall, first-run volume
                ++dailyChanged;
            } else if (i >= monthlyFirst && i < monthlyFirst + p.NumMonths) {
                for (int item : {0, 1, 2, 4}) QCOMPARE(b[item], a[item]);  // year, month, first run, measured
                ++monthlyChanged;
            } else if (i >= monthlyFirst + p.NumMonths) {
                ++tablesChanged;
            } else {
                QFAIL(qPrintable(QString("line %1 changed: %2").arg(i + 1).arg(rerunText[i])));
            }
        }
        QVERIFY(dailyChanged > p.NumDays / 2);
        QVERIFY(monthlyChanged > 0);
        QVERIFY(tablesChanged > 0);

        // The Excel mode: a name without extension becomes an .xlsx workbook with the results.
        s.at<QRadioButton>(kRun, "OptExcel")->setChecked(true);
        s.dialogs.answerSaveFile(s.dir.filePath("excel"));
        s.dialogs.answerMessage();
        QVERIFY(s.click(kRun, "cmdSaveOut"));
        const QString excel = s.dir.filePath("excel.xlsx");
        QCOMPARE(s.lastPrompt().text, " Output saved to the " + excel);
        auto book = tarn::openWorkbook(toPath(excel));
        QCOMPARE(book->cell("S25").toNumber(), p.Balance(slot::FirstRun, 1, qty::Q));
        QCOMPARE(book->cell("U300").toNumber(), p.Balance(slot::LastRun, 276, qty::Q));
        QCOMPARE(book->cell("F17").toNumber(), 0.3);
        // The same name again: asked before excel.xlsx is replaced; No leaves it as it is.
        const std::string saved = tarn::readWholeFile(toPath(excel));
        s.dialogs.answerSaveFile(s.dir.filePath("excel"));
        s.dialogs.answerMessage(Answer::No);
        QVERIFY(s.click(kRun, "cmdSaveOut"));
        QCOMPARE(s.lastPrompt().text, excel + " already exists.\nDo you want to replace it?");
        QCOMPARE(s.lastPrompt().buttons, MessageButtons::YesNo);
        QCOMPARE(tarn::readWholeFile(toPath(excel)), saved);
        QVERIFY(s.enabled(kRun, "cmdSaveOut"));
        QVERIFY(s.dialogs.allAnswered());
        QCOMPARE(s.quits, 0);

        // Back: the run screen again, its run button enabled.
        QVERIFY(s.click(kOut, "cmdexitoutput"));
        QVERIFY(!s.nav.loaded(kOut));
        QVERIFY(run->isVisible());
    }

    void edits_on_the_charts_and_the_class_screen() {
        RunSession s;
        Project& p = s.project;
        s.click(kRun, "cmdRunModel");
        s.at<QCheckBox>(kRun, "chkSeriesOut_1")->setChecked(true);
        s.at<QCheckBox>(kRun, "chkSeriesOut_5")->setChecked(true);
        s.at<QComboBox>(kRun, "cmbDaysOut")->setEditText("99999");  // more than the record: all days
        QVERIFY(s.click(kRun, "cmdShowMe"));
        QCOMPARE(s.text(kRun, "cmbDaysOut"), QString::number(p.NumDays));
        QVERIFY(s.nav.loaded(kOut) && !s.nav.loaded(kOut2));
        // "Use generic parameter values": the class screen beside it.
        s.at<QRadioButton>(kRun, "optNames")->setChecked(true);
        QVERIFY(s.click(kRun, "cmdShowMe"));
        QVERIFY(s.nav.loaded(kOut2) && s.nav.loaded(kOut2)->isVisible());
        QCOMPARE(p.ShowNames, 0);
        ChartControl* chart = s.chart(kOut2);
        QCOMPARE(chart->rowCount(), p.NumDays);

        // Rainfall and measured points take numbers, on their day; other answers are refused.
        struct Edit {
            int column;
            QString answer;
            tarn::Slot slot;
            tarn::Qty k;
            double stored;
            QString message;
        };
        const double rain = p.Balance(slot::Inputs, 41, qty::P);
        for (const Edit& e : {Edit{1, "12.5", slot::Inputs, qty::P, 12.5, {}},
                              Edit{1, "wet", slot::Inputs, qty::P, 12.5, "That's not a valid data point!"},
                              Edit{1, "", slot::Inputs, qty::P, 12.5, {}},
                              Edit{3, "0.25", slot::FirstRun, qty::Measured, 0.25, {}}}) {
            const std::size_t before = s.dialogs.prompts().size();
            s.dialogs.answerInput(e.answer);
            if (!e.message.isEmpty()) s.dialogs.answerMessage();
            emit chart->pointActivated(e.column, 40);
            QCOMPARE(p.Balance(e.slot, 41, e.k), e.stored);
            QCOMPARE(chart->value(e.column, 40), e.stored);
            QCOMPARE(s.dialogs.prompts().size(), before + (e.message.isEmpty() ? 1 : 2));
            if (!e.message.isEmpty()) QCOMPARE(s.lastPrompt().text, e.message);
        }
        QVERIFY(rain != 12.5);
        QCOMPARE(p.RerunFlag, 1);
        // The edited measured point is in the fit; there is no last run to fit yet.
        QCOMPARE(fitShown(s.at<QLabel>(kOut2, "lblFitFirst")), fitOf(p, slot::FirstRun, tarn::wholeRecord(p)));
        QVERIFY(!s.at<QLabel>(kOut2, "lblFitLast")->isVisible());

        // A class chosen for A1 on frmOutput_2 takes that class's parameters on Rerun, and
        // frmOutput shows them.
        QVERIFY(s.at<QRadioButton>(kOut2, "optA1_SR_4")->isEnabled());
        s.at<QRadioButton>(kOut2, "optA1_SR_4")->setChecked(true);
        s.at<QRadioButton>(kOut2, "optvege1R_0")->setChecked(true);
        QVERIFY(s.click(kOut2, "cmdRefresh"));
        QCOMPARE(s.text(kOut2, "txtMessage"), QString(" Output for the last and first run !......"));
        // Its fit panel now shows the last run too, and so does frmOutput's.
        for (const QString& form : {kOut2, kOut})
            QCOMPARE(fitShown(s.at<QLabel>(form, "lblFitLast")), fitOf(p, slot::LastRun, tarn::wholeRecord(p)));
        QVERIFY(s.at<QLabel>(kOut2, "lblFitLast")->isVisible());
        QCOMPARE(p.SoilSel[1], 5);
        QCOMPARE(p.VegeSel[1], 1);
        QCOMPARE(p.SubPara(0, tarn::para::TAW).numberOr0(), p.SoilData(4, 0));
        QCOMPARE(p.SubPara(0, tarn::para::IF).numberOr0(), p.VegeData(0, 0).numberOr0());
        QCOMPARE(s.text(kOut, "txtAp_1_0"), toQ(p.SubPara(0, tarn::para::TAW).text()));
        QCOMPARE(s.text(kOut, "txtAp_1_5"), toQ(p.SubPara(0, tarn::para::IF).text()));
    }

    void the_fit_panel_and_the_duration_curves() {
        RunSession s;
        Project& p = s.project;
        s.click(kRun, "cmdRunModel");
        QVERIFY(s.click(kRun, "cmdShowMe"));
        auto* first = s.at<QLabel>(kOut, "lblFitFirst");
        auto* last = s.at<QLabel>(kOut, "lblFitLast");
        QCOMPARE(s.text(kOut, "txtFitFrom"), toQ(p.DayDate(1, 0)));
        QCOMPARE(s.text(kOut, "txtFitTo"), toQ(p.DayDate(p.NumDays, 0)));
        QCOMPARE(fitShown(first), fitOf(p, slot::FirstRun, tarn::wholeRecord(p)));
        QVERIFY(first->text().startsWith("NSE "));
        QVERIFY(!last->isVisible());

        // The year 2000 as the fit window; then a date that is none, refused by its box.
        auto type = [&](const QString& box, const QString& text) {
            auto* edit = s.at<QLineEdit>(kOut, box);
            edit->setText(text);
            emit edit->editingFinished();
        };
        type("txtFitFrom", "2000-01-01");
        type("txtFitTo", "2000-12-31");
        const tarn::DayRange year2000 = tarn::dayRangeOf(p, "2000-01-01", "2000-12-31");
        const QString figures2000 = fitOf(p, slot::FirstRun, year2000);
        QCOMPARE(fitShown(first), figures2000);
        QVERIFY(figures2000 != fitOf(p, slot::FirstRun, tarn::wholeRecord(p)));
        const int beeps = s.dialogs.beeps();
        type("txtFitTo", "2000-13-01");
        QVERIFY2(s.text(kOut, "txtMessage").startsWith("Fit until: "), qPrintable(s.text(kOut, "txtMessage")));
        QCOMPARE(s.nav.loaded(kOut)->focusWidget(), s.at(kOut, "txtFitTo"));
        QCOMPARE(s.dialogs.beeps(), beeps + 1);
        QCOMPARE(fitShown(first), figures2000);

        // A rerun: the last run's figures over the same window beside the first run's.
        s.at<QLineEdit>(kOut, "txtBFlow")->setText("0.3");
        QVERIFY(s.click(kOut, "cmdRefresh"));
        QVERIFY(last->isVisible());
        QCOMPARE(fitShown(last), fitOf(p, slot::LastRun, year2000));
        QCOMPARE(fitShown(first), figures2000);

        // The duration curves of both runs and the measured flow in the chart's place, flow on a
        // logarithmic axis; and back to the daily chart.
        auto* stack = s.at<QStackedWidget>(kOut, "stkChart");
        s.at<QCheckBox>(kOut, "chkDuration")->click();
        QCOMPARE(stack->currentWidget()->objectName(), QString("chtDuration"));
        auto* view = stack->currentWidget()->findChild<QChartView*>();
        QVERIFY(view);
        QCOMPARE(view->chart()->series().size(), 3);
        const QList<QAbstractAxis*> flowAxes = view->chart()->axes(Qt::Vertical);
        QCOMPARE(flowAxes.size(), 1);
        QVERIFY(qobject_cast<QLogValueAxis*>(flowAxes.first()));
        QCOMPARE(flowAxes.first()->titleText(), QString("Flow (mm/day)"));
        s.at<QCheckBox>(kOut, "chkDuration")->click();
        QCOMPARE(stack->currentWidget(), static_cast<QWidget*>(s.chart(kOut)));
    }

    void refusals_name_the_box_and_change_nothing_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("focus");
        QTest::newRow("areas sum to 99") << "txtArea_0" << "49" << "Sum of sub areas NE to Total area !"
                                         << "txtArea_0";
        QTest::newRow("area not a number") << "txtArea_1" << "lots"
                                           << "Sub catchment area(%) of A2: 'lots' is not a whole percent from 0 to 100"
                                           << "txtArea_1";
        QTest::newRow("window reversed") << "cmbLowerLimit" << "2008-12-31" << " Start date is larger than stopdate"
                                         << "cmbLowerLimit";
        QTest::newRow("date of no day") << "cmbUpperLimit" << "2030-01-01"
                                        << "To: '2030-01-01' is not a day of the record" << "cmbUpperLimit";
        QTest::newRow("TAW below RAW") << "txtAp_2_0" << "10" << "A2: TAW (mm) must be greater than RAW (mm)" << "";
    }

    void refusals_name_the_box_and_change_nothing() {
        QFETCH(QString, box);
        QFETCH(QString, value);
        QFETCH(QString, status);
        QFETCH(QString, focus);
        RunSession s;
        Project& p = s.project;
        s.click(kRun, "cmdRunModel");
        s.click(kRun, "cmdShowMe");
        s.at<QComboBox>(kOut, "cmbUpperLimit")->setEditText(toQ(p.DayDate(100, 0)));
        if (auto* combo = s.control<QComboBox>(kOut, box)) combo->setEditText(value);
        else s.at<QLineEdit>(kOut, box)->setText(value);
        const Project before = p;
        const int beeps = s.dialogs.beeps();
        QVERIFY(s.click(kOut, "cmdRefresh"));
        QVERIFY2(s.text(kOut, "txtMessage").startsWith(status), qPrintable(s.text(kOut, "txtMessage")));
        if (!focus.isEmpty()) QCOMPARE(s.nav.loaded(kOut)->focusWidget(), s.at(kOut, focus));
        QCOMPARE(s.dialogs.beeps(), beeps + 1);
        QCOMPARE(p.RerunFlag, 0);
        QCOMPARE(s.chart(kOut)->rowCount(), p.NumDays);  // not redrawn
        for (int d = 1; d <= p.NumDays; d += 97) QCOMPARE(p.Balance(slot::LastRun, d, qty::Q), before.Balance(slot::LastRun, d, qty::Q));
        QVERIFY(!s.nav.progress().isVisible());
    }

    void analysis_buttons_open_their_screens_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("form");
        QTest::addColumn<bool>("runStays");
        QTest::newRow("monthly") << "cmdNext_9" << "frmTotalflows" << false;
        QTest::newRow("annual volumes") << "cmdAnTot" << "frmAnnual" << false;
        QTest::newRow("annual depths") << "cmdAnnualTotmmm" << "frmAnnualTotmm" << false;
        QTest::newRow("seven-day minima") << "cmdMinFlows10" << "frmMiniFlows" << true;
        QTest::newRow("period minimum") << "cmdMiniFlow" << "frmMiniFlow" << false;
    }

    void analysis_buttons_open_their_screens() {
        QFETCH(QString, button);
        QFETCH(QString, form);
        QFETCH(bool, runStays);
        RunSession s;
        if (!s.nav.registeredForms().contains(form)) QSKIP("the screen is not built in this tree");
        s.click(kRun, "cmdRunModel");
        QVERIFY(s.click(kRun, button));
        QVERIFY(s.nav.loaded(form) && s.nav.loaded(form)->isVisible());
        QCOMPARE(s.nav.loaded(kRun) != nullptr, runStays);
    }

    void a_refused_run_names_the_parameter() {
        RunSession s;
        s.project.SubPara(1, tarn::para::RAW) = std::string("n/a");
        QVERIFY(s.click(kRun, "cmdRunModel"));
        QVERIFY2(s.text(kRun, "txtRunComplete").contains("A2"), qPrintable(s.text(kRun, "txtRunComplete")));
        QCOMPARE(s.project.ModelRun, 0);
        QCOMPARE(s.project.RunDone, 0);
        QVERIFY(s.enabled(kRun, "cmdRunModel"));
        for (const QString& b : kOutputButtons) QVERIFY2(!s.enabled(kRun, b), qPrintable(b));
        QCOMPARE(s.dialogs.beeps(), 1);
    }

    void a_failing_save_shows_why_and_enables_the_button_data() {
        QTest::addColumn<QString>("workbook");  // relative to the session's folder; "=input": the input
        QTest::addColumn<QString>("text");      // "": the text dialog is cancelled
        QTest::addColumn<QString>("reason");
        QTest::newRow("workbook over the input") << "=input" << "" << "it is the input workbook";
        QTest::newRow("workbook into no folder") << "gone/out.xlsx" << "" << "gone";
        QTest::newRow("text over the input") << "out.xlsx" << "=input" << "it is the input workbook";
        QTest::newRow("text over the copy") << "out.xlsx" << "out.xlsx" << "the workbook copy just saved";
        QTest::newRow("text into no folder") << "out.xlsx" << "gone/out.csv" << "gone";
        QTest::newRow("workbook dialog cancelled") << "" << "" << "";
        QTest::newRow("text dialog cancelled") << "out.xlsx" << "" << "";
    }

    void a_failing_save_shows_why_and_enables_the_button() {
        QFETCH(QString, workbook);
        QFETCH(QString, text);
        QFETCH(QString, reason);
        RunSession s;
        s.click(kRun, "cmdRunModel");
        const std::string inputBytes = tarn::readWholeFile(toPath(s.input));
        auto path = [&](const QString& name) { return name == "=input" ? s.input : s.dir.filePath(name); };
        s.dialogs.answerSaveFile(workbook.isEmpty() ? QString() : path(workbook));
        // The text dialog opens once the workbook copy is saved.
        if (workbook == "out.xlsx") s.dialogs.answerSaveFile(text.isEmpty() ? QString() : path(text));
        if (!reason.isEmpty()) s.dialogs.answerMessage();
        QVERIFY(s.click(kRun, "cmdSaveOut"));
        QVERIFY(s.dialogs.allAnswered());
        if (reason.isEmpty()) {
            QVERIFY(s.lastPrompt().kind == FakeDialogs::Kind::SaveFile);
        } else {
            QVERIFY(s.lastPrompt().kind == FakeDialogs::Kind::Message);
            QVERIFY2(s.lastPrompt().text.contains(reason), qPrintable(s.lastPrompt().text));
        }
        QVERIFY(s.enabled(kRun, "cmdSaveOut"));
        QVERIFY(!s.nav.progress().isVisible());
        QCOMPARE(tarn::readWholeFile(toPath(s.input)), inputBytes);
        QVERIFY(!QFile::exists(s.dir.filePath("gone")));
    }
};

QTEST_MAIN(RunOutputTest)
#include "run_output_test.moc"
