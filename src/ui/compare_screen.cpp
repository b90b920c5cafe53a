#include "ui/compare_screen.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QHeaderView>
#include <QMetaObject>
#include <QPointer>
#include <QPushButton>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <thread>

#include "compare.h"
#include "model/errors.h"
#include "output/chart_types.h"
#include "ui/dialogs.h"
#include "ui/navigation.h"
#include "ui/qt_text.h"
#include "ui/save_chart.h"
#include "ui_compare_screen.h"
#include "workbook/atomic_file.h"

namespace tarn::ui {

namespace {

const QString kTitle = QStringLiteral("Compare scenarios");
const QString kWorkbookFilter = QStringLiteral("Workbooks (*.xlsx *.xls *.XLSX *.XLS);;All files (*)");

// A column title for the screen from a CSV column name: "streamflow_change_percent" ->
// "Streamflow change (%)".
QString columnTitle(const std::string& key) {
    QString t = toQ(key);
    static const std::pair<const char*, const char*> units[] = {
        {"_mm_per_day", " (mm/day)"}, {"_1000m3", " (1000 m3)"}, {"_percent", " (%)"}, {"_mm", " (mm)"}};
    for (const auto& [suffix, unit] : units)
        if (t.endsWith(QLatin1String(suffix))) {
            t = t.left(t.size() - qsizetype(qstrlen(suffix))) + QLatin1String(unit);
            break;
        }
    t.replace('_', ' ');
    t.replace(QLatin1String("actual et"), QLatin1String("actual ET"));
    if (!t.isEmpty() && t[0].isLower()) t[0] = t[0].toUpper();
    return t;
}

// Fills a table widget with a CompareTable; the workbook column shows the file name, its
// full path in the tool tip.
void fill(QTableWidget* table, const CompareTable& t) {
    table->clear();
    table->setColumnCount(int(t.header.size()));
    table->setRowCount(int(t.rows.size()));
    QStringList titles;
    for (const std::string& h : t.header) titles << columnTitle(h);
    table->setHorizontalHeaderLabels(titles);
    for (int r = 0; r < int(t.rows.size()); ++r) {
        const auto& row = t.rows[std::size_t(r)];
        for (int c = 0; c < int(row.size()); ++c) {
            const QString text = toQ(row[std::size_t(c)]);
            auto* item = new QTableWidgetItem(c == 0 ? QFileInfo(text).fileName() : text);
            if (c == 0) item->setToolTip(text);
            else item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(r, c, item);
        }
    }
    table->resizeColumnsToContents();
}

}  // namespace

CompareScreen::CompareScreen(Navigation& navigation)
    : SubordinateScreen(navigation), ui_(std::make_unique<::Ui::CompareScreen>()) {
    ui_->setupUi(this);
    // Both charts' save buttons carry the one name; each sits in its chart's frame.
    ui_->cmdSaveChart->setObjectName(QStringLiteral("cmdSaveChart"));
    ui_->cmdSaveChart_Duration->setObjectName(QStringLiteral("cmdSaveChart"));
    ui_->txtBase->setMinimumWidth(fontMetrics().averageCharWidth() * 50);
    const int line = fontMetrics().height();
    ui_->lstScenarios->setMinimumHeight(line * 4);
    ui_->lstScenarios->setMaximumHeight(line * 7);
    // Wide enough for the duration chart's title, axis labels and a legend of two workbooks.
    for (QWidget* chart : {static_cast<QWidget*>(ui_->chtAnnual), static_cast<QWidget*>(ui_->chtDuration)})
        chart->setMinimumSize(fontMetrics().averageCharWidth() * 70, line * 18);
    ui_->tabTables->setMinimumHeight(line * 10);  // the base and a scenario in view
    ui_->splResults->setStretchFactor(0, 1);
    ui_->splResults->setStretchFactor(1, 2);
    ui_->chtAnnual->setChartType(chart::Bar2d);
    ui_->prgCompare->setVisible(false);
    for (QTableWidget* table : {ui_->tblCompare, ui_->tblSubAreas}) table->verticalHeader()->setVisible(false);

    connect(&watcher_, &QFutureWatcher<Outcome>::finished, this, &CompareScreen::finished);
    connect(ui_->cmdAddScenario, &QPushButton::clicked, this, &CompareScreen::chooseScenarios);
    connect(ui_->cmdRemoveScenario, &QPushButton::clicked, this, &CompareScreen::removeScenarios);
    connect(ui_->cmdCompareRun, &QPushButton::clicked, this, &CompareScreen::compare);
    connect(ui_->cmdSaveTable, &QPushButton::clicked, this, &CompareScreen::saveTable);
    connect(ui_->cmdSaveChart, &QPushButton::clicked, this, [this] { saveChartOf(ui_->chtAnnual); });
    connect(ui_->cmdSaveChart_Duration, &QPushButton::clicked, this, [this] { saveChartOf(ui_->chtDuration); });
    connect(ui_->cmdClose, &QPushButton::clicked, this, [this] { closeRequested(); });
}

CompareScreen::~CompareScreen() {
    stop_ = true;
    watcher_.waitForFinished();
}

void CompareScreen::stopWork() {
    if (!busy()) return;
    stop_ = true;
    setStatus(QStringLiteral("Stopping the comparison: the workbooks under way finish first"));
    QEventLoop wait;
    connect(&watcher_, &QFutureWatcher<Outcome>::finished, &wait, &QEventLoop::quit);
    if (busy()) wait.exec(QEventLoop::ExcludeUserInputEvents);
}

void CompareScreen::closeRequested() {
    stopWork();
    SubordinateScreen::closeRequested();
}

void CompareScreen::load() {
    const Project& p = project();
    setWindowTitle(kTitle + QStringLiteral(" - base ") + toQ(p.DataFile));
    ui_->txtBase->setText(toQ(p.DataFile));
    ui_->txtBase->setCursorPosition(0);
    ui_->chkMeasured->setChecked(p.MeasFlow == 1);
    ui_->chkMonthlyEtref->setChecked(p.EtrefMonthly == 1);
    ui_->cmdSaveTable->setEnabled(false);
    setStatus(p.DataFile.empty() ? QStringLiteral("Choose the input data file first: it is the base of the comparison")
                                 : QStringLiteral("Add the scenario workbooks and click on Compare"));
}

QStringList CompareScreen::workbooks() const {
    QStringList list{ui_->txtBase->text()};
    for (int i = 0; i < ui_->lstScenarios->count(); ++i) list << ui_->lstScenarios->item(i)->data(Qt::UserRole).toString();
    return list;
}

void CompareScreen::addScenario(const QString& workbook) {
    auto* item = new QListWidgetItem(QFileInfo(workbook).fileName(), ui_->lstScenarios);
    item->setData(Qt::UserRole, workbook);
    item->setToolTip(workbook);
}

void CompareScreen::chooseScenarios() {
    FileRequest request;
    request.title = QStringLiteral("Add a scenario workbook");
    request.filter = kWorkbookFilter;
    request.folder = QFileInfo(ui_->txtBase->text()).absolutePath();
    const QString file = dialogs().openFile(this, request);
    if (file.isEmpty()) return;
    addScenario(file);
    setStatus(QStringLiteral("%1 added; click on Compare").arg(QFileInfo(file).fileName()));
}

void CompareScreen::removeScenarios() {
    const QList<QListWidgetItem*> chosen = ui_->lstScenarios->selectedItems();
    if (chosen.isEmpty() && ui_->lstScenarios->currentItem()) {
        delete ui_->lstScenarios->currentItem();
        return;
    }
    qDeleteAll(chosen);
}

void CompareScreen::setStatus(const QString& text) {
    showStatus(ui_->txtStatus, toStd(text));
}

void CompareScreen::setRunning(bool running) {
    for (QWidget* w : {static_cast<QWidget*>(ui_->cmdCompareRun), static_cast<QWidget*>(ui_->cmdAddScenario),
                       static_cast<QWidget*>(ui_->cmdRemoveScenario), static_cast<QWidget*>(ui_->cmdSaveTable),
                       static_cast<QWidget*>(ui_->chkMeasured), static_cast<QWidget*>(ui_->chkMonthlyEtref)})
        w->setEnabled(!running);
    ui_->prgCompare->setVisible(running);
}

bool CompareScreen::compare() {
    if (busy()) return false;
    const QStringList files = workbooks();
    if (files.front().isEmpty()) {
        setStatus(QStringLiteral("Choose the input data file first: it is the base of the comparison"));
        dialogs().beep(1);
        return false;
    }
    if (files.size() < 2) {
        setStatus(QStringLiteral("Add at least one scenario workbook to compare with the base"));
        dialogs().beep(1);
        ui_->cmdAddScenario->setFocus();
        return false;
    }
    std::vector<std::filesystem::path> paths;
    for (const QString& f : files) paths.push_back(toPath(f));
    RunJobOptions options;
    options.measured = ui_->chkMeasured->isChecked();
    options.monthlyEtref = ui_->chkMonthlyEtref->isChecked();

    stop_ = false;
    setRunning(true);
    ui_->prgCompare->setRange(0, int(paths.size()));
    ui_->prgCompare->setValue(0);
    setStatus(QStringLiteral("Comparing %1 workbooks...").arg(paths.size()));
    QPointer<QProgressBar> bar = ui_->prgCompare;
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    watcher_.setFuture(QtConcurrent::run([paths, options, threads, bar, this]() -> Outcome {
        Outcome out;
        const ScenarioProgress progress = [bar](std::size_t done, std::size_t) {
            QMetaObject::invokeMethod(bar, [bar, done] {
                if (bar) bar->setValue(int(done));
            }, Qt::QueuedConnection);
        };
        try {
            out.figures = runScenarios(paths, options, threads, progress, &stop_, true);
        } catch (const ComparisonStopped&) {
            out.stopped = true;
        } catch (const std::exception& e) {
            out.error = QString::fromUtf8(e.what());
        }
        return out;
    }));
    return true;
}

void CompareScreen::finished() {
    const Outcome out = watcher_.result();
    setRunning(false);
    if (out.stopped || !out.error.isEmpty()) {
        // The tables and charts show no figures of another set of workbooks.
        figures_.clear();
        showFigures();
        ui_->cmdSaveTable->setEnabled(false);
    }
    if (out.stopped) {
        setStatus(QStringLiteral("The comparison was stopped"));
        emit compared(false);
        return;
    }
    if (!out.error.isEmpty()) {
        setStatus(out.error);
        dialogs().beep(1);
        emit compared(false);
        return;
    }
    figures_ = out.figures;
    showFigures();
    ui_->cmdSaveTable->setEnabled(true);
    const ScenarioFigures& base = figures_.front();
    setStatus(QStringLiteral("%1 workbooks compared over %2 to %3; changes against %4")
                  .arg(figures_.size())
                  .arg(toQ(base.first), toQ(base.last), fromPath(base.workbook.filename())));
    emit compared(true);
}

void CompareScreen::showFigures() {
    fill(ui_->tblCompare, compareFigures(figures_));
    fill(ui_->tblSubAreas, compareSubAreas(figures_));
    ChartData bars = compareAnnualChart(figures_);
    ui_->chtAnnual->setData(std::move(bars));
    ui_->chtAnnual->setChartType(chart::Bar2d);
    ui_->chtDuration->setCurves(compareDurationCurves(figures_));
}

void CompareScreen::saveTable() {
    if (figures_.empty()) return;
    FileRequest request;
    request.title = QStringLiteral("Save the comparison table");
    request.filter = QStringLiteral("CSV files (*.csv);;All files (*)");
    request.folder = QFileInfo(ui_->txtBase->text()).absolutePath();
    const QString file = dialogs().saveFile(this, request);
    if (file.isEmpty()) return;
    try {
        for (const ScenarioFigures& f : figures_)
            if (sameFile(toPath(file), f.workbook))
                throw InputError(toStd(file) + " is one of the workbooks compared, which are never changed; choose another name");
        writeBytesAtomically(toPath(file), compareCsv(figures_));
    } catch (const InputError& e) {
        setStatus(toQ(e.what()));
        dialogs().beep(1);
        return;
    }
    setStatus(QStringLiteral("Table saved to %1").arg(file));
}

void CompareScreen::saveChartOf(QWidget* chart) {
    const QString file = saveChart(this, dialogs(), chart, QFileInfo(ui_->txtBase->text()).absolutePath());
    if (!file.isEmpty()) setStatus(QStringLiteral("Chart saved to %1").arg(file));
}

}  // namespace tarn::ui
