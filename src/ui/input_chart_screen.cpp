#include "ui/input_chart_screen.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QScreen>
#include <QStringListModel>

#include "input/input_chart.h"
#include "input/menu.h"
#include "output/chart_types.h"
#include "ui/busy_pointer.h"
#include "ui/dialogs.h"
#include "ui/navigation.h"
#include "ui/progress_window.h"
#include "ui/qt_text.h"
#include "ui/save_chart.h"
#include "ui_input_chart_screen.h"

namespace tarn::ui {

namespace {

// The title of the prompt and the message of a point edit.
const QString kDialogTitle = QStringLiteral("TARNFLOW");

}  // namespace

InputChartScreen::InputChartScreen(Navigation& navigation)
    : SubordinateScreen(navigation), ui_(std::make_unique<::Ui::InputChartScreen>()) {
    ui_->setupUi(this);
    const QFontMetrics fm = fontMetrics();
    ui_->chtSampleP->setMinimumSize(fm.averageCharWidth() * 60, fm.lineSpacing() * 18);
    ui_->txtMaxrows->setMaximumWidth(fm.horizontalAdvance(QStringLiteral("0000000")) + fm.averageCharWidth() * 3);
    ui_->Text2->setMinimumWidth(fm.averageCharWidth() * 60);
    // The rows list runs to the number of days (up to 40000): a plain string model fills fast.
    ui_->cmbRowsRain->setModel(new QStringListModel(ui_->cmbRowsRain));
    for (const ChartType& t : kChartTypes) ui_->cmbType->addItem(toQ(t.name));

    connect(ui_->cmbType, &QComboBox::currentIndexChanged, this, &InputChartScreen::typeChosen);
    connect(ui_->cmdNewSet, &QPushButton::clicked, this, &InputChartScreen::loadChart);
    // Enter in the rows box redraws too, as New settings does.
    connect(ui_->cmbRowsRain->lineEdit(), &QLineEdit::returnPressed, this, &InputChartScreen::loadChart);
    connect(ui_->cmdBack4, &QPushButton::clicked, this, &InputChartScreen::back);
    connect(ui_->cmdSaveChart, &QPushButton::clicked, this, [this] {
        saveChart(this, dialogs(), ui_->chtSampleP, QFileInfo(toQ(project().DataFile)).absolutePath());
    });
    connect(ui_->cmdExit3, &QPushButton::clicked, this, [this] { nav().exitProgram(); });
    connect(ui_->chtSampleP, &ChartControl::pointSelected, this, &InputChartScreen::pointSelected);
    connect(ui_->chtSampleP, &ChartControl::pointActivated, this, &InputChartScreen::pointActivated);
}

InputChartScreen::~InputChartScreen() = default;

QSize InputChartScreen::sizeHint() const {
    // A chart wants room: open wide, within the screen.
    const QFontMetrics fm = fontMetrics();
    const QSize wide(fm.averageCharWidth() * 150, fm.lineSpacing() * 40);
    QSize hint = SubordinateScreen::sizeHint().expandedTo(wide);
    if (const QScreen* s = screen()) hint = hint.boundedTo(s->availableGeometry().size() * 0.9);
    return hint.expandedTo(minimumSizeHint());
}

void InputChartScreen::load() {
    ui_->cmbType->setCurrentIndex(kDefaultChartTypeIndex);
    ui_->chtSampleP->setChartType(kChartTypes[std::size_t(kDefaultChartTypeIndex)].code);
    ui_->cmbRowsRain->setEditText({});
    loadChart();
    ui_->chtSampleP->setFocus();
}

void InputChartScreen::loadChart() {
    Project& p = project();
    LoadingGuard guard(*this);
    InputChartView view;
    {
        BusyPointer busy;
        ProgressScope progress(nav().progress(), toQ(inputChartReadingCaption(p)));
        view = loadInputChart(p, toStd(ui_->cmbRowsRain->currentText().trimmed()), progress.callback());
        showView(view);
    }
    setCaption(inputChartCaption(p));
    if (!view.ok) dialogs().beep(1);
}

void InputChartScreen::showView(const InputChartView& v) {
    ChartControl* chart = ui_->chtSampleP;
    if (!v.ok) {
        // Nothing was read: an empty chart and the reason.
        chart->setData({});
        ui_->cmbSeries->clear();
        ui_->cmbXaxix->clear();
        showStatus(ui_->Text2, v.status);
        return;
    }
    auto* rows = static_cast<QStringListModel*>(ui_->cmbRowsRain->model());
    const QStringList items = toQList(v.rowsItems);
    if (rows->stringList() != items) rows->setStringList(items);
    const QString shown = toQ(v.rowsBox);
    const int item = ui_->cmbRowsRain->findText(shown, Qt::MatchExactly);
    ui_->cmbRowsRain->setCurrentIndex(item);
    ui_->cmbRowsRain->setEditText(shown);
    ui_->txtMaxrows->setText(toQ(v.maxRowsBox));

    chart->setData(v.table);
    ui_->cmbSeries->clear();
    for (const std::string& name : v.table.names) ui_->cmbSeries->addItem(toQ(name));
    ui_->cmbXaxix->clear();
    ui_->cmbXaxix->addItem(monthlyChart(project()) ? QStringLiteral("Month") : QStringLiteral("Date"));
    showStatus(ui_->Text2, v.status);
}

void InputChartScreen::typeChosen(int index) {
    if (loading()) return;
    const auto type = chartTypeAt(index);
    if (!type) return;
    ui_->chtSampleP->setChartType(type->code);
    if (ui_->chtSampleP->isDrawingIn3D()) showStatus(ui_->Text2, kChartRotateHint);
}

void InputChartScreen::pointSelected(int column, int row) {
    const std::string text = pointSelectedText(project(), ui_->chtSampleP->data(), column, row);
    if (!text.empty()) showStatus(ui_->Text2, text);
}

void InputChartScreen::pointActivated(int column, int row) {
    ChartControl* chart = ui_->chtSampleP;
    if (row < 0 || row >= chart->rowCount() || column < 1 || column > chart->data().columnCount()) return;
    const std::optional<QString> answer =
        dialogs().input(this, toQ(kChangePointPrompt), kDialogTitle, toQ(generalNumberText(chart->value(column, row))));
    if (!answer) return;  // cancelled: as an empty answer
    const PointEdit edit = editInputChartPoint(project(), column, row, toStd(*answer));
    switch (edit.kind) {
        case PointEdit::Kind::Unchanged:
            return;
        case PointEdit::Kind::Invalid:
            dialogs().message(this, toQ(edit.message), kDialogTitle, MessageButtons::Ok, MessageKind::Warning);
            return;
        case PointEdit::Kind::Changed:
            chart->setCurrentPoint(column, row);
            chart->setCurrentValue(edit.value);
            pointSelected(column, row);
            return;
    }
}

void InputChartScreen::back() {
    const bool toRain = inputChartBack(project());
    const QString owner = toQ(formOf(toRain ? Step::Rainfall : Step::Etref));
    nav().unload(form());
    nav().show(owner);
}

void InputChartScreen::closeRequested() { back(); }

}  // namespace tarn::ui
