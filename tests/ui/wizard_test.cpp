// The wizard as a user drives it: welcome, main menu, project details on the example
// workbook; a workbook that cannot be read; Back; Exit.
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "input/menu.h"
#include "model/errors.h"
#include "ui/qt_text.h"
#include "ui_session.h"
#include "workbook/input_workbook.h"

using namespace tarn::ui;
using namespace tarn::ui::test;

namespace {

QString text(const UiSession& s, const QString& form, const QString& name) {
    if (auto* edit = s.control<QLineEdit>(form, name)) return edit->text();
    if (auto* label = s.control<QLabel>(form, name)) return label->text();
    return "<no " + name + ">";
}

// The enabled buttons and shown markers of the open main menu.
QStringList menuShows(const UiSession& s) {
    QStringList shown;
    for (const tarn::MenuButtonInfo& b : tarn::menuButtons()) {
        auto* button = s.control<QPushButton>("frmAMain", toQ(b.name));
        if (button && button->isEnabled()) shown << toQ(b.name);
    }
    for (int i = 0; i < tarn::kMenuMarkerCount; ++i) {
        auto* marker = s.control<QWidget>("frmAMain", "lbl_button_" + QString::number(i));
        if (marker && marker->isVisible()) shown << marker->objectName();
    }
    return shown;
}

bool visibleScreens(const UiSession& s) {
    for (const char* form : {"frmMain", "frmAMain", "frmDetail"})
        if (auto* screen = s.nav.loaded(form); screen && screen->isVisible()) return true;
    return false;
}

}  // namespace

class WizardTest : public QObject {
    Q_OBJECT

private slots:
    void welcome_menu_and_details_on_the_example() {
        UiSession s;
        s.project.RerunFlag = 1;
        s.project.TestOnly = 1;
        s.nav.start();
        QVERIFY(s.nav.loaded("frmMain")->isVisible());
        QCOMPARE(s.nav.loaded("frmMain")->windowTitle(), QString(" Sheet 1 of 9"));
        QCOMPARE(s.project.RerunFlag, 0);
        QCOMPARE(s.project.TestOnly, 0);

        // Welcome -> menu: only the data file can be chosen.
        QVERIFY(s.click("frmMain", "cmdNext_1"));
        QVERIFY(!s.nav.loaded("frmMain"));
        QCOMPARE(s.project.PrjName, std::string(" Enter the project name here"));
        QCOMPARE(s.project.OperName, std::string(" Enter operators name here"));
        QCOMPARE(s.nav.loaded("frmAMain")->windowTitle(), QString("  Sheet 1.1 of 9 "));
        QCOMPARE(menuShows(s), QStringList({"cmdInputDatafile", "cmdExit", "lbl_button_0"}));

        // Menu -> details, as it loads.
        QVERIFY(s.click("frmAMain", "cmdInputDatafile"));
        QVERIFY(!s.nav.loaded("frmAMain"));
        Screen* details = s.nav.loaded("frmDetail");
        QVERIFY(details && details->isVisible());
        QCOMPARE(details->windowTitle(), QString("Active datafile is     Sheet 2 of 9 "));
        QCOMPARE(text(s, "frmDetail", "txtMessage"), QString("Click on the Input data file & template button to select a file"));
        QCOMPARE(text(s, "frmDetail", "txtPrjName"), QString(" Enter the project name here"));
        QVERIFY(!s.control<QWidget>("frmDetail", "txtPrjName")->isVisible());
        QVERIFY(!s.control<QWidget>("frmDetail", "txtOperName")->isVisible());

        // Next before a file is chosen is refused although it is enabled.
        QVERIFY(s.control<QWidget>("frmDetail", "cmdNext_2")->isEnabled());
        QVERIFY(s.click("frmDetail", "cmdNext_2"));
        QCOMPARE(s.nav.loaded("frmDetail"), details);
        QCOMPARE(text(s, "frmDetail", "txtMessage"), QString("Select the input datafile first"));
        QCOMPARE(details->focusWidget(), s.control<QWidget>("frmDetail", "cmdTemplt"));

        // The example, chosen through the file dialog.
        s.dialogs.answerOpenFile(exampleWorkbook());
        QVERIFY(s.click("frmDetail", "cmdTemplt"));
        QCOMPARE(s.dialogs.prompts().size(), std::size_t(1));
        const FakeDialogs::Prompt& prompt = s.dialogs.prompts().front();
        QCOMPARE(prompt.kind, FakeDialogs::Kind::OpenFile);
        QVERIFY(prompt.filter.contains("*.xlsx") && prompt.filter.contains("*.xls "));

        // The project holds the header as the core reads it from the same file.
        tarn::Project expected;
        tarn::readHeader(*tarn::openWorkbook(toPath(exampleWorkbook())), expected);
        QCOMPARE(toQ(s.project.DataFile), exampleWorkbook());
        QCOMPARE(s.project.PrjName, expected.PrjName);
        QCOMPARE(s.project.OperName, expected.OperName);
        QCOMPARE(s.project.LastRun, expected.LastRun);
        QCOMPARE(s.project.TotalArea.text(), std::string("10697"));
        for (int c = 1; c <= tarn::kSubAreas; ++c)
            for (int row = 0; row <= 1; ++row)
                QCOMPARE(s.project.AreaInit(c, row).text(), expected.AreaInit(c, row).text());
        QCOMPARE(s.project.AreaInit(1, 0).text(), std::string("50"));
        QCOMPARE(s.project.AreaInit(3, 0).text(), std::string("15"));
        QCOMPARE(s.project.AreaInit(3, 1).text(), std::string("102"));
        QVERIFY(s.nav.workbook());
        QVERIFY(!s.nav.progress().isVisible());

        QCOMPARE(text(s, "frmDetail", "txtTemplate"), exampleWorkbook());
        QCOMPARE(text(s, "frmDetail", "txtPrjName"), toQ(expected.PrjName));
        QCOMPARE(text(s, "frmDetail", "txtlastrun"), toQ(expected.LastRun));
        QCOMPARE(text(s, "frmDetail", "txtMessage"), QString("Edit the names and click on the Next button to proceed"));
        QVERIFY(s.control<QWidget>("frmDetail", "txtPrjName")->isVisible());
        QVERIFY(s.control<QWidget>("frmDetail", "cmdNext_2")->isEnabled());
        QVERIFY(!s.control<QWidget>("frmDetail", "cmdTemplt")->isEnabled());
        QVERIFY(details->windowTitle().contains(exampleWorkbook()));
        static const QRegularExpression clock("^\\d{1,2} / \\d{1,2} / \\d{4}   \\d{1,2}:\\d{1,2}:\\d{1,2}$");
        QVERIFY2(clock.match(text(s, "frmDetail", "lblTimeNow")).hasMatch(), qPrintable(text(s, "frmDetail", "lblTimeNow")));
        QCOMPARE(toQ(s.project.TimeNow), text(s, "frmDetail", "lblTimeNow"));

        // The names typed become the project's on Next; the menu then offers the catchment.
        s.control<QLineEdit>("frmDetail", "txtPrjName")->setText("Coln at Bibury, land-use test");
        s.control<QLineEdit>("frmDetail", "txtOperName")->setText("A. Tester");
        QVERIFY(s.click("frmDetail", "cmdNext_2"));
        QVERIFY(!s.nav.loaded("frmDetail"));
        QCOMPARE(s.project.PrjName, std::string("Coln at Bibury, land-use test"));
        QCOMPARE(s.project.OperName, std::string("A. Tester"));
        QVERIFY(s.nav.loaded("frmAMain")->isVisible());
        QCOMPARE(menuShows(s), QStringList({"cmdInputDatafile", "cmdDefineArea", "cmdExit", "lbl_button_1"}));
        QVERIFY(s.dialogs.allAnswered());
        QCOMPARE(s.quits, 0);
    }

    void an_unreadable_workbook_shows_why_and_changes_nothing() {
        QTemporaryDir dir;
        const QString bad = dir.filePath("broken.xlsx");
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Date,Rainfall\n1999-01-01,2.5\n");
        file.close();
        UiSession s;
        s.chooseWorkbook();
        QVERIFY(s.click("frmDetail", "cmdNext_2"));
        const tarn::Project before = s.project;
        tarn::Workbook* book = s.nav.workbook();

        // Back on the details screen, the broken file is chosen.
        QVERIFY(s.click("frmAMain", "cmdInputDatafile"));
        s.dialogs.answerOpenFile(bad);
        QVERIFY(s.click("frmDetail", "cmdTemplt"));
        const QString status = text(s, "frmDetail", "txtMessage");
        QCOMPARE(status, bad + " is not a workbook (neither .xlsx nor .xls)");
        QCOMPARE(s.dialogs.beeps(), 1);
        QCOMPARE(s.project.DataFile, before.DataFile);
        QCOMPARE(s.project.PrjName, before.PrjName);
        QCOMPARE(s.project.OperName, before.OperName);
        QCOMPARE(s.project.LastRun, before.LastRun);
        QCOMPARE(s.project.TotalArea.text(), before.TotalArea.text());
        for (int c = 1; c <= tarn::kSubAreas; ++c)
            for (int row = 0; row <= 1; ++row)
                QCOMPARE(s.project.AreaInit(c, row).text(), before.AreaInit(c, row).text());
        QCOMPARE(s.nav.workbook(), book);
        QVERIFY(text(s, "frmDetail", "txtTemplate").isEmpty());
        QVERIFY(s.control<QWidget>("frmDetail", "cmdTemplt")->isEnabled());
        QVERIFY(!s.nav.progress().isVisible());

        // Another file can still be chosen.
        s.dialogs.answerOpenFile(exampleWorkbook());
        QVERIFY(s.click("frmDetail", "cmdTemplt"));
        QCOMPARE(text(s, "frmDetail", "txtTemplate"), exampleWorkbook());
        QVERIFY(s.dialogs.allAnswered());
    }

    void a_cancelled_file_dialog_changes_nothing() {
        UiSession s;
        s.nav.setPreselectedFile(exampleWorkbook());
        s.nav.start();
        s.click("frmMain", "cmdNext_1");
        s.click("frmAMain", "cmdInputDatafile");
        s.dialogs.answerOpenFile({});
        QVERIFY(s.click("frmDetail", "cmdTemplt"));
        // The dialog opened on the workbook given on the command line.
        QCOMPARE(s.dialogs.prompts().back().selected, exampleWorkbook());
        QCOMPARE(s.dialogs.prompts().back().folder, QString(TARNFLOW_EXAMPLES_DIR));
        QVERIFY(s.project.DataFile.empty());
        QVERIFY(!s.nav.workbook());
        QVERIFY(s.control<QWidget>("frmDetail", "cmdTemplt")->isEnabled());
        QCOMPARE(text(s, "frmDetail", "txtMessage"), QString("Click on the Input data file & template button to select a file"));
    }

    void back_keeps_the_names_and_returns_to_the_step_before() {
        UiSession s;
        s.chooseWorkbook();
        s.control<QLineEdit>("frmDetail", "txtOperName")->setText("Typed before Back");
        QVERIFY(s.click("frmDetail", "cmdBack2"));
        QVERIFY(!s.nav.loaded("frmDetail"));
        QVERIFY(s.nav.loaded("frmMain")->isVisible());
        QCOMPARE(s.project.OperName, std::string("Typed before Back"));

        // The run's Back returns to the menu with everything up to the run enabled.
        s.nav.back(tarn::Step::Run);
        QVERIFY(s.nav.loaded("frmAMain")->isVisible());
        QVERIFY(s.control<QWidget>("frmAMain", "cmdRunandDisplay")->isEnabled());
        QVERIFY(s.control<QWidget>("frmAMain", "cmdIniConditions")->isEnabled());
    }

    void a_subordinate_screen_closes_alone_or_with_its_owner() {
        UiSession s;
        s.nav.registerScreen("frmSub", [](Navigation& n) -> Screen* { return new SubordinateScreen(n); });
        s.chooseWorkbook();
        s.nav.show("frmSub", "frmDetail");
        QVERIFY(s.nav.loaded("frmSub")->close() == false);  // the close box unloads it ...
        QVERIFY(!s.nav.loaded("frmSub"));
        QCOMPARE(s.quits, 0);  // ... and does not end the program
        s.nav.show("frmSub", "frmDetail");
        QVERIFY(s.click("frmDetail", "cmdNext_2"));
        QVERIFY(!s.nav.loaded("frmSub"));
        // A wizard screen's close box is its Exit.
        QVERIFY(s.nav.loaded("frmAMain")->close() == false);
        QCOMPARE(s.quits, 1);
    }

    void exit_waits_half_a_second_closes_the_workbook_and_quits() {
        UiSession s;
        s.chooseWorkbook();
        QVERIFY(s.nav.workbook());
        QElapsedTimer clock;
        clock.start();
        QVERIFY(s.click("frmDetail", "cmdExit3"));
        QVERIFY(clock.elapsed() >= 500);
        QCOMPARE(s.quits, 1);
        QVERIFY(!s.nav.workbook());
        QVERIFY(!visibleScreens(s));
        s.nav.exitProgram();  // a second Exit does not quit twice
        QCOMPARE(s.quits, 1);
    }
};

QTEST_MAIN(WizardTest)
#include "wizard_test.moc"
