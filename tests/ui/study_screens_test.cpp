// The study on screen: the comparison window against `tarnflow compare` on the bundled
// scenario, its refusal of another period, and Save chart... writing pictures that open at
// the size asked for and a CSV that holds the chart's own values.
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QMimeData>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <cmath>

#include "ui/chart/chart_control.h"
#include "ui/chart/duration_chart.h"
#include "ui/compare_screen.h"
#include "ui/detail_screen.h"
#include "ui/qt_text.h"
#include "ui/save_chart.h"
#include "ui_session.h"
#include "workbook/workbook.h"

using namespace tarn;
using namespace tarn::ui;
using namespace tarn::ui::test;

namespace {

QString example(const char* name) { return QStringLiteral(TARNFLOW_EXAMPLES_DIR "/") + name; }

QByteArray readAll(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QList<QStringList> csvRows(const QByteArray& text) {
    QList<QStringList> rows;
    for (const QByteArray& line : text.split('\n'))
        if (!line.isEmpty()) rows << QString::fromUtf8(line).split(',');
    return rows;
}

// The comparison window on the data file `base` with `scenarios`, compared to the end.
CompareScreen* compared(UiSession& s, const QString& base, const QStringList& scenarios, bool measured) {
    s.project.DataFile = base.toStdString();
    s.project.MeasFlow = measured ? 1 : 0;
    auto* screen = qobject_cast<CompareScreen*>(s.nav.show("frmCompare"));
    if (!screen) return nullptr;
    for (const QString& f : scenarios) screen->addScenario(f);
    QSignalSpy done(screen, &CompareScreen::compared);
    if (!screen->control<QPushButton>("cmdCompareRun")->isEnabled()) return nullptr;
    screen->control<QPushButton>("cmdCompareRun")->click();
    if (!done.wait(60000)) return nullptr;
    return screen;
}

}  // namespace

class StudyScreensTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // The recent workbooks go to a settings folder of the test's own.
        QVERIFY(settings_.isValid());
        qputenv("XDG_CONFIG_HOME", settings_.path().toUtf8());
    }

    void new_project_dialog_writes_the_workbook_of_tarnflow_new_and_opens_it() {
        QTemporaryDir dir;
        const QString csv = QStringLiteral(TARNFLOW_EXAMPLES_DIR "/data/coln_bibury.csv");
        const QString cliBook = dir.filePath("cli.xlsx"), windowBook = dir.filePath("window");
        QProcess cli;
        cli.start(TARNFLOW_CLI, {"new", cliBook, "--series", csv, "--area", "10697", "--shares", "60,40", "--soil",
                                 "3,2", "--vegetation", "1", "--bfi", "0.4", "--name", "Coln"});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 0);

        UiSession s;
        s.nav.start();
        s.click("frmMain", "cmdNext_1");
        s.click("frmAMain", "cmdInputDatafile");
        QVERIFY(s.click("frmDetail", "cmdNewProject"));
        const QString form = QStringLiteral("frmNewProject");
        auto box = [&](const char* name) { return s.control<QLineEdit>(form, name); };
        QVERIFY(box("txtArea"));
        s.dialogs.answerOpenFile(csv);
        QVERIFY(s.click(form, "cmdSeries"));
        QCOMPARE(box("txtSeries")->text(), csv);
        // Refusals name the box and leave the focus there; nothing is asked or written.
        struct Refusal {
            const char* box;
            const char* text;
            const char* status;
        };
        const Refusal refusals[] = {
            {"txtArea", "ten", "Total catchment area (ha): 'ten' is not a number"},
            {"txtArea", "-5", "Total catchment area (ha): The total catchment area must be above 0 ha"},
            {"txtShares", "60,30", "Sub-area shares (%, comma list): The sub-area shares 60, 30 add up to 90 %"},
            {"txtSoil", "3,x", "Soil class of each sub-area: 'x' is not a whole number"},
            {"txtBfi", "1.5", "Baseflow index (0 to 1): The baseflow index must lie from 0 to 1"},
        };
        Screen* dialog = s.nav.loaded(form);
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        for (const Refusal& r : refusals) {
            box("txtArea")->setText("10697");
            box("txtShares")->setText("60,40");
            box("txtSoil")->setText("3,2");
            box("txtVegetation")->setText("1");
            box("txtBfi")->setText("0.4");
            box(r.box)->setText(r.text);
            QVERIFY(s.click(form, "cmdCreate"));
            QVERIFY2(box("txtStatus")->text().startsWith(r.status), qPrintable(box("txtStatus")->text()));
            QVERIFY2(QApplication::focusWidget() == box(r.box), r.box);
        }
        QVERIFY(s.dialogs.prompts().size() == 1);  // the CSV's open dialog only
        box("txtBfi")->setText("0.4");
        box("txtName")->setText("Coln");
        s.dialogs.answerSaveFile(windowBook);
        QVERIFY(s.click(form, "cmdCreate"));

        // The same workbook, cell by cell.
        const auto a = openWorkbook(toPath(cliBook)), b = openWorkbook(toPath(windowBook + ".xlsx"));
        QCOMPARE(b->lastUsedRow(), a->lastUsedRow());
        for (int row = 1; row <= a->lastUsedRow(); ++row)
            for (int column = 1; column <= 60; ++column) {
                const Cell x = a->cell(row, column), y = b->cell(row, column);
                QVERIFY2(y.type == x.type && y.displayText() == x.displayText(),
                         qPrintable(QStringLiteral("row %1 column %2: %3 against %4")
                                        .arg(row).arg(column).arg(toQ(y.displayText()), toQ(x.displayText()))));
            }
        // ... opened as the data file, and offered first among the recent workbooks.
        QVERIFY(!s.nav.loaded(form));
        QCOMPARE(QString::fromStdString(s.project.DataFile), windowBook + ".xlsx");
        QCOMPARE(s.project.PrjName, std::string("Coln"));
        auto* details = s.nav.loaded<DetailScreen>("frmDetail");
        QCOMPARE(details->recentWorkbooks().value(0), windowBook + ".xlsx");
    }

    void details_step_opens_a_dropped_or_recent_workbook_and_keeps_five() {
        QTemporaryDir dir;
        QStringList books;
        for (int i = 0; i < 6; ++i) {
            books << dir.filePath(QStringLiteral("w%1.xlsx").arg(i));
            QVERIFY(QFile::copy(exampleWorkbook(), books.back()));
        }
        for (const QString& book : books) {
            UiSession s;
            s.nav.start();
            s.click("frmMain", "cmdNext_1");
            s.click("frmAMain", "cmdInputDatafile");
            auto* details = s.nav.loaded<DetailScreen>("frmDetail");
            QMimeData mime;
            mime.setUrls({QUrl::fromLocalFile(book)});
            // A drop reaches the window that accepted the drag's entry.
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(details, &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(details, &drop);
            QVERIFY2(QString::fromStdString(s.project.DataFile) == book,
                     qPrintable(s.control<QLineEdit>("frmDetail", "txtMessage")->text()));
        }
        UiSession s;
        s.nav.start();
        s.click("frmMain", "cmdNext_1");
        s.click("frmAMain", "cmdInputDatafile");
        auto* details = s.nav.loaded<DetailScreen>("frmDetail");
        const QStringList recent = details->recentWorkbooks();
        QCOMPARE(recent, (QStringList{books[5], books[4], books[3], books[2], books[1]}));
        auto* list = s.control<QComboBox>("frmDetail", "cmbRecent");
        QCOMPARE(list->count(), 5);
        list->setCurrentIndex(2);
        emit list->activated(2);
        QCOMPARE(QString::fromStdString(s.project.DataFile), books[3]);
        QVERIFY(!list->isEnabled());  // one file per visit
    }

    void compare_window_shows_and_saves_the_table_of_tarnflow_compare() {
        QTemporaryDir dir;
        const QString base = example("coln_bibury.xlsx"), woodland = example("coln_bibury_woodland.xlsx");
        const QString cliCsv = dir.filePath("cli.csv");
        QProcess cli;
        cli.start(TARNFLOW_CLI, {"compare", base, woodland, "--measured", "--csv", cliCsv});
        QVERIFY(cli.waitForFinished(120000));
        QCOMPARE(cli.exitCode(), 0);
        const QList<QStringList> expected = csvRows(readAll(cliCsv));
        QCOMPARE(expected.size(), 3);

        UiSession s;
        CompareScreen* screen = compared(s, base, {woodland}, true);
        QVERIFY(screen);
        auto* figures = screen->control<QTableWidget>("tblCompare");
        auto* subAreas = screen->control<QTableWidget>("tblSubAreas");
        QCOMPARE(figures->rowCount(), 2);
        // The two tables side by side are the command's columns; the workbook column shows the file name.
        QCOMPARE(figures->columnCount() + subAreas->columnCount() - 1, expected[0].size());
        for (int r = 0; r < 2; ++r) {
            const QStringList& row = expected[r + 1];
            QCOMPARE(figures->item(r, 0)->text(), QFileInfo(row[0]).fileName());
            for (int c = 1; c < figures->columnCount(); ++c)
                QCOMPARE(figures->item(r, c)->text(), row[c]);
            for (int c = 1; c < subAreas->columnCount(); ++c)
                QCOMPARE(subAreas->item(r, c)->text(), row[figures->columnCount() + c - 1]);
        }
        // The woodland scenario loses water: the second bar is lower.
        auto* bars = screen->control<ChartControl>("chtAnnual");
        QCOMPARE(bars->rowCount(), 2);
        QVERIFY(bars->value(1, 1) < bars->value(1, 0));
        QCOMPARE(screen->control<DurationChart>("chtDuration")->curves().curves.size(), std::size_t(2));

        // Save table... writes the command's file, byte for byte.
        const QString saved = dir.filePath("window.csv");
        s.dialogs.answerSaveFile(saved);
        screen->control<QPushButton>("cmdSaveTable")->click();
        QCOMPARE(readAll(saved), readAll(cliCsv));
        // ... and never over a workbook compared.
        const QByteArray before = readAll(woodland);
        s.dialogs.answerSaveFile(woodland);
        screen->control<QPushButton>("cmdSaveTable")->click();
        QCOMPARE(readAll(woodland), before);
        QVERIFY(screen->control<QLineEdit>("txtStatus")->text().contains("never changed"));
    }

    void compare_window_refuses_another_period_naming_both() {
        UiSession s;
        CompareScreen* screen =
            compared(s, example("coln_bibury.xlsx"), {QStringLiteral(TARNFLOW_TEST_DATA_DIR "/libreoffice.xlsx")}, false);
        QVERIFY(screen);
        const QString status = screen->control<QLineEdit>("txtStatus")->text();
        QVERIFY2(status.contains("1999-01-01 to 2008-12-31") && status.contains("libreoffice.xlsx") &&
                     status.count(" to ") >= 2,
                 qPrintable(status));
        QCOMPARE(screen->control<QTableWidget>("tblCompare")->rowCount(), 0);
        QVERIFY(!screen->control<QPushButton>("cmdSaveTable")->isEnabled());
    }

    void compare_window_asks_for_a_scenario_first() {
        UiSession s;
        s.project.DataFile = example("coln_bibury.xlsx").toStdString();
        auto* screen = qobject_cast<CompareScreen*>(s.nav.show("frmCompare"));
        QVERIFY(screen);
        QVERIFY(!screen->compare());
        QVERIFY(screen->control<QLineEdit>("txtStatus")->text().contains("scenario"));
        QCOMPARE(s.dialogs.beeps(), 1);
    }

    void exit_or_close_during_a_comparison_stops_it_before_the_window_goes() {
        for (const bool exit : {true, false}) {
            UiSession s;
            s.project.DataFile = example("coln_bibury.xlsx").toStdString();
            QPointer<CompareScreen> screen = qobject_cast<CompareScreen*>(s.nav.show("frmCompare"));
            QVERIFY(screen);
            // More workbooks than threads, so some have not started when the stop comes.
            for (int i = 0; i < 8; ++i) screen->addScenario(example("coln_bibury_woodland.xlsx"));
            QVERIFY(screen->compare());
            QVERIFY(screen->busy());
            if (exit) s.nav.exitProgram();
            else QVERIFY(s.click("frmCompare", "cmdClose"));
            QVERIFY(screen);
            QVERIFY(!screen->busy());
            QCOMPARE(screen->control<QLineEdit>("txtStatus")->text(), QStringLiteral("The comparison was stopped"));
            QVERIFY(screen->figures().empty());
            QCOMPARE(s.quits, exit ? 1 : 0);
            QCOMPARE(s.nav.loaded("frmCompare") != nullptr, exit);
        }
    }

    void save_dialog_gives_a_bare_name_the_extension_of_the_type_chosen() {
        QTemporaryDir dir;
        struct Case {
            int type;  // in the list of file types
            const char* typed;
            const char* saved;
        };
        const Case cases[] = {{1, "chart", "chart.svg"}, {2, "chart", "chart.csv"}, {0, "chart.svg", "chart.svg"}};
        for (const Case& c : cases) {
            // The user chooses the type in the dialog's list, types the name and saves.
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
                QVERIFY(types);
                types->setCurrentIndex(c.type);
                emit types->activated(c.type);
                emit types->textActivated(types->itemText(c.type));
                dialog->findChild<QLineEdit*>("fileNameEdit")->setText(c.typed);
                static_cast<QDialog*>(dialog)->accept();  // as Save does
            });
            FileRequest request;
            request.filter = "PNG picture (*.png);;SVG drawing (*.svg);;CSV table (*.csv)";
            request.folder = dir.path();
            request.extensionFromType = true;
            QCOMPARE(QtDialogs().saveFile(nullptr, request), dir.filePath(c.saved));
        }
    }

    void saved_chart_pictures_open_at_the_size_asked_and_its_csv_holds_its_values() {
        QuietOffscreen quiet;
        QTemporaryDir dir;
        FakeDialogs dialogs;
        ChartControl chart;
        ChartData data;
        data.labels = {"Jan, 1999", "Feb", "Mar"};
        data.names = {"rain \"mm\"", "flow"};
        data.columns = {{1.5, 0.1 + 0.2, -3e-7}, {1e300, 0, 42}};
        chart.setData(data);
        chart.setColumnCount(2);
        chart.resize(400, 300);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));

        struct Case {
            const char* file;
            std::optional<QString> size;  // typed in the input box; none: no box
            QSize expected;
        };
        const Case cases[] = {
            {"a.png", QStringLiteral("321 x 123"), {321, 123}},
            {"b.svg", QStringLiteral("400x300"), {400, 300}},
            {"c", QStringLiteral(" 200 X 100 "), {200, 100}},  // no extension: a PNG
        };
        for (const Case& c : cases) {
            dialogs.answerSaveFile(dir.filePath(c.file));
            dialogs.answerInput(c.size);
            const QString file = saveChart(nullptr, dialogs, &chart, dir.path());
            QVERIFY2(!file.isEmpty(), c.file);
            if (file.endsWith(".svg")) {
                QSvgRenderer svg(file);
                QVERIFY(svg.isValid());
                QCOMPARE(svg.defaultSize(), c.expected);
            } else {
                QCOMPARE(QImage(file).size(), c.expected);
            }
        }
        QCOMPARE(chart.size(), QSize(400, 300));  // given its own size back

        // A size that is none is asked again; a cancelled box writes nothing.
        dialogs.answerSaveFile(dir.filePath("d.png"));
        dialogs.answerInput(QStringLiteral("5 x 5"));
        dialogs.answerMessage();
        dialogs.answerInput(std::nullopt);
        QVERIFY(saveChart(nullptr, dialogs, &chart, dir.path()).isEmpty());
        QVERIFY(!QFile::exists(dir.filePath("d.png")));
        QVERIFY(dialogs.prompts()[dialogs.prompts().size() - 2].text.startsWith("5 x 5 is not a picture size"));

        // The CSV: the label column and both series, every value as the chart holds it.
        dialogs.answerSaveFile(dir.filePath("e.csv"));
        QVERIFY(!saveChart(nullptr, dialogs, &chart, dir.path()).isEmpty());
        const QList<QByteArray> lines = readAll(dir.filePath("e.csv")).split('\n');
        QCOMPARE(lines[0], QByteArray("label,\"rain \"\"mm\"\"\",flow"));
        QVERIFY(lines[1].startsWith("\"Jan, 1999\","));
        for (int r = 0; r < 3; ++r) {
            const QList<QByteArray> fields = lines[r + 1].split(',');
            for (int c = 1; c <= 2; ++c)
                QCOMPARE(fields[fields.size() - 3 + c].toDouble(), data.columns[std::size_t(c - 1)][std::size_t(r)]);
        }
    }

    void duration_chart_csv_leaves_out_the_flows_of_zero() {
        FakeDialogs dialogs;
        QTemporaryDir dir;
        DurationChart chart;
        DurationCurves curves;
        curves.curves = {{"first", {10, 50, 90}, {3, 1, 0.25}, 0, false},
                         {"measured", {10, 50}, {2.5, 0.5}, 1, true}};
        chart.setCurves(curves);
        dialogs.answerSaveFile(dir.filePath("d.csv"));
        QVERIFY(!saveChart(nullptr, dialogs, &chart, dir.path()).isEmpty());
        QCOMPARE(readAll(dir.filePath("d.csv")),
                 QByteArray("Exceedance (% of days),first,measured\n10,3,2.5\n50,1,0.5\n90,0.25,\n"));
    }

private:
    QTemporaryDir settings_;
};

QTEST_MAIN(StudyScreensTest)
#include "study_screens_test.moc"
