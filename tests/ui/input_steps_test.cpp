// The input steps as a user drives them on the example workbook: the catchment's shares,
// the rainfall with measured streamflow, the reference evapotranspiration daily and
// monthly, the initial conditions; the menu after each Next, and the project against what
// the core reads from the same workbook.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <vector>

#include "input/capture.h"
#include "input/input_chart.h"
#include "input/menu.h"
#include "ui/qt_text.h"
#include "ui_session.h"
#include "workbook/input_workbook.h"

using namespace tarn::ui;
using namespace tarn::ui::test;
using tarn::Project;

namespace {

const QString kChart = QStringLiteral("frmChartP");

// Reads what the capture asked for as the input series chart does when it opens; stands in
// for the chart in a build that does not register it.
class ChartReader : public SubordinateScreen {
public:
    using SubordinateScreen::SubordinateScreen;

protected:
    void load() override { tarn::loadInputChart(project(), ""); }
};

struct Session : UiSession {
    Session() {
        if (!nav.registeredForms().contains(kChart))
            nav.registerScreen(kChart, [](Navigation& n) -> Screen* { return new ChartReader(n); });
    }

    QString text(const QString& form, const QString& name) const {
        if (auto* edit = control<QLineEdit>(form, name)) return edit->text();
        if (auto* box = control<QComboBox>(form, name)) return box->currentText();
        return "<no " + name + ">";
    }
    void type(const QString& form, const QString& name, const QString& value) const {
        if (auto* edit = control<QLineEdit>(form, name)) edit->setText(value);
        else if (auto* box = control<QComboBox>(form, name)) box->setCurrentText(value);
        else QFAIL(qPrintable(form + " has no box " + name));
    }
    bool enabled(const QString& form, const QString& name) const {
        auto* w = control<QWidget>(form, name);
        return w && w->isEnabled();
    }
    bool focused(const QString& form, const QString& name) const {
        Screen* screen = nav.loaded(form);
        return screen && screen->focusWidget() && screen->focusWidget() == control<QWidget>(form, name);
    }
    // The enabled buttons of the open main menu.
    QStringList menu() const {
        QStringList on;
        for (const tarn::MenuButtonInfo& b : tarn::menuButtons())
            if (enabled("frmAMain", toQ(b.name))) on << toQ(b.name);
        return on;
    }
};

// The project as the core reads it from the example: header and the daily series.
Project coreRead(tarn::EtrefInput etref) {
    Project p;
    const auto book = tarn::openWorkbook(toPath(exampleWorkbook()));
    tarn::readHeader(*book, p);
    tarn::loadDailySeries(*book, p, {true, true, etref});
    if (etref == tarn::EtrefInput::Monthly) tarn::spreadMonthlyEtref(p);
    return p;
}

// The first day on which two projects' series (slot, k) differ; 0 when none does.
int firstDifference(const Project& a, const Project& b, tarn::Slot slot, tarn::Qty k) {
    if (a.NumDays != b.NumDays) return -1;
    for (int d = 1; d <= a.NumDays; ++d)
        if (a.Balance(slot, d, k) != b.Balance(slot, d, k) || a.DayDate(d, 0) != b.DayDate(d, 0)) return d;
    return 0;
}

const QStringList kMenuAtLoad{"cmdInputDatafile", "cmdExit"};

QStringList menuWith(QStringList extra) {
    QStringList on;
    for (const tarn::MenuButtonInfo& b : tarn::menuButtons())
        if (kMenuAtLoad.contains(toQ(b.name)) || extra.contains(toQ(b.name))) on << toQ(b.name);
    return on;
}

}  // namespace

class InputStepsTest : public QObject {
    Q_OBJECT

private slots:
    void catchment_checks_the_shares_with_the_message_of_each_button() {
        Session s;
        s.throughDetails();
        QVERIFY(s.click("frmAMain", "cmdDefineArea"));
        const QString form = "frmCatchment";
        Screen* screen = s.nav.loaded(form);
        QVERIFY(screen && screen->isVisible());
        QCOMPARE(screen->windowTitle(), " Active data file is  " + exampleWorkbook() + "     Sheet 3 of 9");
        QCOMPARE(s.text(form, "txtTotalArea"), QString("10697"));
        QCOMPARE(s.text(form, "cmbArea_0"), QString("50"));
        QCOMPARE(s.text(form, "cmbArea_9"), QString("0"));  // no share in the file
        QCOMPARE(s.control<QComboBox>(form, "cmbArea_4")->count(), 101);
        QCOMPARE(s.text(form, "txtStatus"), QString("Change in catchment area enables other command buttons"));
        QVERIFY(!s.enabled(form, "Command1"));
        QVERIFY(!s.enabled(form, "cmdNext_3"));

        // Each row: the total and the first two shares typed (the others "0"), the button
        // pressed, and what follows.
        struct Press {
            const char* total;
            const char* a1;
            const char* a2;
            const char* button;
            const char* status;
            int beeps;
            const char* focus;  // "" : not checked
            bool nextEnabled;
        };
        const std::vector<Press> presses{
            {"", "60", "40", "Command1", "No blanks in total area entry please !", 3, "txtTotalArea", false},
            {" ", "60", "40", "cmdBack3", "No blanks in total area entry please !", 1, "txtTotalArea", false},
            {"10000", "60", "30", "Command1", "Total area does not add up to 100% !", 1, "txtTotalArea", false},
            {"10000", "60", "40", "Command1", "Data reset OK ...Click on Next button!", 0, "cmdNext_3", true},
            {"10000", "60", "30", "cmdNext_3", "Sum of sub areas NE to Total area !", 1, "txtTotalArea", true},
        };
        for (const Press& p : presses) {
            const QString row = QString("%1 %2/%3 %4").arg(p.total, p.a1, p.a2, p.button);
            if (s.text(form, "txtTotalArea") != p.total) {
                s.type(form, "txtTotalArea", p.total);
                QCOMPARE(s.text(form, "txtStatus"), QString("Now capture the Data......."));
            }
            QVERIFY2(s.enabled(form, "Command1") || std::string_view(p.button) != "Command1", qPrintable(row));
            s.type(form, "cmbArea_0", p.a1);
            s.type(form, "cmbArea_1", p.a2);
            s.type(form, "cmbArea_2", "0");
            const int beeps = s.dialogs.beeps();
            QVERIFY(s.click(form, p.button));
            QCOMPARE(s.nav.loaded(form), screen);
            QVERIFY2(s.text(form, "txtStatus") == p.status, qPrintable(row + ": " + s.text(form, "txtStatus")));
            QVERIFY2(s.dialogs.beeps() - beeps == p.beeps, qPrintable(row));
            if (*p.focus) QVERIFY2(s.focused(form, p.focus), qPrintable(row));
            QVERIFY2(s.enabled(form, "cmdNext_3") == p.nextEnabled, qPrintable(row));
        }
        // A refused sum keeps what was read, as the shares stood.
        QCOMPARE(s.project.TotalArea.text(), std::string("10000"));
        QCOMPARE(s.project.SubAreaPct[2], 30);
        QCOMPARE(s.project.SumPct, 90);

        s.type(form, "cmbArea_1", "40");
        QVERIFY(s.click(form, "cmdNext_3"));
        QVERIFY(!s.nav.loaded(form));
        QCOMPARE(s.menu(), menuWith({"cmdInputRainData", "cmdDefineArea"}));
        QCOMPARE(s.project.SumPct, 100);
        const std::vector<int> shares{60, 40, 0, 0, 0, 0, 0, 0, 0, 0};
        for (int k = 1; k <= tarn::kSubAreas; ++k) {
            QCOMPARE(s.project.SubAreaPct[std::size_t(k)], shares[std::size_t(k - 1)]);
            QCOMPARE(s.project.SubArea[std::size_t(k)].numberOr0(), shares[std::size_t(k - 1)] * 100.0);
            QCOMPARE(s.project.SubPara(k - 1, tarn::para::Area).numberOr0(), double(shares[std::size_t(k - 1)]));
        }

        // Back with a total area opens the details step, its Next enabled.
        QVERIFY(s.click("frmAMain", "cmdDefineArea"));
        QCOMPARE(s.text(form, "txtTotalArea"), QString("10000"));
        QCOMPARE(s.text(form, "cmbArea_1"), QString("35"));  // the file's shares again
        QVERIFY(s.click(form, "cmdBack3"));
        QVERIFY(!s.nav.loaded(form));
        QVERIFY(s.nav.loaded("frmDetail")->isVisible());
        QVERIFY(s.enabled("frmDetail", "cmdNext_2"));
        QCOMPARE(s.quits, 0);
    }

    // Rainfall with measured streamflow, ETref daily then monthly, initial conditions.
    void the_input_steps_read_what_the_core_reads() {
        Session s;
        s.throughDetails();
        s.click("frmAMain", "cmdDefineArea");
        s.type("frmCatchment", "txtTotalArea", "");  // typed again: the file's total and shares
        s.type("frmCatchment", "txtTotalArea", "10697");
        s.click("frmCatchment", "Command1");
        QVERIFY(s.click("frmCatchment", "cmdNext_3"));
        QCOMPARE(s.project.SubAreaPct[2], 35);

        // Rainfall.
        QVERIFY(s.click("frmAMain", "cmdInputRainData"));
        const QString rain = "frmGetRain";
        QCOMPARE(s.nav.loaded(rain)->windowTitle(), " Active data file for is  " + exampleWorkbook() + " Sheet 4 of 9 ");
        QCOMPARE(s.text(rain, "txtRainFile"), exampleWorkbook());
        const tarn::SubAreaBoxes fileFactors = tarn::rainFactorBoxes(s.project);
        for (int e = 0; e < tarn::kSubAreas; ++e)
            QCOMPARE(s.text(rain, "cmbRainScale_" + QString::number(e)), toQ(fileFactors[std::size_t(e)]));
        QCOMPARE(s.text(rain, "txtStatus2"), QString("Check the measured streamflow box if you have the streamflow data"));
        QVERIFY(s.control<QCheckBox>(rain, "chkRainseries")->isChecked());
        QVERIFY(s.click(rain, "cmdNext_4"));  // before the capture
        QCOMPARE(s.text(rain, "txtStatus2"), QString(" Capture Rainfall data first"));
        QVERIFY(s.focused(rain, "cmdCapRain"));
        s.control<QCheckBox>(rain, "chkStreamflow")->setChecked(true);
        s.type(rain, "cmbRainScale_0", "90");
        QVERIFY(s.click(rain, "cmdCapRain"));
        QCOMPARE(s.text(rain, "txtStatus2"), QString(" Data read OK !"));
        QVERIFY(s.nav.loaded(kChart) && s.nav.loaded(kChart)->isVisible());
        QVERIFY(!s.enabled(rain, "cmdCapRain"));
        QVERIFY(s.enabled(rain, "cmdNext_4"));
        QCOMPARE(s.project.MeasFlow, 1);
        QVERIFY(s.click(rain, "cmdNext_4"));
        QVERIFY(!s.nav.loaded(rain) && !s.nav.loaded(kChart));
        QCOMPARE(s.menu(), menuWith({"CmdInputEtrefData", "cmdDefineArea", "cmdInputRainData"}));

        const Project daily = coreRead(tarn::EtrefInput::Daily);
        QCOMPARE(s.project.NumDays, daily.NumDays);
        QVERIFY(daily.NumDays > 3000);  // 1999..2008
        QCOMPARE(firstDifference(s.project, daily, tarn::slot::Inputs, tarn::qty::P), 0);
        QCOMPARE(firstDifference(s.project, daily, tarn::slot::FirstRun, tarn::qty::Measured), 0);
        QCOMPARE(s.project.RainFactor[1].numberOr0(), 90.0);
        QCOMPARE(s.project.SubPara(0, tarn::para::RainScale).numberOr0(), 90.0);
        QCOMPARE(s.project.SubPara(2, tarn::para::RainScale).numberOr0(), daily.AreaInit(3, 1).numberOr0());

        // Reference evapotranspiration, daily and then monthly. Each read keeps the rainfall
        // and the measured streamflow.
        struct Etref {
            const char* option;
            const char* status;
            tarn::EtrefInput input;
            int monthly;
        };
        for (const Etref& e : {Etref{"OptDaily", "Daily reference evapotranspiration data read OK!", tarn::EtrefInput::Daily, 0},
                               Etref{"OptMonthly", "Monthly reference evapotranspiration data read OK!",
                                     tarn::EtrefInput::Monthly, 1}}) {
            const QString et = "frmEtref";
            QVERIFY(s.click("frmAMain", "CmdInputEtrefData"));
            QCOMPARE(s.nav.loaded(et)->windowTitle(), " Active data file for the is " + exampleWorkbook() + " Sheet 5 of 9 ");
            QCOMPARE(s.text(et, "txtMessage3"), QString(" Capture the reference evaporation data "));
            QVERIFY(!s.enabled(et, "cmdNext_5"));
            QVERIFY(s.click(et, "cmdCapEtrefData"));  // no option set: nothing happens
            QCOMPARE(s.text(et, "txtMessage3"), QString(" Capture the reference evaporation data "));
            QVERIFY(!s.nav.loaded(kChart));
            QVERIFY(!s.enabled(et, "cmdNext_5"));
            s.control<QRadioButton>(et, e.option)->setChecked(true);
            QVERIFY(s.click(et, "cmdCapEtrefData"));
            QCOMPARE(s.text(et, "txtMessage3"), QString(e.status));
            QVERIFY(s.nav.loaded(kChart));
            QVERIFY(!s.enabled(et, "cmdCapEtrefData"));
            QCOMPARE(s.project.EtrefMonthly, e.monthly);
            QVERIFY(s.click(et, "cmdNext_5"));
            QVERIFY(!s.nav.loaded(et) && !s.nav.loaded(kChart));
            QCOMPARE(s.menu(), menuWith({"CmdInputEtrefData", "cmdSoilParameters", "cmdDefineArea", "cmdInputRainData"}));

            const Project core = coreRead(e.input);
            QCOMPARE(firstDifference(s.project, core, tarn::slot::Inputs, tarn::qty::ETr), 0);
            QCOMPARE(firstDifference(s.project, core, tarn::slot::Inputs, tarn::qty::P), 0);
            QCOMPARE(firstDifference(s.project, core, tarn::slot::FirstRun, tarn::qty::Measured), 0);
        }

        // Initial conditions, on the parameters as the soil and vegetation steps take them
        // from the file.
        tarn::loadParametersFromDataFile(*tarn::openWorkbook(toPath(exampleWorkbook())), s.project);
        const Project parameters = s.project;
        s.nav.openStep(tarn::Step::InitialConditions);
        const QString ini = "frmIniCond";
        QCOMPARE(s.nav.loaded(ini)->windowTitle(), " Active data file is  " + exampleWorkbook() + " Sheet 8 of 9");
        QCOMPARE(s.text(ini, "txtIniCond"), exampleWorkbook());
        QCOMPARE(s.text(ini, "txtMessage"), QString(" Edit and capture data "));
        for (int k = 1; k <= tarn::kSubAreas; ++k)
            for (int e = 0; e < 3; ++e)
                QCOMPARE(s.text(ini, QString("txtIni%1_%2").arg(k).arg(e)),
                         toQ(parameters.SubPara(k - 1, tarn::paramAfter(tarn::para::St0, e)).text()));
        QVERIFY(!s.enabled(ini, "cmdNext_8"));
        s.type(ini, "txtIni2_0", "12.5");
        QVERIFY(s.click(ini, "cmdCapture"));
        QVERIFY(!s.enabled(ini, "cmdCapture"));
        QVERIFY(s.enabled(ini, "cmdNext_8"));
        QCOMPARE(s.project.SubPara(1, tarn::para::St0).text(), std::string("12.5"));
        s.type(ini, "txtIni3_2", "7");  // stored by Next as well
        QVERIFY(s.click(ini, "cmdNext_8"));
        QVERIFY(!s.nav.loaded(ini));
        QCOMPARE(s.menu(), menuWith({"cmdIniConditions", "cmdVegeParametsrs", "cmdRunandDisplay", "CmdInputEtrefData",
                                     "cmdSoilParameters", "cmdDefineArea", "cmdInputRainData"}));
        QCOMPARE(s.project.SubPara(2, tarn::para::B0).text(), std::string("7"));
        QCOMPARE(s.project.SubPara(0, tarn::para::Sw0).text(), parameters.SubPara(0, tarn::para::Sw0).text());
        QVERIFY(s.dialogs.allAnswered());
        QCOMPARE(s.quits, 0);
    }

    void rainfall_back_checks_the_sum_of_the_factors_data() {
        QTest::addColumn<QString>("factor");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("ten of 100 make 1000") << "100" << true;
        QTest::newRow("ten of 101 are too many") << "101" << false;
    }

    void rainfall_back_checks_the_sum_of_the_factors() {
        QFETCH(QString, factor);
        QFETCH(bool, accepted);
        Session s;
        s.throughDetails();
        s.nav.openStep(tarn::Step::Rainfall);
        for (int e = 0; e < tarn::kSubAreas; ++e) s.type("frmGetRain", "cmbRainScale_" + QString::number(e), factor);
        QVERIFY(s.click("frmGetRain", "cmdBack4"));
        QCOMPARE(!s.nav.loaded("frmGetRain"), accepted);
        QCOMPARE(bool(s.nav.loaded("frmCatchment")), accepted);
        QCOMPARE(s.project.RainFactor[10].numberOr0(), factor.toDouble());
        QVERIFY(s.project.SubPara(9, tarn::para::RainScale).isEmpty());  // Back stores no parameter
        if (accepted) return;
        QCOMPARE(s.text("frmGetRain", "txtStatus2"), QString("Check the Scaling factors !"));
        QVERIFY(s.focused("frmGetRain", "cmbRainScale_0"));
        QCOMPARE(s.dialogs.beeps(), 1);
    }

    // The workbook is gone when the rainfall is captured: the chart cannot read it, and the
    // step does not count as captured until a capture reads it.
    void a_series_the_chart_could_not_read_is_not_passed_on() {
        QTemporaryDir dir;
        const QString copy = dir.filePath("coln.xlsx");
        QVERIFY(QFile::copy(exampleWorkbook(), copy));
        Session s;
        s.throughDetails(copy);
        s.nav.openStep(tarn::Step::Rainfall);
        const QString rain = "frmGetRain";
        QVERIFY(QFile::rename(copy, copy + ".away"));
        QVERIFY(s.click(rain, "cmdCapRain"));
        QCOMPARE(s.text(rain, "txtStatus2"),
                 "The rainfall data were not read from " + copy + ": see the chart's message and capture the data again");
        QVERIFY(s.enabled(rain, "cmdCapRain"));
        QVERIFY(s.focused(rain, "cmdCapRain"));
        QVERIFY(s.click(rain, "cmdNext_4"));
        QCOMPARE(s.text(rain, "txtStatus2"), QString(" Capture Rainfall data first"));

        // The workbook back, the capture made again reads it.
        QVERIFY(QFile::rename(copy + ".away", copy));
        QVERIFY(s.click(rain, "cmdCapRain"));
        QCOMPARE(s.text(rain, "txtStatus2"), QString(" Data read OK !"));
        QVERIFY(s.click(rain, "cmdNext_4"));
        QVERIFY(!s.nav.loaded(rain));
        QVERIFY(s.project.NumDays > 3000);
    }

    void initial_conditions_typed_but_not_captured_are_lost_on_back() {
        Session s;
        s.throughDetails();
        s.nav.openStep(tarn::Step::InitialConditions);
        s.type("frmIniCond", "txtIni1_0", "99");
        QVERIFY(s.click("frmIniCond", "cmdBack8"));
        QVERIFY(!s.nav.loaded("frmIniCond"));
        QVERIFY(s.nav.loaded("frmVege")->isVisible());
        QVERIFY(s.project.SubPara(0, tarn::para::St0).isEmpty());
    }
};

QTEST_MAIN(InputStepsTest)
#include "input_steps_test.moc"
