// The soil and vegetation steps with their class screens, driven as a user would on the
// example workbook; the project state they leave equals what the step functions give.
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "input/menu.h"
#include "input/soil_capture.h"
#include "input/vegetation_capture.h"
#include "ui/qt_text.h"
#include "ui_session.h"

using namespace tarn::ui;
using namespace tarn::ui::test;
using tarn::para::BFI;
using tarn::para::IF;
using tarn::para::K;
using tarn::para::TAW;

namespace {

QLineEdit* box(const UiSession& s, const QString& form, const QString& name) {
    auto* edit = s.control<QLineEdit>(form, name);
    if (!edit) qFatal("%s has no box %s", qPrintable(form), qPrintable(name));
    return edit;
}

QString text(const UiSession& s, const QString& form, const QString& name) {
    if (auto* label = s.control<QLabel>(form, name)) return label->text();
    return box(s, form, name)->text();
}

void type(const UiSession& s, const QString& form, const QString& name, const QString& value) {
    box(s, form, name)->setText(value);
}

bool enabled(const UiSession& s, const QString& form, const QString& name) {
    return s.control<QWidget>(form, name)->isEnabled();
}

void choose(const UiSession& s, const QString& form, const QString& option) {
    s.control<QRadioButton>(form, option)->click();
}

// The menu's enabled buttons, top to bottom.
QStringList menuEnabled(const UiSession& s) {
    QStringList list;
    for (const tarn::MenuButtonInfo& b : tarn::menuButtons())
        if (enabled(s, "frmAMain", toQ(b.name))) list << toQ(b.name);
    return list;
}

// The project as the soil step's load leaves it, by the step functions alone.
tarn::Project loadedBySoilStep(const tarn::Project& session) {
    tarn::Project p = session;
    if (!tarn::soilLoad(p).result.ok) qFatal("the example cannot be read");
    return p;
}

// SubPara parameters 2..11 (soil, vegetation, initial stores, baseflow) of every sub-area.
void compareParameters(const tarn::Project& actual, const tarn::Project& expected) {
    for (int sub = 0; sub < tarn::kSubAreas; ++sub)
        for (tarn::Param k : tarn::kRunParams)
            QVERIFY2(actual.SubPara(sub, k).text() == expected.SubPara(sub, k).text(),
                     qPrintable(QString("A%1 parameter %2: %3, expected %4")
                                    .arg(sub + 1)
                                    .arg(tarn::indexOf(k))
                                    .arg(toQ(actual.SubPara(sub, k).text()), toQ(expected.SubPara(sub, k).text()))));
}

}  // namespace

class SoilVegetationTest : public QObject {
    Q_OBJECT

private slots:
    void soil_from_the_file_and_from_the_classes() {
        UiSession s;
        s.throughDetails();
        const QString file = exampleWorkbook();
        s.project.SubPara(0, TAW) = "typed before";
        s.project.ModelRun = 1;
        tarn::Project expected = loadedBySoilStep(s.project);

        // Every entry starts from the workbook's values.
        s.nav.openStep(tarn::Step::Soil);
        Screen* soil = s.nav.loaded("frmSoilPara");
        QVERIFY(soil && soil->isVisible());
        QCOMPARE(soil->windowTitle(), "  Active data file is  " + file + "  Sheet 6 of 9 ");
        QCOMPARE(text(s, "frmSoilPara", "txtMessage2"), "  Active data file is  " + file + " Page 1 of 10");
        QCOMPARE(text(s, "frmSoilPara", "lblFileName"), "Get data from :    " + file);
        QCOMPARE(text(s, "frmSoilPara", "txtSoilParaFile"), file);
        for (int k = 1; k <= tarn::kSubAreas; ++k)
            for (int e = 0; e < 3; ++e)
                QCOMPARE(text(s, "frmSoilPara", QString("txtSoil%1_%2").arg(k).arg(e)),
                         toQ(expected.SubPara(k - 1, tarn::paramAfter(TAW, e)).text()));
        QCOMPARE(text(s, "frmSoilPara", "txtSoil1_0"), QString("110"));
        QCOMPARE(text(s, "frmSoilPara", "txtBFlow"), QString("0.85"));
        QCOMPARE(text(s, "frmSoilPara", "txtResCoef"), QString("0.975"));
        QVERIFY(!enabled(s, "frmSoilPara", "cmdNext_6"));
        QVERIFY(!enabled(s, "frmSoilPara", "cmdUpdateNew"));
        QCOMPARE(toQ(s.project.ChartFile), file);
        compareParameters(s.project, expected);

        // From the file again: an edit not captured is gone.
        type(s, "frmSoilPara", "txtSoil2_1", "999");
        QVERIFY(s.click("frmSoilPara", "cmdGetSoilPara"));
        QCOMPARE(text(s, "frmSoilPara", "txtSoil2_1"), QString("50"));
        QCOMPARE(text(s, "frmSoilPara", "txtMessage2"), QString("Soil parameters shown are from the Input Data file"));
        QVERIFY(enabled(s, "frmSoilPara", "cmdUpdateNew"));
        QVERIFY(!s.nav.loaded("frmSoilParaSet"));

        // From the classes: "Clay" for A3.
        choose(s, "frmSoilPara", "optFromList");
        QVERIFY(s.click("frmSoilPara", "cmdGetSoilPara"));
        Screen* classes = s.nav.loaded("frmSoilParaSet");
        QVERIFY(classes && classes->isVisible());
        QCOMPARE(classes->windowTitle(), " Active data file is  " + file + "     Sheet 6.1 of 9");
        QCOMPARE(text(s, "frmSoilParaSet", "txtResetSoil"),
                 "   Active data file for the  " + toQ(s.project.PrjName) + "  project is  " + file);
        choose(s, "frmSoilParaSet", "optA3_S_4");
        QVERIFY(s.click("frmSoilParaSet", "cmdResetSoilData"));
        QCOMPARE(text(s, "frmSoilParaSet", "txtResetSoil"), QString(" Reset the soil parameters OK !"));
        tarn::ClassChoice clay{};
        clay[2] = 5;
        tarn::soilClassesApply(expected, clay);
        QCOMPARE(s.project.SoilSel, expected.SoilSel);
        compareParameters(s.project, expected);
        for (int e = 0; e < 3; ++e)
            QCOMPARE(text(s, "frmSoilPara", QString("txtSoil3_%1").arg(e)),
                     toQ(tarn::generalNumberText(expected.SoilData(4, e))));
        QCOMPARE(text(s, "frmSoilPara", "txtSoil3_0"), QString("150"));
        QCOMPARE(text(s, "frmSoilPara", "txtSoil1_0"), QString("110"));  // no class chosen: as it was

        // The class table: a value that is not a number is refused and nothing changes.
        QVERIFY(s.click("frmSoilParaSet", "cmdSoilType"));
        Screen* table = s.nav.loaded("frmSoilDataStore");
        QVERIFY(table && table->isVisible());
        QCOMPARE(table->windowTitle(), "  Active data file is  " + file + " Sheet 6.1.1 of 9 ");
        QCOMPARE(text(s, "frmSoilDataStore", "txtSoil5_0"), QString("150"));
        QCOMPARE(text(s, "frmSoilDataStore", "txtSoilResCoef_4"), toQ(tarn::generalNumberText(expected.SoilData(4, 4))));
        type(s, "frmSoilDataStore", "txtSoilBFlow_0", "0.7");
        type(s, "frmSoilDataStore", "txtSoil2_1", "n/a");
        const tarn::SoilClassTableScreen typed = [&] {
            tarn::SoilClassTableScreen t = tarn::soilTableLoad(expected);
            t.table.bfi[0] = "0.7";
            t.table.classes[1][1] = "n/a";
            return t;
        }();
        const tarn::Project beforeRefusal = s.project;
        tarn::Project refusedCopy = expected;
        const tarn::SoilTableUpdate refused = tarn::soilTableUpdate(refusedCopy, typed.table);
        QVERIFY(!refused.result.ok);
        QVERIFY(s.click("frmSoilDataStore", "cmdUpdate"));
        QCOMPARE(text(s, "frmSoilDataStore", "txtMessage"), toQ(refused.result.status));
        QVERIFY(text(s, "frmSoilDataStore", "txtMessage").contains("Sandy loam"));
        QCOMPARE(table->focusWidget(), box(s, "frmSoilDataStore", "txtSoil2_1"));
        QCOMPARE(s.dialogs.beeps(), 1);
        QCOMPARE(s.project.SoilData(0, 3), beforeRefusal.SoilData(0, 3));
        QCOMPARE(s.project.SoilData(1, 1), beforeRefusal.SoilData(1, 1));
        QCOMPARE(text(s, "frmSoilPara", "txtBFlow"), QString("0.85"));

        // Corrected, the table is taken and the first class's BFI shows on the soil step; the
        // sub-areas have it only once captured.
        type(s, "frmSoilDataStore", "txtSoil2_1", "65");
        QVERIFY(s.click("frmSoilDataStore", "cmdUpdate"));
        tarn::SoilClassTable corrected = typed.table;
        corrected.classes[1][1] = "65";
        QVERIFY(tarn::soilTableUpdate(expected, corrected).result.ok);
        QCOMPARE(text(s, "frmSoilDataStore", "txtMessage"), "   Active data file is  " + file);
        QCOMPARE(s.project.SoilData(0, 3), 0.7);
        QCOMPARE(s.project.SoilData(1, 1), 65.0);
        QCOMPARE(text(s, "frmSoilPara", "txtBFlow"), QString("0.7"));
        QCOMPARE(text(s, "frmSoilPara", "txtResCoef"), toQ(tarn::generalNumberText(expected.SoilData(0, 4))));
        QCOMPARE(s.project.SubPara(4, BFI).text(), std::string("0.85"));

        // Back closes the table; the class choice stays open under the soil step.
        QVERIFY(s.click("frmSoilDataStore", "cmdBack6_3"));
        QVERIFY(!s.nav.loaded("frmSoilDataStore"));
        QVERIFY(s.nav.loaded("frmSoilParaSet"));

        // Capture stores the grid as typed into every sub-area.
        type(s, "frmSoilPara", "txtSoil4_2", "12.5");
        QVERIFY(s.click("frmSoilPara", "cmdUpdateNew"));
        QCOMPARE(text(s, "frmSoilPara", "txtMessage2"), QString(" New parameters saved"));
        QVERIFY(enabled(s, "frmSoilPara", "cmdNext_6"));
        QVERIFY(!enabled(s, "frmSoilPara", "cmdUpdateNew"));
        tarn::SoilGrid grid = tarn::soilBoxes(expected);
        grid.subAreas[3][2] = "12.5";
        grid.bfi = "0.7";
        grid.recession = tarn::generalNumberText(expected.SoilData(0, 4));
        tarn::soilCapture(expected, grid);
        compareParameters(s.project, expected);
        QCOMPARE(s.project.SubPara(9, BFI).text(), std::string("0.7"));

        // Next: the run must be made again; the class choice closes with the step; the menu
        // offers the vegetation step.
        QVERIFY(s.click("frmSoilPara", "cmdNext_6"));
        QCOMPARE(s.project.ModelRun, 0);
        QVERIFY(!s.nav.loaded("frmSoilPara"));
        QVERIFY(!s.nav.loaded("frmSoilParaSet"));
        QCOMPARE(menuEnabled(s), QStringList({"cmdInputDatafile", "cmdDefineArea", "cmdInputRainData", "CmdInputEtrefData",
                                              "cmdSoilParameters", "cmdVegeParametsrs", "cmdExit"}));
        QCOMPARE(s.quits, 0);
    }

    void vegetation_from_the_classes_then_initial_conditions() {
        UiSession s;
        s.throughDetails();
        const QString file = exampleWorkbook();
        s.nav.openStep(tarn::Step::Soil);
        s.click("frmSoilPara", "cmdGetSoilPara");
        s.click("frmSoilPara", "cmdUpdateNew");
        s.click("frmSoilPara", "cmdNext_6");
        tarn::Project expected = s.project;

        QVERIFY(s.click("frmAMain", "cmdVegeParametsrs"));
        Screen* vege = s.nav.loaded("frmVege");
        QVERIFY(vege && vege->isVisible());
        QCOMPARE(vege->windowTitle(), "  Active data file is  " + file + "   Sheet 7  of 9 ");
        QCOMPARE(text(s, "frmVege", "lblVegeFile"), "Get vegetation parameters from " + file);
        QCOMPARE(text(s, "frmVege", "txtMessage4"), " Parameters used in the " + file + " are loaded");
        for (int k = 1; k <= tarn::kSubAreas; ++k)
            for (int e = 0; e < 2; ++e)
                QCOMPARE(text(s, "frmVege", QString("txtVege%1_%2").arg(k).arg(e)), toQ(expected.SubPara(k - 1, tarn::paramAfter(IF, e)).text()));
        QVERIFY(!enabled(s, "frmVege", "cmdNext_7"));
        QVERIFY(!enabled(s, "frmVege", "cmdUpdateVege"));

        // "Pasture" for A2.
        choose(s, "frmVege", "optNewVege");
        QVERIFY(s.click("frmVege", "cmdCaptureVege"));
        QVERIFY(enabled(s, "frmVege", "cmdUpdateVege"));
        Screen* classes = s.nav.loaded("frmVegeParaSet");
        QVERIFY(classes && classes->isVisible());
        QCOMPARE(classes->windowTitle(), "  Active data file is  " + file + "  Sheet 7.1 of 9 ");
        QCOMPARE(text(s, "frmVegeParaSet", "txtResetVege"), QString(" Select vegetation classes for each sub area and update"));
        choose(s, "frmVegeParaSet", "optVege2_4");
        QVERIFY(s.click("frmVegeParaSet", "cmdResetVege"));
        tarn::ClassChoice pasture{};
        pasture[1] = 5;
        const tarn::VegeGridResult applied = tarn::vegeClassesApply(expected, pasture);
        QCOMPARE(text(s, "frmVege", "txtMessage4"), QString(" Parameters reset "));
        QCOMPARE(text(s, "frmVege", "txtVege2_0"), toQ(expected.VegeData(4, 0).text()));
        QCOMPARE(text(s, "frmVege", "txtVege2_1"), toQ(expected.VegeData(4, 1).text()));
        QCOMPARE(text(s, "frmVege", "txtVege1_0"), toQ(applied.grid[0][0]));
        QCOMPARE(s.project.VegeSel, expected.VegeSel);
        compareParameters(s.project, expected);

        // The class table refuses a value that is not a number; a value it takes is used by
        // the next class choice as typed.
        QVERIFY(s.click("frmVegeParaSet", "Command2"));
        Screen* table = s.nav.loaded("frmVegeDataStore");
        QVERIFY(table && table->isVisible());
        QCOMPARE(table->windowTitle(), "  Active data file is  " + file + "   Sheet 7.1.1  of 9 ");
        QCOMPARE(text(s, "frmVegeDataStore", "txtMessage"), QString(" Edit the values and click on update"));
        type(s, "frmVegeDataStore", "txtVege5_0", "0.090");
        type(s, "frmVegeDataStore", "txtVege1_1", "1,1");
        tarn::VegeClassTable typed = tarn::vegeTableLoad(expected).table;
        typed[4][0] = "0.090";
        typed[0][1] = "1,1";
        tarn::Project refusedCopy = expected;
        const tarn::StepResult refused = tarn::vegeTableUpdate(refusedCopy, typed);
        QVERIFY(!refused.ok);
        QVERIFY(s.click("frmVegeDataStore", "cmdUpdateVege"));
        QCOMPARE(text(s, "frmVegeDataStore", "txtMessage"), toQ(refused.status));
        QCOMPARE(table->focusWidget(), box(s, "frmVegeDataStore", "txtVege1_1"));
        QCOMPARE(s.project.VegeData(4, 0).text(), expected.VegeData(4, 0).text());
        type(s, "frmVegeDataStore", "txtVege1_1", "1.1");
        typed[0][1] = "1.1";
        QVERIFY(s.click("frmVegeDataStore", "cmdUpdateVege"));
        QVERIFY(tarn::vegeTableUpdate(expected, typed).ok);
        QCOMPARE(s.project.VegeData(4, 0).text(), std::string("0.090"));
        QVERIFY(s.click("frmVegeDataStore", "cmdBack7_3"));
        QVERIFY(!s.nav.loaded("frmVegeDataStore"));
        QVERIFY(s.click("frmVegeParaSet", "cmdResetVege"));
        tarn::vegeClassesApply(expected, pasture);
        QCOMPARE(text(s, "frmVege", "txtVege2_0"), QString("0.090"));

        // Capture, then Next: the menu offers the initial conditions.
        QVERIFY(s.click("frmVegeParaSet", "cmdBack7_2"));
        QVERIFY(!s.nav.loaded("frmVegeParaSet"));
        type(s, "frmVege", "txtVege3_1", "0.9");
        QVERIFY(s.click("frmVege", "cmdUpdateVege"));
        QCOMPARE(text(s, "frmVege", "txtMessage4"), QString(" Vegetation parameters saved "));
        QVERIFY(enabled(s, "frmVege", "cmdNext_7"));
        QVERIFY(!enabled(s, "frmVege", "cmdUpdateVege"));
        tarn::VegeGrid grid = tarn::vegeLoad(expected).grid;
        grid[2][1] = "0.9";
        tarn::vegeCapture(expected, grid);
        compareParameters(s.project, expected);
        QVERIFY(s.click("frmVege", "cmdNext_7"));
        QVERIFY(!s.nav.loaded("frmVege"));
        QCOMPARE(menuEnabled(s), QStringList({"cmdInputDatafile", "cmdDefineArea", "cmdInputRainData", "CmdInputEtrefData",
                                              "cmdSoilParameters", "cmdVegeParametsrs", "cmdIniConditions", "cmdExit"}));
        compareParameters(s.project, expected);
    }

    void vegetation_back_reads_the_soil_step_again() {
        UiSession s;
        s.throughDetails();
        s.nav.openStep(tarn::Step::Vegetation);  // the sub-area block as the details step left it
        choose(s, "frmVege", "optNewVege");
        s.click("frmVege", "cmdCaptureVege");
        choose(s, "frmVegeParaSet", "optVege1_4");
        s.click("frmVegeParaSet", "cmdResetVege");
        QVERIFY(s.click("frmVege", "cmdBack7"));
        QVERIFY(!s.nav.loaded("frmVege"));
        QVERIFY(!s.nav.loaded("frmVegeParaSet"));
        QVERIFY(s.nav.loaded("frmSoilPara")->isVisible());
        compareParameters(s.project, loadedBySoilStep(s.project));
        QCOMPARE(s.project.SubPara(0, IF).text(), std::string("0.03"));
    }

    void an_unreadable_parameter_block_shows_why_and_changes_nothing() {
        UiSession s;
        s.throughDetails();
        s.project.SubPara(2, TAW) = "kept";
        s.nav.workbook()->write("Q6", tarn::Variant(std::string("n/a")));
        const tarn::Project before = s.project;
        s.nav.openStep(tarn::Step::Soil);
        QCOMPARE(text(s, "frmSoilPara", "txtMessage2"), exampleWorkbook() + ": Q6: 'n/a' is not a number");
        QCOMPARE(s.dialogs.beeps(), 1);
        QCOMPARE(text(s, "frmSoilPara", "txtSoil3_0"), QString("kept"));
        compareParameters(s.project, before);
        // Reading again says the same and still changes nothing.
        QVERIFY(s.click("frmSoilPara", "cmdGetSoilPara"));
        QCOMPARE(text(s, "frmSoilPara", "txtMessage2"), exampleWorkbook() + ": Q6: 'n/a' is not a number");
        compareParameters(s.project, before);
    }

    void back_leads_to_the_step_before_and_exit_ends_the_program() {
        UiSession s;
        s.throughDetails();
        s.nav.openStep(tarn::Step::Soil);
        QVERIFY(s.click("frmSoilPara", "cmdBack6"));
        QVERIFY(!s.nav.loaded("frmSoilPara"));
        QVERIFY(s.nav.loaded("frmEtref")->isVisible());

        s.nav.unload("frmEtref");
        s.nav.openStep(tarn::Step::Soil);
        choose(s, "frmSoilPara", "optFromList");
        s.click("frmSoilPara", "cmdGetSoilPara");
        QVERIFY(s.click("frmSoilParaSet", "cmdExit9"));
        QCOMPARE(s.quits, 1);
        QVERIFY(!s.nav.loaded("frmSoilPara")->isVisible());
    }
};

QTEST_MAIN(SoilVegetationTest)
#include "soil_vegetation_test.moc"
