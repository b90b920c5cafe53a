// The input series chart frmChartP as the rainfall and evapotranspiration steps open it on
// the example workbook: what it reads into the project, the rows shown, the chart types, a
// point edit, BACK, and a workbook it cannot read.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "input/input_chart.h"
#include "input/menu.h"
#include "output/chart_types.h"
#include "ui/chart/chart_control.h"
#include "ui/qt_text.h"
#include "ui_session.h"
#include "workbook/input_workbook.h"
#include "workbook/workbook.h"
#include "workbook/xlsx_builder.h"

using namespace tarn::ui;
using namespace tarn::ui::test;
using tarn::Step;

namespace {

const QString kChart = QStringLiteral("frmChartP");

struct Session : UiSession {
    // Details on `workbook`, then the rainfall step's capture, which opens the chart.
    explicit Session(bool measured, const QString& workbook = exampleWorkbook()) {
        throughDetails(workbook);
        nav.openStep(Step::Rainfall);
        control<QCheckBox>("frmGetRain", "chkStreamflow")->setChecked(measured);
        click("frmGetRain", "cmdCapRain");
    }
    // The evapotranspiration step's capture after the rainfall step's Next.
    void captureEtref(bool monthly) {
        click("frmGetRain", "cmdNext_4");
        nav.openStep(Step::Etref);
        control<QRadioButton>("frmEtref", monthly ? "OptMonthly" : "OptDaily")->setChecked(true);
        click("frmEtref", "cmdCapEtrefData");
    }
    ChartControl* chart() const { return control<ChartControl>(kChart, "chtSampleP"); }
    QString text(const QString& name) const {
        if (auto* edit = control<QLineEdit>(kChart, name)) return edit->text();
        if (auto* box = control<QComboBox>(kChart, name)) return box->currentText();
        return "<no " + name + ">";
    }
    void newSettings(const QString& rows) {
        control<QComboBox>(kChart, "cmbRowsRain")->setEditText(rows);
        click(kChart, "cmdNewSet");
    }
};

// The example workbook's series as the core reads them.
struct Reference {
    int days;
    std::vector<std::string> dates;
    std::vector<double> rain, measured, etref;
    tarn::MonthlyTable monthly;
    Reference() {
        const auto book = tarn::openWorkbook(toPath(exampleWorkbook()));
        days = tarn::countDays(*book);
        dates = tarn::readDayDates(*book, days, "D");
        rain = tarn::readDayNumbers(*book, days, "E");
        measured = tarn::readDayNumbers(*book, days, "C");
        etref = tarn::readDayNumbers(*book, days, "F");
        monthly = tarn::readMonthlyTable(*book, "AD");
    }
};

QByteArray fileBytes(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class InputChartTest : public QObject {
    Q_OBJECT

private slots:
    void rainfall_request_reads_the_series_data() {
        QTest::addColumn<bool>("measured");
        QTest::newRow("rainfall") << false;
        QTest::newRow("with measured streamflow") << true;
    }

    void rainfall_request_reads_the_series() {
        QFETCH(bool, measured);
        const Reference ref;
        Session s(measured);
        QVERIFY(s.nav.loaded(kChart));
        QVERIFY(!s.nav.progress().isVisible());
        const tarn::Project& p = s.project;
        QCOMPARE(p.NumDays, ref.days);
        for (int d = 1; d <= ref.days; ++d) {
            QCOMPARE(p.DayDate(d, 0), ref.dates[std::size_t(d)]);
            QCOMPARE(p.Balance(tarn::slot::Inputs, d, tarn::qty::P), ref.rain[std::size_t(d)]);
            QCOMPARE(p.Balance(tarn::slot::FirstRun, d, tarn::qty::Measured), measured ? ref.measured[std::size_t(d)] : 0.0);
        }
        QCOMPARE(s.nav.loaded(kChart)->windowTitle(),
                 "Active File:" + exampleWorkbook() + " Edit Rainfall or Etref Data");
        QCOMPARE(s.text("cmbType"), QString("2dLine"));
        QCOMPARE(s.text("cmbRowsRain"), QString::number(ref.days));
        QCOMPARE(s.text("txtMaxrows"), QString::number(ref.days));
        QCOMPARE(s.text("Text2"), QString("Click on data series to edit data"));
        QCOMPARE(s.chart()->rowCount(), ref.days);
        QCOMPARE(s.chart()->columnCount(), measured ? 2 : 1);
        QCOMPARE(s.chart()->columnLabel(1), QString("Rainfall  (mm/day)"));
        if (measured) QCOMPARE(s.chart()->columnLabel(2), QString("Measured streamflow  (mm/day)"));
    }

    void a_point_edit_changes_the_project_not_the_workbook_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("expected");  // the value after, "" for unchanged
        QTest::addColumn<QString>("message");
        QTest::newRow("rainfall") << 1 << false << "12.5" << "12.5" << "";
        QTest::newRow("measured streamflow") << 2 << false << " 0.25 " << "0.25" << "";
        QTest::newRow("not a number") << 1 << false << "12,5mm" << "" << "That's not a valid data point!";
        QTest::newRow("empty") << 1 << false << "" << "" << "";
        QTest::newRow("cancelled") << 2 << true << "" << "" << "";
    }

    void a_point_edit_changes_the_project_not_the_workbook() {
        QFETCH(int, column);
        QFETCH(bool, cancelled);
        QFETCH(QString, answer);
        QFETCH(QString, expected);
        QFETCH(QString, message);
        const QByteArray before = fileBytes(exampleWorkbook());
        Session s(true);
        const int row = 40;
        double& value = column == 1 ? s.project.Balance(tarn::slot::Inputs, row + 1, tarn::qty::P) : s.project.Balance(tarn::slot::FirstRun, row + 1, tarn::qty::Measured);
        const double old = value;

        emit s.chart()->pointSelected(column, row);
        const QString label = toQ(s.project.DayDate(row + 1, 0));
        QCOMPARE(s.text("Text2"), "Value of Rainfall  (mm/day), on " + label + " = " +
                                      toQ(tarn::generalNumberText(old)) + "    double click to change the value");

        s.dialogs.answerInput(cancelled ? std::nullopt : std::optional<QString>(answer));
        if (!message.isEmpty()) s.dialogs.answerMessage();
        emit s.chart()->pointActivated(column, row);
        QVERIFY(s.dialogs.allAnswered());
        const auto& prompts = s.dialogs.prompts();
        const auto& prompt = prompts[prompts.size() - (message.isEmpty() ? 1 : 2)];
        QCOMPARE(prompt.text, QString("Change the data point:"));
        QCOMPARE(prompt.defaultValue, toQ(tarn::generalNumberText(old)));
        if (!message.isEmpty()) QCOMPARE(prompts.back().text, message);

        const double now = expected.isEmpty() ? old : expected.toDouble();
        QCOMPARE(value, now);
        QCOMPARE(s.chart()->value(column, row), now);
        QCOMPARE(fileBytes(exampleWorkbook()), before);
    }

    void new_settings_show_the_rows_chosen_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("rows");  // -1: all days
        QTest::addColumn<QString>("status");
        QTest::newRow("fewer") << "30" << 30 << "Click on data series to edit data";
        QTest::newRow("more than there are") << "999999" << -1 << "Click on data series to edit data";
        QTest::newRow("not a number") << "many" << 30
                                      << "Columns to show: 'many' is not a number of rows from 1 to %1";
    }

    void new_settings_show_the_rows_chosen() {
        QFETCH(QString, typed);
        QFETCH(int, rows);
        QFETCH(QString, status);
        Session s(true);
        const int days = s.project.NumDays;
        s.newSettings("30");
        s.newSettings(typed);
        const int shown = rows < 0 ? days : rows;
        QCOMPARE(s.chart()->rowCount(), shown);
        QCOMPARE(s.chart()->columnCount(), 2);
        QCOMPARE(s.project.DaysOut, shown);
        QCOMPARE(s.project.NumDays, days);  // the whole period stays read
        QCOMPARE(s.text("cmbRowsRain"), QString::number(shown));
        QCOMPARE(s.text("txtMaxrows"), QString::number(days));
        QCOMPARE(s.text("Text2"), status.contains("%1") ? status.arg(days) : status);
    }

    void a_type_change_redraws_in_that_type() {
        Session s(false);
        auto* type = s.control<QComboBox>(kChart, "cmbType");
        QCOMPARE(type->count(), 12);
        for (const tarn::ChartType& t : tarn::kChartTypes) {
            s.control<QLineEdit>(kChart, "Text2")->clear();
            type->setCurrentIndex(t.listIndex);
            QCOMPARE(type->currentText(), toQ(t.name));
            QCOMPARE(s.chart()->chartType(), t.code);
            QCOMPARE(s.text("Text2"), s.chart()->isDrawingIn3D()
                                          ? QString("Hold down the Ctrl key and mouse down to rotate the chart.")
                                          : QString());
        }
    }

    void an_etref_request_keeps_the_rainfall() {
        const Reference ref;
        Session s(true);
        s.dialogs.answerInput("99");
        emit s.chart()->pointActivated(1, 0);
        s.captureEtref(false);
        QVERIFY(s.nav.loaded(kChart));
        QCOMPARE(s.project.Balance(tarn::slot::Inputs, 1, tarn::qty::P), 99.0);
        for (int d = 2; d <= ref.days; ++d) {
            QCOMPARE(s.project.Balance(tarn::slot::Inputs, d, tarn::qty::P), ref.rain[std::size_t(d)]);
            QCOMPARE(s.project.Balance(tarn::slot::Inputs, d, tarn::qty::ETr), ref.etref[std::size_t(d)]);
        }
        QCOMPARE(s.project.MeasFlow, 1);
        QCOMPARE(s.chart()->columnLabel(1), QString("Daily reference evapotranspiration   (mm/day)"));
        QCOMPARE(s.chart()->value(1, 9), ref.etref[10]);
    }

    void back_returns_to_the_step_that_opened_the_chart() {
        Session s(false);
        QVERIFY(s.click(kChart, "cmdBack4"));
        QVERIFY(!s.nav.loaded(kChart));
        QVERIFY(s.nav.loaded("frmGetRain")->isVisible());
    }

    void back_with_monthly_etref_spreads_the_months() {
        const Reference ref;
        Session s(false);
        s.captureEtref(true);
        QCOMPARE(s.chart()->rowCount(), 12);
        QCOMPARE(s.text("cmbRowsRain"), QString("12"));
        QCOMPARE(s.text("txtMaxrows"), QString("12"));
        QCOMPARE(toQ(s.chart()->data().labels[1]), toQ(ref.monthly.labels[2]));
        s.dialogs.answerInput("4.75");
        emit s.chart()->pointActivated(1, 1);  // February
        QVERIFY(s.click(kChart, "cmdBack4"));
        QVERIFY(!s.nav.loaded(kChart));
        QVERIFY(s.nav.loaded("frmEtref")->isVisible());
        QCOMPARE(s.project.MonthlyEtref[std::size_t(2)], 4.75);
        QCOMPARE(s.project.ChartMeas, 0);
        // Every day gets the value of its calendar month (the record starts on 1 January).
        for (int d = 1; d <= 31; ++d) QCOMPARE(s.project.Balance(tarn::slot::Inputs, d, tarn::qty::ETr), ref.monthly.values[1]);
        for (int d = 32; d <= 59; ++d) QCOMPARE(s.project.Balance(tarn::slot::Inputs, d, tarn::qty::ETr), 4.75);
    }

    // A series cell that is not a number: the chart names the file and the cell and keeps
    // what was read before.
    void an_unreadable_series_leaves_the_project_as_it_was() {
        QTemporaryDir dir;
        const QString file = dir.filePath("bad_etref.xlsx");
        {
            tarn::XlsxBuilder b;
            b.addSheet("Inputs");
            for (int d = 1; d <= 20; ++d) {
                b.setDate(0, 24 + d, 4, 36160 + d);
                b.setNumber(0, 24 + d, 5, d * 0.5);
                if (d == 7) b.setText(0, 24 + d, 6, "n/a");
                else b.setNumber(0, 24 + d, 6, 1.5);
            }
            b.save(toPath(file));
        }
        UiSession s;
        s.project.DataFile = toStd(file);
        tarn::restartInputChart(s.project);
        tarn::requestInputChart(s.project, {"D", "E", "Rainfall  (mm/day)", 1, true, true, true, false, false});
        s.nav.show(kChart);
        QCOMPARE(s.project.NumDays, 20);
        tarn::requestInputChart(s.project, {"D", "F", "Daily reference evapotranspiration   (mm/day)", 2, false,
                                            false, false, true, false});
        s.click(kChart, "cmdNewSet");
        const QString status = s.control<QLineEdit>(kChart, "Text2")->text();
        QVERIFY2(status.contains(file) && status.contains("F31"), qPrintable(status));
        QCOMPARE(s.dialogs.beeps(), 1);
        QCOMPARE(s.control<ChartControl>(kChart, "chtSampleP")->rowCount(), 0);
        QCOMPARE(s.project.NumDays, 20);
        QCOMPARE(s.project.Balance(tarn::slot::Inputs, 20, tarn::qty::P), 10.0);
        QCOMPARE(s.project.Balance(tarn::slot::Inputs, 20, tarn::qty::ETr), 0.0);
        QCOMPARE(s.project.LoadEtref, 1);  // asked for still
    }
};

QTEST_MAIN(InputChartTest)
#include "input_chart_test.moc"
