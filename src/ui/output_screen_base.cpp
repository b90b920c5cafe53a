#include "ui/output_screen_base.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStackedWidget>
#include <QStringListModel>
#include <algorithm>

#include "input/input_chart.h"
#include "output/fit_panel.h"
#include "ui/busy_pointer.h"
#include "ui/calibrate_screen.h"
#include "ui/chart/chart_control.h"
#include "ui/chart/duration_chart.h"
#include "ui/dialogs.h"
#include "ui/navigation.h"
#include "ui/progress_window.h"
#include "ui/qt_text.h"
#include "ui/run_screen.h"
#include "ui/save_chart.h"

namespace tarn::ui {

namespace {

const QString kDialogTitle = QStringLiteral("TARNFLOW");
const QString kRunForm = QStringLiteral("frmRunModel");

// A list of up to 40000 texts in a combo box: a plain string model fills fast.
void fillList(QComboBox* box, const std::vector<std::string>& items, int selected) {
    auto* model = qobject_cast<QStringListModel*>(box->model());
    if (!model) {
        model = new QStringListModel(box);
        box->setModel(model);
    }
    model->setStringList(toQList(items));
    box->setCurrentIndex(selected);
}

// The fit figures of a run take seven lines.
constexpr int kFitLines = 7;

}  // namespace

OutputScreenBase::OutputScreenBase(Navigation& navigation, bool pointUnit, QString rerunCaption)
    : SubordinateScreen(navigation), pointUnit_(pointUnit), rerunCaption_(std::move(rerunCaption)) {}

void OutputScreenBase::bindCommon() {
    chtSample_ = control<ChartControl>("chtSample");
    txtMessage_ = control<QLineEdit>("txtMessage");
    cmbLowerLimit_ = control<QComboBox>("cmbLowerLimit");
    cmbUpperLimit_ = control<QComboBox>("cmbUpperLimit");
    cmbDaystoSee_ = control<QComboBox>("cmbDaystoSee");
    txtMaxNoDays_ = control<QLineEdit>("txtMaxNoDays");
    series_ = controlArray<QCheckBox>("chkSeriesOut", 5);
    area_ = controlArray<QLineEdit>("txtArea", kSubAreas);
    rainScale_ = controlArray<QLineEdit>("txtRscale", kSubAreas);
    txtBFlow_ = control<QLineEdit>("txtBFlow");
    txtResCoef_ = control<QLineEdit>("txtResCoef");

    const QFontMetrics fm = fontMetrics();
    chtSample_->setMinimumSize(fm.averageCharWidth() * 80, fm.lineSpacing() * 16);
    const int shortBox = fm.horizontalAdvance(QStringLiteral("0000000")) + fm.averageCharWidth() * 3;
    txtMaxNoDays_->setMaximumWidth(shortBox);
    txtBFlow_->setMaximumWidth(shortBox);
    txtResCoef_->setMaximumWidth(shortBox);
    txtMessage_->setMinimumWidth(fm.averageCharWidth() * 60);

    stkChart_ = control<QStackedWidget>("stkChart");
    chtDuration_ = control<DurationChart>("chtDuration");
    chkDuration_ = control<QCheckBox>("chkDuration");
    txtFitFrom_ = control<QLineEdit>("txtFitFrom");
    txtFitTo_ = control<QLineEdit>("txtFitTo");
    lblFitFirst_ = control<QLabel>("lblFitFirst");
    lblFitLastRun_ = control<QLabel>("lblFitLastRun");
    lblFitLast_ = control<QLabel>("lblFitLast");
    lblFitMissing_ = control<QLabel>("lblFitMissing");
    chtDuration_->setMinimumSize(chtSample_->minimumSize());
    const int dateBox = fm.horizontalAdvance(QStringLiteral("0000-00-00")) + fm.averageCharWidth() * 3;
    txtFitFrom_->setMinimumWidth(dateBox);
    txtFitTo_->setMinimumWidth(dateBox);
    // The first run's figures and the last run's in two columns, apart.
    if (auto* grid = qobject_cast<QGridLayout*>(control<QGroupBox>("grpFit")->layout()))
        grid->setHorizontalSpacing(fm.averageCharWidth() * 2);
    // Room for the figures of both runs from the start, so the panel does not grow under the
    // chart when the last run appears.
    for (QLabel* figures : {lblFitFirst_, lblFitLast_}) {
        figures->setMinimumHeight(fm.lineSpacing() * kFitLines);
        figures->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    for (QWidget* w : {static_cast<QWidget*>(lblFitLastRun_), static_cast<QWidget*>(lblFitLast_)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }

    connect(control<QPushButton>("cmdRefresh"), &QPushButton::clicked, this, &OutputScreenBase::rerun);
    connect(control<QPushButton>("cmdexitoutput"), &QPushButton::clicked, this, &OutputScreenBase::back);
    connect(control<QPushButton>("Command1"), &QPushButton::clicked, this, [this] { nav().exitProgram(); });
    connect(chtSample_, &ChartControl::pointSelected, this, &OutputScreenBase::pointSelected);
    connect(chtSample_, &ChartControl::pointActivated, this, &OutputScreenBase::pointActivated);
    connect(txtFitFrom_, &QLineEdit::editingFinished, this, &OutputScreenBase::fitDatesEdited);
    connect(txtFitTo_, &QLineEdit::editingFinished, this, &OutputScreenBase::fitDatesEdited);
    connect(chkDuration_, &QCheckBox::toggled, this, &OutputScreenBase::showDuration);
    connect(control<QPushButton>("cmdCalibrate"), &QPushButton::clicked, this, &OutputScreenBase::calibrate);
    connect(control<QPushButton>("cmdSaveChart"), &QPushButton::clicked, this, &OutputScreenBase::saveShownChart);
}

SeriesTicks OutputScreenBase::runScreenSeries() const {
    if (const auto* run = nav().loaded<RunScreen>(kRunForm)) return run->seriesTicks();
    SeriesTicks ticks{};
    ticks[3] = true;  // modelled streamflow
    return ticks;
}

void OutputScreenBase::loadCommon(const OutputScreenTexts& t) {
    setCaption(t.caption);
    // The frame names the project and the data file: a caption wider than the screen is
    // shortened in its middle, whole in the tool tip.
    for (const char* name : {"frmout", "frmout_2"})
        if (auto* frame = findChild<QGroupBox*>(QString::fromLatin1(name))) {
            const QString caption = toQ(t.frameCaption);
            const QFontMetrics fm = frame->fontMetrics();
            int room = fm.averageCharWidth() * 120;
            if (const QScreen* s = screen()) room = std::max(room, int(s->availableGeometry().width() * 0.85));
            frame->setTitle(fm.elidedText(caption, Qt::ElideMiddle, room).replace('&', "&&"));
            frame->setToolTip(caption);
        }
    showStatus(txtMessage_, t.status);
    fillList(cmbDaystoSee_, t.days.items, t.days.selected);
    txtMaxNoDays_->setText(toQ(t.days.maxDays));
    fillList(cmbLowerLimit_, t.dates, t.lower);
    fillList(cmbUpperLimit_, t.dates, t.upper);
    for (int i = 0; i < 5; ++i) series_[i]->setChecked(t.series[std::size_t(i)]);
    if (const auto* run = nav().loaded<RunScreen>(kRunForm)) chtSample_->setChartType(run->chartTypeCode());
    const FitDates dates = fitDates(project());
    fitFrom_ = toQ(dates.from);
    fitTo_ = toQ(dates.to);
    txtFitFrom_->setText(fitFrom_);
    txtFitTo_->setText(fitTo_);
    fitRange_ = wholeRecord(project());
    refreshFit();
}

void OutputScreenBase::refreshFit() {
    const FitPanel panel = fitPanel(project(), fitRange_);
    lblFitFirst_->setText(toQ(panel.first));
    lblFitLast_->setText(toQ(panel.last));
    lblFitLastRun_->setVisible(!panel.last.empty());
    lblFitLast_->setVisible(!panel.last.empty());
    lblFitMissing_->setText(toQ(panel.missing));
    lblFitMissing_->setVisible(!panel.missing.empty());
    if (chkDuration_->isChecked()) chtDuration_->setCurves(durationCurves(project()));
}

void OutputScreenBase::fitDatesEdited() {
    if (loading()) return;
    const QString from = txtFitFrom_->text(), to = txtFitTo_->text();
    if (from == fitFrom_ && to == fitTo_) return;  // focus left a box unchanged
    fitFrom_ = from;
    fitTo_ = to;
    const FitWindow window = fitWindow(project(), toStd(from), toStd(to));
    if (window.result.ok) {
        fitRange_ = window.range;
        refreshFit();
    }
    showResult(window.result, txtMessage_);
}

void OutputScreenBase::showDuration(bool on) {
    if (on) chtDuration_->setCurves(durationCurves(project()));
    stkChart_->setCurrentWidget(on ? static_cast<QWidget*>(chtDuration_) : static_cast<QWidget*>(chtSample_));
}

QSize OutputScreenBase::sizeHint() const {
    // The chart takes what room the screen has beyond the grid's.
    QSize hint = SubordinateScreen::sizeHint();
    hint.setHeight(hint.height() + fontMetrics().lineSpacing() * 12);
    if (const QScreen* s = screen()) hint = hint.boundedTo(s->availableGeometry().size() * 0.9);
    return hint.expandedTo(minimumSizeHint());
}

void OutputScreenBase::showEvent(QShowEvent* event) {
    // Shown the first time: as large as sizeHint asks, which a window's own sizing keeps
    // to two thirds of the screen.
    if (!sized_ && !event->spontaneous()) {
        sized_ = true;
        resize(sizeHint());
        moveToCentre();
    }
    SubordinateScreen::showEvent(event);
}

void OutputScreenBase::setCommonBoxes(const OutputCommonBoxes& b) {
    for (int j = 0; j < kSubAreas; ++j) {
        area_[j]->setText(toQ(b.area[std::size_t(j)]));
        rainScale_[j]->setText(toQ(b.rainScale[std::size_t(j)]));
    }
    txtBFlow_->setText(toQ(b.bfi));
    txtResCoef_->setText(toQ(b.recession));
    for (QLineEdit* box : findChildren<QLineEdit*>()) box->setCursorPosition(0);
}

OutputCommonBoxes OutputScreenBase::commonBoxes() const {
    OutputCommonBoxes b;
    for (int j = 0; j < kSubAreas; ++j) {
        b.area[std::size_t(j)] = toStd(area_[j]->text());
        b.rainScale[std::size_t(j)] = toStd(rainScale_[j]->text());
    }
    b.bfi = toStd(txtBFlow_->text());
    b.recession = toStd(txtResCoef_->text());
    return b;
}

void OutputScreenBase::showChart(const OutputChart& chart) {
    chart_ = chart;
    chtSample_->setData(chart_.table);
    refreshFit();
    // The date window shows the days charted, so that Rerun keeps them.
    if (const int rows = chart_.table.rows(); rows > 0) {
        cmbLowerLimit_->setCurrentIndex(chart_.firstDay - 1);
        cmbUpperLimit_->setCurrentIndex(chart_.firstDay + rows - 2);
    }
}

void OutputScreenBase::setChartType(int code) {
    chtSample_->setChartType(code);
    if (chtSample_->isDrawingIn3D()) showStatus(txtMessage_, kChartRotateHint);
}

void OutputScreenBase::rerun() {
    RerunInput input;
    input.lower = toStd(cmbLowerLimit_->currentText().trimmed());
    input.upper = toStd(cmbUpperLimit_->currentText().trimmed());
    for (int i = 0; i < 5; ++i) input.series[std::size_t(i)] = series_[i]->isChecked();
    const auto* run = nav().loaded<RunScreen>(kRunForm);
    RerunOutcome outcome;
    {
        BusyPointer busy;
        ProgressScope progress(nav().progress(), rerunCaption_);
        outcome = rerunWith(input, {run && run->testingOnly(), nav().workbook(), progress.callback()});
        if (outcome.rerun) showChart(outcome.chart);
    }
    afterRerun(outcome);
    // The other output screen, when it is open, shows the fit of the new last run too.
    if (outcome.rerun)
        for (const char* twin : {"frmOutput", "frmOutput_2"})
            if (auto* other = nav().loaded<OutputScreenBase>(QString::fromLatin1(twin)); other && other != this)
                other->refreshFit();
    showResult(outcome.result, txtMessage_);
}

void OutputScreenBase::pointSelected(int column, int row) {
    chtSample_->setCurrentPoint(column, row);
    const std::string text = outputPointSelectedText(chart_, column, row, pointUnit_);
    if (!text.empty()) showStatus(txtMessage_, text);
}

void OutputScreenBase::pointActivated(int column, int row) {
    const std::string value = outputPointValueText(chart_, column, row);
    if (value.empty()) return;  // not a point of the table
    chtSample_->setCurrentPoint(column, row);
    const std::optional<QString> answer =
        dialogs().input(this, toQ(kOutputChangePointPrompt), kDialogTitle, toQ(value));
    // Cancelled: as an empty answer.
    const OutputPointEdit edit = editOutputChartPoint(project(), chart_, column, row, answer ? toStd(*answer) : "");
    if (edit.kind == OutputPointEdit::Kind::Invalid)
        dialogs().message(this, toQ(edit.message), kDialogTitle, MessageButtons::Ok, MessageKind::Warning);
    if (edit.kind == OutputPointEdit::Kind::Changed) {
        // Every column of the series takes the value: the table is drawn again.
        chtSample_->setData(chart_.table);
        chtSample_->setCurrentPoint(column, row);
        refreshFit();  // an edited measured streamflow changes the fit
    }
    if (!edit.status.empty()) showStatus(txtMessage_, edit.status);
    dialogs().beep(edit.beeps);
}

void OutputScreenBase::calibrate() {
    if (auto* window = qobject_cast<CalibrateScreen*>(nav().show(QStringLiteral("frmCalibrate"), form())))
        window->attach(this);
}

void OutputScreenBase::back() {
    nav().unload(form());
    nav().show(kRunForm);
}

void OutputScreenBase::closeRequested() { back(); }

void OutputScreenBase::saveShownChart() {
    saveChart(this, dialogs(), stkChart_->currentWidget(), QFileInfo(toQ(project().DataFile)).absolutePath());
}

}  // namespace tarn::ui
