#include "ui/output_screen_base.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStringListModel>
#include <algorithm>

#include "input/input_chart.h"
#include "ui/busy_pointer.h"
#include "ui/chart/chart_control.h"
#include "ui/dialogs.h"
#include "ui/navigation.h"
#include "ui/progress_steps.h"
#include "ui/progress_window.h"
#include "ui/qt_text.h"
#include "ui/run_screen.h"

namespace tarn::ui {

namespace {

const QString kDialogTitle = QStringLiteral("TARNFLOW");
const QString kRunForm = QStringLiteral("frmRunModel");

QStringList toList(const std::vector<std::string>& texts) {
    QStringList list;
    list.reserve(qsizetype(texts.size()));
    for (const std::string& t : texts) list << toQ(t);
    return list;
}

// A list of up to 40000 texts in a combo box: a plain string model fills fast.
void fillList(QComboBox* box, const std::vector<std::string>& items, int selected) {
    auto* model = qobject_cast<QStringListModel*>(box->model());
    if (!model) {
        model = new QStringListModel(box);
        box->setModel(model);
    }
    model->setStringList(toList(items));
    box->setCurrentIndex(selected);
}

// The chart's own views take the keyboard focus: each carries the chart's accessible name.
void nameChartViews(ChartControl* chart) {
    for (QWidget* w : chart->findChildren<QWidget*>())
        if (w->focusPolicy() != Qt::NoFocus && w->accessibleName().isEmpty()) w->setAccessibleName(chart->accessibleName());
}

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

    connect(control<QPushButton>("cmdRefresh"), &QPushButton::clicked, this, &OutputScreenBase::rerun);
    connect(control<QPushButton>("cmdexitoutput"), &QPushButton::clicked, this, &OutputScreenBase::back);
    connect(control<QPushButton>("Command1"), &QPushButton::clicked, this, [this] { nav().exitProgram(); });
    connect(chtSample_, &ChartControl::pointSelected, this, &OutputScreenBase::pointSelected);
    connect(chtSample_, &ChartControl::pointActivated, this, &OutputScreenBase::pointActivated);
}

SeriesTicks OutputScreenBase::runScreenSeries() const {
    if (const auto* run = nav().loaded<RunScreen>(kRunForm)) return run->seriesTicks();
    SeriesTicks ticks{};
    ticks[3] = true;  // modelled streamflow
    return ticks;
}

void OutputScreenBase::loadCommon(const OutputScreenTexts& t, const OutputCommonBoxes& boxes) {
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
    setCommonBoxes(boxes);
    if (const auto* run = nav().loaded<RunScreen>(kRunForm)) chtSample_->setChartType(run->chartTypeCode());
    nameChartViews(chtSample_);
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
        if (const QScreen* s = screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(s->availableGeometry().center());
            move(std::max(frame.left(), s->availableGeometry().left()), std::max(frame.top(), s->availableGeometry().top()));
        }
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
    nameChartViews(chtSample_);
    // The date window shows the days charted, so that Rerun keeps them.
    if (const int rows = chart_.table.rows(); rows > 0) {
        cmbLowerLimit_->setCurrentIndex(chart_.firstDay - 1);
        cmbUpperLimit_->setCurrentIndex(chart_.firstDay + rows - 2);
    }
}

void OutputScreenBase::setChartType(int code) {
    chtSample_->setChartType(code);
    nameChartViews(chtSample_);
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
        outcome = rerunWith(input, {run && run->testingOnly(), nav().workbook(), inSteps(progress.callback())});
        if (outcome.rerun) showChart(outcome.chart);
    }
    afterRerun(outcome);
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
    }
    if (!edit.status.empty()) showStatus(txtMessage_, edit.status);
    dialogs().beep(edit.beeps);
}

void OutputScreenBase::back() {
    nav().unload(form());
    nav().show(kRunForm);
}

void OutputScreenBase::closeRequested() { back(); }

}  // namespace tarn::ui
