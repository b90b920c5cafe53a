// The analysis screens on the example project after a run (and a rerun): each opens with
// its scale and caption, Show me and the paging arrows show the core's values through the
// screens' number patterns, Back and the close box return to the run screen, and a typed
// date that is no day of the record is refused in the screen.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <QToolButton>

#include "analysis/annual.h"
#include "analysis/display.h"
#include "analysis/pages.h"
#include "analysis/period.h"
#include "model/run_model.h"
#include "run_job.h"
#include "ui/qt_text.h"
#include "ui_session.h"

using namespace tarn;
using namespace tarn::ui;
using namespace tarn::ui::test;

namespace {

// The example workbook read, run and analysed as the command line does it, with its
// measured streamflow; `rerun`: then a rerun with another baseflow index in sub-area 1.
void runExample(UiSession& s, bool rerun) {
    RunJobOptions options;
    options.workbook = toPath(exampleWorkbook());
    options.measured = true;
    runJob(s.project, options);
    if (!rerun) return;
    s.project.SubPara(0, para::BFI) = "0.2";
    s.project.RerunFlag = 1;
    RunModel(s.project);
}

QString text(UiSession& s, const QString& form, const QString& box) {
    auto* edit = s.control<QLineEdit>(form, box);
    return edit ? edit->text() : QStringLiteral("<no %1>").arg(box);
}

QString q(const std::string& t) { return QString::fromStdString(t); }

// Every box's text shows whole when the window is shrunk as far as its layout lets it; the
// name of the first box that cuts its text, or empty.
QString cutText(Screen* screen) {
    screen->resize(screen->minimumSizeHint());
    QCoreApplication::processEvents();
    for (const QLineEdit* box : screen->findChildren<QLineEdit*>()) {
        const int room = box->width() - 2 * box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) - 4;
        if (box->fontMetrics().horizontalAdvance(box->text()) > room) return box->objectName() + ": " + box->text();
    }
    return {};
}

void press(UiSession& s, const QString& form, const QString& button) {
    auto* b = s.control<QAbstractButton>(form, button);
    QVERIFY2(b, qPrintable(form + " has no " + button));
    b->click();
}

}  // namespace

class AnalysisScreensTest : public QObject {
    Q_OBJECT

private slots:
    void back_and_the_close_box_return_to_the_run_screen_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("back");
        QTest::newRow("monthly") << "frmTotalflows" << "cmdBack10";
        QTest::newRow("annual volume") << "frmAnnual" << "Command2";
        QTest::newRow("annual depth") << "frmAnnualTotmm" << "Command1";
        QTest::newRow("seven-day") << "frmMiniFlows" << "Command1";
        QTest::newRow("period") << "frmMiniFlow" << "Command1";
    }

    void back_and_the_close_box_return_to_the_run_screen() {
        QFETCH(QString, form);
        QFETCH(QString, back);
        UiSession s;
        runExample(s, false);
        for (const bool closeBox : {false, true}) {
            Screen* screen = s.nav.show(form);
            QVERIFY(screen->windowTitle().contains(q(s.project.DataFile)));
            QVERIFY(screen->windowTitle().contains("Sheet 9."));
            if (closeBox)
                screen->close();
            else
                press(s, form, back);
            QVERIFY(!s.nav.loaded(form));
            QVERIFY(s.nav.loaded("frmRunModel") && s.nav.loaded("frmRunModel")->isVisible());
            QCOMPARE(s.quits, 0);
        }
    }

    void monthly_totals_page_twelve_months() {
        UiSession s;
        runExample(s, true);
        Project& p = s.project;
        s.nav.show("frmTotalflows");
        QCOMPARE(s.control<QLabel>("frmTotalflows", "lblScaleMonth")->text(),
                 q(monthlyScaleLabel(scaleStepOf(p.MaxMonFirst))));
        auto volume = [&](double v) { return q(formatPattern(v / p.MonScale, "###00")); };
        QCOMPARE(text(s, "frmTotalflows", "txtMonth_0"), QString("January"));
        QCOMPARE(text(s, "frmTotalflows", "txtYear1_0"), QString("1999"));
        QCOMPARE(text(s, "frmTotalflows", "txtFlow1_3"), volume(p.MonTotal(tarn::MonthField::FirstVolume, 4)));
        QCOMPARE(text(s, "frmTotalflows", "txtFlow2_3"), volume(p.MonTotal(tarn::MonthField::LastVolume, 4)));
        QVERIFY(p.MonTotal(tarn::MonthField::LastVolume, 4) != p.MonTotal(tarn::MonthField::FirstVolume, 4));  // the rerun changed the month
        QCOMPARE(text(s, "frmTotalflows", "txtMeasured_3"),
                 volume(p.MonTotal(tarn::MonthField::MeasuredDepth, 4) * p.TotalArea.numberOr0() / 100));
        press(s, "frmTotalflows", "cmdNextmonths");
        QCOMPARE(text(s, "frmTotalflows", "txtYear1_0"), QString("2000"));
        QCOMPARE(text(s, "frmTotalflows", "txtFlow1_11"), volume(p.MonTotal(tarn::MonthField::FirstVolume, 24)));
        // Previous shows the twelve months before the last one written: 12..23.
        press(s, "frmTotalflows", "cmdLastmonths");
        QCOMPARE(text(s, "frmTotalflows", "txtMonth_0"), QString("Dec"));
        QCOMPARE(text(s, "frmTotalflows", "txtYear1_0"), QString("1999"));
        QCOMPARE(text(s, "frmTotalflows", "txtFlow1_0"), volume(p.MonTotal(tarn::MonthField::FirstVolume, 12)));
        QCOMPARE(cutText(s.nav.loaded("frmTotalflows")), QString());
    }

    void annual_volumes_show_and_page_eight_years() {
        UiSession s;
        runExample(s, true);
        Project& p = s.project;
        const QString f = "frmAnnual";
        s.nav.show(f);
        QCOMPARE(s.control<QLabel>(f, "lblScale")->text(), q(p.AnnUnit));
        QCOMPARE(text(s, f, "txtAreasub_0"), q(formatPattern(p.SubArea[1].numberOr0(), "####")));
        QCOMPARE(text(s, f, "txtFlow1A_0"), QString(" "));  // nothing before Show me
        auto volume = [&](double v) { return q(formatPattern(v / p.AnnScale, "#")); };

        // Calendar years 1999..2008: ten years.
        press(s, f, "Command1");
        QCOMPARE(text(s, f, "txtFlow1A_0"), QString("1999"));
        QCOMPARE(text(s, f, "txtFlow2A_1"), volume(p.AnnTotal(tarn::annualRow(tarn::AnnualFigure::FirstVolume, tarn::YearType::Calendar), 2)));
        QCOMPARE(text(s, f, "txtYearlyMeas_1"), volume(p.AnnTotal(tarn::annualRow(tarn::AnnualFigure::MeasuredVolume, tarn::YearType::Calendar), 2)));
        QCOMPARE(text(s, f, "txtFlow1A_9"), QString("2000"));
        QCOMPARE(text(s, f, "txtFlow2A_9"), volume(p.AnnTotal(tarn::annualRow(tarn::AnnualFigure::LastVolume, tarn::YearType::Calendar), 2)));
        QVERIFY(text(s, f, "txtFlow2A_9") != text(s, f, "txtFlow2A_1"));
        QCOMPARE(text(s, f, "txtflow4A_0"), volume(p.SubAnnual(1, tarn::annualBlock(tarn::Run::First, tarn::YearType::Calendar), 2).numberOr0()));
        QCOMPARE(text(s, f, "txtflow12A_2"), volume(p.SubAnnual(3, tarn::annualBlock(tarn::Run::Last, tarn::YearType::Calendar), 2).numberOr0()));
        QCOMPARE(s.control<QLabel>(f, "lblSubYear_1")->text(), QString("2000"));

        // Next shows from the eighth year; a year the record lacks stays blank.
        press(s, f, "cmdNext8");
        QCOMPARE(text(s, f, "txtFlow1A_0"), QString("2006"));
        QCOMPARE(text(s, f, "txtFlow1A_2"), QString("2008"));
        QCOMPARE(text(s, f, "txtFlow1A_3"), QString(" "));
        QCOMPARE(text(s, f, "txtflow3A_0"), volume(p.SubAnnual(1, tarn::annualBlock(tarn::Run::First, tarn::YearType::Calendar), 8).numberOr0()));
        QCOMPARE(text(s, f, "txtflow6A_0"), QString());
        press(s, f, "cmdNext8");  // nothing further
        QCOMPARE(text(s, f, "txtFlow1A_0"), QString("2006"));
        press(s, f, "cmdLast8");
        QCOMPARE(text(s, f, "txtFlow1A_0"), QString("1999"));
        QCOMPARE(text(s, f, "txtFlow2A_7"), volume(p.AnnTotal(tarn::annualRow(tarn::AnnualFigure::FirstVolume, tarn::YearType::Calendar), 8)));

        // Water years from July 1999: nine of them.
        s.control<QRadioButton>(f, "OptWater")->setChecked(true);
        press(s, f, "Command1");
        QCOMPARE(text(s, f, "txtFlow1A_0"), QString("1999-2000"));
        QCOMPARE(text(s, f, "txtFlow2A_0"), volume(p.AnnTotal(tarn::annualRow(tarn::AnnualFigure::FirstVolume, tarn::YearType::Water), 1)));
        QCOMPARE(s.control<QLabel>(f, "lblSubYear_0")->text(), QString("1999-\n2000"));
        QCOMPARE(cutText(s.nav.loaded(f)), QString());
    }

    void annual_depths_page_with_the_volume_screen() {
        UiSession s;
        runExample(s, false);
        Project& p = s.project;
        const QString f = "frmAnnualTotmm";
        s.nav.show(f);
        press(s, f, "cmdShowmeAntotal");
        QCOMPARE(text(s, f, "txtAnTotYear_0"), QString("1999"));
        QCOMPARE(text(s, f, "txtAnTotmm_4"), q(formatPattern(p.AnnTotal(tarn::annualRow(tarn::AnnualFigure::FirstDepth, tarn::YearType::Calendar), 5), "###")));
        QCOMPARE(text(s, f, "txtAnTotMeasmm_4"), q(formatPattern(p.AnnTotal(tarn::annualRow(tarn::AnnualFigure::MeasuredDepth, tarn::YearType::Calendar), 5), "###")));
        QCOMPARE(text(s, f, "txtAnTotmm_12"), QString(" "));  // no rerun
        press(s, f, "cmdnext8");
        QCOMPARE(text(s, f, "txtAnTotYear_1"), QString("2007"));
        s.control<QAbstractButton>(f, "Command1")->click();

        // The volume screen continues from the page the depth screen showed last.
        s.nav.show("frmAnnual");
        press(s, "frmAnnual", "cmdNext8");
        QCOMPARE(text(s, "frmAnnual", "txtFlow1A_0"), QString(" "));
        press(s, "frmAnnual", "cmdLast8");
        QCOMPARE(text(s, "frmAnnual", "txtFlow1A_0"), QString("1999"));
    }

    void seven_day_minima_show_and_page_the_years_of_their_search() {
        UiSession s;
        runExample(s, true);
        Project& p = s.project;
        const QString f = "frmMiniFlows";
        s.nav.show(f);
        QCOMPARE(s.control<QLabel>(f, "lblScale1")->text(), q(p.MinFlowUnit));
        QCOMPARE(s.control<QLabel>(f, "lblScale3")->text(), q(p.MinFlowUnit));
        press(s, f, "CmdYear7dayMin");
        const YearType cal = YearType::Calendar;
        auto volume = [&](double v) { return q(formatPattern(v / p.FlowScale, "###00")); };
        QCOMPARE(text(s, f, "txtYear_0"), QString("1999"));
        QCOMPARE(text(s, f, "txtFlow1A_2"), q(p.MinDateFirst(cal, 3)));
        QCOMPARE(text(s, f, "txtFlow2A_2"), volume(p.MinFlowFirst(cal, 3)));
        QCOMPARE(text(s, f, "txtFlowTotal_2"), q(formatPattern(p.SevenDay.firstDepth[std::size_t(p.MinDayFirst[3])], "###00.00")));
        QCOMPARE(text(s, f, "txtFlow2A_10"), volume(p.MinFlowLast(cal, 3)));
        QCOMPARE(text(s, f, "txtFlow1A_19"), q(p.MinDateMeas(cal, 3)));
        QCOMPARE(text(s, f, "txtFlow2A_27"), q(formatPattern(p.MinFlowMeas(cal, 3), "###00.00")));
        QCOMPARE(text(s, f, "txtflow5A_0"),
                 q(formatPattern(p.SubFlow7(tarn::Run::First, p.MinDayFirst[3], 1) / p.FlowScale, "##0")));
        QCOMPARE(text(s, f, "txtSubArea_0"), q(formatPattern(p.SubArea[1].numberOr0(), "####")));

        // The pages keep the calendar years of the search, whichever option is selected.
        s.control<QRadioButton>(f, "OptWaterYear")->setChecked(true);
        press(s, f, "cmdnext8");
        QCOMPARE(text(s, f, "txtYear_0"), QString("2006"));
        QCOMPARE(text(s, f, "txtFlow1A_1"), q(p.MinDateFirst(cal, 9)));
        QCOMPARE(text(s, f, "txtYear_3"), QString(" "));
        QCOMPARE(s.control<QLabel>(f, "lblSubYear_9")->text(), QString("2007"));
        press(s, f, "cmdlast8");
        QCOMPARE(text(s, f, "txtYear_0"), QString("1999"));
        QCOMPARE(text(s, f, "txtFlow2A_7"), volume(p.MinFlowFirst(cal, 8)));

        press(s, f, "CmdYear7dayMin");
        const YearType water = YearType::Water;
        QCOMPARE(text(s, f, "txtYear_0"), QString("1999"));
        QCOMPARE(text(s, f, "txtFlow1A_0"), q(p.MinDateFirst(water, 1)));
        QVERIFY(text(s, f, "txtFlow1A_0").startsWith("1999-") || text(s, f, "txtFlow1A_0").startsWith("2000-"));
        QCOMPARE(cutText(s.nav.loaded(f)), QString());
    }

    void period_minimum_and_a_date_that_is_no_day() {
        UiSession s;
        runExample(s, true);
        Project& p = s.project;
        const QString f = "frmMiniFlow";
        s.nav.show(f);
        auto* from = s.control<QComboBox>(f, "cmbTimeFrom");
        auto* to = s.control<QComboBox>(f, "cmbStopTime");
        QCOMPARE(from->count(), p.NumDays);
        QCOMPARE(from->currentText(), q(p.DayDate(2, 0)));
        QCOMPARE(to->currentText(), q(p.DayDate(11, 0)));

        from->setCurrentIndex(150);
        to->setEditText(q(p.DayDate(400, 0)));
        press(s, f, "cmdMinFlow");
        const PeriodMinima expected = periodMinima(p, p.DayDate(151, 0), p.DayDate(400, 0));
        QCOMPARE(text(s, f, "TxtMinTime"), q(expected.firstDate));
        QCOMPARE(text(s, f, "txtMinFlow"), q(periodValueText(expected.firstMin)));
        QCOMPARE(text(s, f, "txtMinTimeAfter"), q(expected.lastDate));
        QCOMPARE(text(s, f, "txtMinFlowAfter"), q(periodValueText(expected.lastMin)));
        QCOMPARE(text(s, f, "txtMinFlowMeasured"), q(periodValueText(expected.measMin)));
        QVERIFY(text(s, f, "txtMinFlow").endsWith("   mm/day"));
        QCOMPARE(cutText(s.nav.loaded(f)), QString());

        // A typed date that matches no day is refused, naming the box; nothing is shown.
        from->setEditText("1999-02-30");
        press(s, f, "cmdMinFlow");
        QCOMPARE(text(s, f, "txtMessage"),
                 QString("From: '1999-02-30' is not a day of the record; choose a date from the list"));
        QCOMPARE(text(s, f, "TxtMinTime"), QString());
        QCOMPARE(s.dialogs.beeps(), 1);
        from->setCurrentIndex(0);
        to->setEditText("someday");
        press(s, f, "cmdMinFlow");
        QVERIFY(text(s, f, "txtMessage").startsWith("To: 'someday'"));
    }
};

QTEST_MAIN(AnalysisScreensTest)
#include "analysis_screens_test.moc"
