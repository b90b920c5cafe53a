#include "ui/calibrate_screen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtConcurrent/QtConcurrentRun>
#include <thread>

#include "output/fit_panel.h"
#include "ui/chart/chart_control.h"
#include "ui/navigation.h"
#include "ui/output2_screen.h"
#include "ui/output_screen.h"
#include "ui/qt_text.h"
#include "ui_calibrate_screen.h"

namespace tarn::ui {

namespace {

constexpr int kLineChart = 3;  // "2dLine"
constexpr int kFigures = 6;    // decimals of the objective shown

const QString kClassRowTip =
    QStringLiteral("Soil and vegetation are classes on this screen: calibrate them on the screen of values");

// The element of frmOutput's grid (txtAp_<s>_<e>) that holds SubPara column c (TAW..B0).
int valueElement(Param column) {
    const int c = indexOf(column);
    return column <= para::TopMax ? c - indexOf(para::TAW) : c;
}

// The first sub-area of the catchment, whose BFI and K stand for every sub-area's.
int firstSubArea(const CatchmentSet& set) {
    for (int s = 1; s <= kSubAreas; ++s)
        if (set.sub[std::size_t(s)].inCatchment) return s;
    return 1;
}

}  // namespace

CalibrateScreen::CalibrateScreen(Navigation& navigation)
    : SubordinateScreen(navigation), ui_(std::make_unique<::Ui::CalibrateScreen>()) {
    ui_->setupUi(this);
    tick_ = controlArray<QCheckBox>("chkParam", kCalibrationRows);
    formBox_ = controlArray<QComboBox>("cmbForm", kCalibrationRows);
    subArea_ = controlArray<QComboBox>("cmbSubArea", kCalibrationRows);
    lo_ = controlArray<QLineEdit>("txtLo", kCalibrationRows);
    hi_ = controlArray<QLineEdit>("txtHi", kCalibrationRows);
    const QFontMetrics fm = fontMetrics();
    const int boxWidth = fm.horizontalAdvance(QStringLiteral("0.0000000")) + fm.averageCharWidth() * 2;
    for (int n = 0; n < kCalibrationRows; ++n) {
        lo_[n]->setMinimumWidth(boxWidth);
        hi_[n]->setMinimumWidth(boxWidth);
        connect(formBox_[n], &QComboBox::currentIndexChanged, this, [this, n] { formChosen(n); });
    }
    ui_->chtCalibrate->setMinimumSize(fm.averageCharWidth() * 60, fm.lineSpacing() * 14);
    ui_->chtCalibrate->setChartType(kLineChart);
    ui_->chtCalibrate->setLegendVisible(false);
    ui_->txtMessage->setMinimumWidth(fm.averageCharWidth() * 60);

    connect(ui_->cmdStart, &QPushButton::clicked, this, &CalibrateScreen::start);
    connect(ui_->cmdStop, &QPushButton::clicked, this, &CalibrateScreen::stop);
    connect(ui_->cmdApply, &QPushButton::clicked, this, &CalibrateScreen::apply);
    connect(ui_->cmdClose, &QPushButton::clicked, this, &CalibrateScreen::closeWindow);
    connect(&watcher_, &QFutureWatcher<Outcome>::finished, this, &CalibrateScreen::finished);
}

CalibrateScreen::~CalibrateScreen() {
    stop_ = true;
    watcher_.waitForFinished();
}

void CalibrateScreen::load() {
    for (QComboBox* box : subArea_) {
        box->clear();
        for (int s = 1; s <= kSubAreas; ++s)
            if (project().SubArea[std::size_t(s)].numberOr0() > 0) box->addItem("A" + QString::number(s), s);
    }
    setForm(defaultCalibrationRows(false));
    const FitDates dates = fitDates(project());
    ui_->txtFrom->setText(toQ(dates.from));
    ui_->txtUntil->setText(toQ(dates.to));
    ui_->txtWarmUp->setText(QStringLiteral("0"));
    ui_->txtEvaluations->setText(QStringLiteral("5000"));
    ui_->txtSeed->setText(QStringLiteral("1"));
    ui_->prgCalibrate->setRange(0, 1);
    ui_->prgCalibrate->setValue(0);
    showStatus(ui_->txtMessage, "Tick the parameters, set their bounds and press Start");
    setSearching(false);
}

void CalibrateScreen::attach(OutputScreenBase* screen) {
    if (searching() || !screen || screen == target_) return;
    target_ = screen;
    classesOnly_ = qobject_cast<Output2Screen*>(screen) != nullptr;
    best_.clear();
    setForm(defaultCalibrationRows(classesOnly_));
    // The fit window the output screen's panel shows.
    if (auto* from = screen->findChild<QLineEdit*>(QStringLiteral("txtFitFrom"))) ui_->txtFrom->setText(from->text());
    if (auto* until = screen->findChild<QLineEdit*>(QStringLiteral("txtFitTo"))) ui_->txtUntil->setText(until->text());
    setSearching(false);
}

void CalibrateScreen::setForm(const std::array<CalibrationRow, kCalibrationRows>& rows) {
    for (int n = 0; n < kCalibrationRows; ++n) {
        const CalibrationRow& r = rows[std::size_t(n)];
        tick_[n]->setChecked(r.ticked);
        formBox_[n]->setCurrentIndex(int(r.form));
        subArea_[n]->setCurrentIndex(std::max(0, subArea_[n]->findData(r.subArea)));
        lo_[n]->setText(toQ(r.lo));
        hi_[n]->setText(toQ(r.hi));
    }
    setRowsEnabled();
}

void CalibrateScreen::setRowsEnabled() {
    for (int n = 0; n < kCalibrationRows; ++n) {
        const bool open = !(classesOnly_ && classParameter(n));
        tick_[n]->setEnabled(open);
        tick_[n]->setToolTip(open ? QStringLiteral("Calibrate this parameter") : kClassRowTip);
        formBox_[n]->setEnabled(open && !catchmentWideRow(n));
        lo_[n]->setEnabled(open);
        hi_[n]->setEnabled(open);
        formChosen(n);
    }
}

void CalibrateScreen::formChosen(int n) {
    const bool open = !(classesOnly_ && classParameter(n));
    subArea_[n]->setEnabled(open && !catchmentWideRow(n) && formBox_[n]->currentIndex() == int(ParamForm::SubArea));
}

CalibrationForm CalibrateScreen::boxes() const {
    CalibrationForm f;
    for (int n = 0; n < kCalibrationRows; ++n) {
        CalibrationRow& r = f.rows[std::size_t(n)];
        r.ticked = tick_[n]->isEnabled() && tick_[n]->isChecked();
        r.form = ParamForm(std::max(0, formBox_[n]->currentIndex()));
        r.subArea = subArea_[n]->currentData().isValid() ? subArea_[n]->currentData().toInt() : 0;
        r.lo = toStd(lo_[n]->text());
        r.hi = toStd(hi_[n]->text());
    }
    f.objective = Objective(std::max(0, ui_->cmbObjective->currentIndex()));
    f.from = toStd(ui_->txtFrom->text());
    f.until = toStd(ui_->txtUntil->text());
    f.warmUp = toStd(ui_->txtWarmUp->text());
    f.evaluations = toStd(ui_->txtEvaluations->text());
    f.seed = toStd(ui_->txtSeed->text());
    return f;
}

void CalibrateScreen::setSearching(bool on) {
    ui_->cmdStart->setEnabled(!on);
    ui_->cmdStop->setEnabled(on);
    ui_->cmdApply->setEnabled(!on && !best_.empty() && target_);
}

void CalibrateScreen::start() {
    if (searching()) return;
    const CalibrationRead read = readCalibrationForm(project(), boxes());
    if (!read.result.ok) {
        showResult(read.result, ui_->txtMessage);
        return;
    }
    Run r;
    r.request = read.request;
    r.inputs = std::make_unique<Project>(calibrationInputs(project()));
    r.evaluator = std::make_unique<Evaluator>(*r.inputs, r.request.tuned, std::vector<Objective>{r.request.objective},
                                              r.request.window);
    run_ = std::move(r);
    best_.clear();
    curve_ = ChartData{};
    curve_.names = {std::string("best ") + objectiveName(run_->request.objective)};
    curve_.columns.assign(1, {});
    ui_->chtCalibrate->setData(curve_);
    ui_->txtBest->clear();
    ui_->lblBest->setText(QStringLiteral("Best %1 so far").arg(QString::fromLatin1(objectiveName(run_->request.objective))));
    ui_->prgCalibrate->setRange(0, int(run_->request.evaluations));
    ui_->prgCalibrate->setValue(0);
    stop_ = false;

    SearchOptions options;
    options.evaluations = run_->request.evaluations;
    options.seed = run_->request.seed;
    options.threads = int(std::max(1u, std::thread::hardware_concurrency()));
    const Evaluator* evaluator = run_->evaluator.get();
    watcher_.setFuture(QtConcurrent::run([this, evaluator, options]() {
        SearchCallbacks callbacks;
        callbacks.stop = &stop_;
        callbacks.progress = [this](long done, long budget, std::optional<double> best) {
            QMetaObject::invokeMethod(
                this, [this, done, budget, best] { progressed(done, budget, best); }, Qt::QueuedConnection);
        };
        Outcome outcome;
        try {
            outcome.result = search(*evaluator, options, callbacks);
        } catch (const std::exception& e) {
            outcome.error = e.what();
        }
        return outcome;
    }));
    setSearching(true);
    showStatus(ui_->txtMessage, "Calibrating: Stop keeps the best set so far");
}

void CalibrateScreen::progressed(long done, long budget, std::optional<double> best) {
    if (!run_) return;
    ui_->prgCalibrate->setRange(0, int(budget));
    ui_->prgCalibrate->setValue(int(std::min(done, budget)));
    if (!best) return;
    ui_->txtBest->setText(QString::number(*best, 'f', kFigures));
    curve_.labels.push_back(std::to_string(done));
    curve_.columns[0].push_back(*best);
    ui_->chtCalibrate->setData(curve_);
}

void CalibrateScreen::finished() {
    const Outcome outcome = watcher_.result();
    const SearchResult& r = outcome.result;
    if (!outcome.error.empty()) {
        setSearching(false);
        showStatus(ui_->txtMessage, outcome.error);
        return;
    }
    best_ = r.best;
    setSearching(false);
    if (best_.empty()) {
        showStatus(ui_->txtMessage, "No parameter set within the bounds could be run: widen or change the bounds");
        return;
    }
    // A budget that the algorithm's generations do not divide ends a little short of it.
    if (!r.stopped) ui_->prgCalibrate->setMaximum(int(r.evaluations));
    ui_->prgCalibrate->setValue(int(std::min<long>(r.evaluations, ui_->prgCalibrate->maximum())));
    ui_->txtBest->setText(QString::number(r.bestObjectives.front(), 'f', kFigures));
    showStatus(ui_->txtMessage, std::string(r.stopped ? "Stopped" : "Done") + " after " + std::to_string(r.evaluations) +
                                    " evaluations: best " + objectiveName(run_->request.objective) + " " +
                                    toStd(ui_->txtBest->text()) + (target_ ? "; Apply reruns it" : ""));
}

void CalibrateScreen::stop() { stop_ = true; }

void CalibrateScreen::apply() {
    if (searching() || best_.empty() || !run_ || !target_) return;
    const std::vector<TunedParam>& tuned = run_->request.tuned;
    const CatchmentSet set = applyCandidate(run_->evaluator->base(), tuned, best_);
    const std::vector<Param> columns = changedColumns(tuned);
    const SubAreaSet& catchment = set.sub[std::size_t(firstSubArea(set))];
    auto common = [&](OutputCommonBoxes& g, Param c) {
        if (c == para::BFI) g.bfi = boxNumber(catchment.value[para::BFI]);
        if (c == para::K) g.recession = boxNumber(catchment.value[para::K]);
    };
    if (auto* values = qobject_cast<OutputScreen*>(target_.data())) {
        OutputValuesGrid g = values->grid();
        for (const Param c : columns) {
            common(g, c);
            if (c > para::B0) continue;
            for (int s = 1; s <= kSubAreas; ++s)
                if (set.sub[std::size_t(s)].inCatchment)
                    g.values[std::size_t(s - 1)][std::size_t(valueElement(c))] = boxNumber(set.sub[std::size_t(s)].value[c]);
        }
        values->setGrid(g);
    } else if (auto* classes = qobject_cast<Output2Screen*>(target_.data())) {
        OutputClassGrid g = classes->grid();
        for (const Param c : columns) {
            common(g, c);
            if (c < para::St0 || c > para::B0) continue;
            for (int s = 1; s <= kSubAreas; ++s)
                if (set.sub[std::size_t(s)].inCatchment)
                    g.initial[std::size_t(s - 1)][std::size_t(indexOf(c) - indexOf(para::St0))] = boxNumber(set.sub[std::size_t(s)].value[c]);
        }
        classes->setGrid(g);
    }
    // The output screen's own Rerun: the grid into the project, the last run, the chart and
    // the fit panel of both runs.
    target_->control<QPushButton>(QStringLiteral("cmdRefresh"))->click();
    // What the rerun says: done, or why the screen refused it.
    showStatus(ui_->txtMessage, "Applied to " + toStd(target_->form()) + ":" +
                                    toStd(target_->control<QLineEdit>(QStringLiteral("txtMessage"))->text()));
}

void CalibrateScreen::closeWindow() {
    stop_ = true;
    watcher_.waitForFinished();
    nav().unload(form());
}

void CalibrateScreen::closeRequested() { closeWindow(); }

}  // namespace tarn::ui
