#include "ui/period_screen.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>

#include "analysis/pages.h"
#include "analysis/period.h"
#include "model/errors.h"
#include "ui/dialogs.h"
#include "ui_period_screen.h"

namespace tarn::ui {

PeriodScreen::PeriodScreen(Navigation& navigation)
    : AnalysisScreen(navigation), ui_(std::make_unique<::Ui::PeriodScreen>()), dates_(new QStringListModel(this)) {
    ui_->setupUi(this);
    for (QComboBox* box : {ui_->cmbTimeFrom, ui_->cmbStopTime}) {
        // A record lists up to 40000 dates: one list serves both boxes, and neither box
        // measures every entry to size itself.
        box->setModel(dates_);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(12);
        box->setMaxVisibleItems(20);
        if (auto* list = qobject_cast<QListView*>(box->view())) list->setUniformItemSizes(true);
    }
    ui_->cmbTimeFrom->setAccessibleName("From");
    ui_->cmbStopTime->setAccessibleName("To");
    const QList<QLineEdit*> dates{ui_->TxtMinTime, ui_->txtMinTimeAfter, ui_->txtMinTimeMeasured};
    const QList<QLineEdit*> values{ui_->txtMinFlow, ui_->txtMinFlowAfter, ui_->txtMinFlowMeasured};
    prepareBoxes(dates, "0000-00-00");
    prepareBoxes(values, QString::fromStdString(periodValueText(99999.999)));
    const QString runs[] = {"first run", "last run", "measured"};
    for (int r = 0; r < 3; ++r) {
        dates[r]->setAccessibleName("Date of the minimum 7 day flow, " + runs[r]);
        values[r]->setAccessibleName("Minimum 7 day flow " + runs[r] + " (mm/day)");
    }
    ui_->txtMessage->setReadOnly(true);
    ui_->txtMessage->setFocusPolicy(Qt::ClickFocus);
    ui_->txtMessage->setAccessibleName("Message");
    connect(ui_->cmdMinFlow, &QPushButton::clicked, this, &PeriodScreen::showMe);
    connect(ui_->Command1, &QPushButton::clicked, this, [this] { backToRun(); });
}

PeriodScreen::~PeriodScreen() = default;

void PeriodScreen::load() {
    const PeriodDateLists lists = periodDateLists(project());
    dates_->setStringList(toQList(lists.dates));
    ui_->cmbTimeFrom->setCurrentIndex(lists.from);
    ui_->cmbStopTime->setCurrentIndex(lists.to);
    computePeriodMeans(project());
    setCaption(analysisCaption(project(), AnalysisForm::Period));
    ui_->cmdMinFlow->setFocus();
}

void PeriodScreen::clearMinima() {
    for (QLineEdit* box : {ui_->TxtMinTime, ui_->txtMinFlow, ui_->txtMinTimeAfter, ui_->txtMinFlowAfter,
                           ui_->txtMinTimeMeasured, ui_->txtMinFlowMeasured})
        box->clear();
}

void PeriodScreen::showMe() {
    const QString from = ui_->cmbTimeFrom->currentText();
    const QString to = ui_->cmbStopTime->currentText();
    PeriodMinima minima;
    try {
        minima = periodMinima(project(), toStd(from), toStd(to));
    } catch (const InputError& e) {
        // A typed date that is no day of the record: nothing is searched.
        QComboBox* wrong = ui_->cmbTimeFrom->findText(from, Qt::MatchExactly) < 0 ? ui_->cmbTimeFrom : ui_->cmbStopTime;
        clearMinima();
        showStatus(ui_->txtMessage, toStd(wrong->accessibleName()) + ": " + e.what() + "; choose a date from the list");
        dialogs().beep(1);
        wrong->setFocus();
        return;
    }
    if (!minima.note.empty()) {
        clearMinima();
        showStatus(ui_->txtMessage, minima.note);
        return;
    }
    ui_->txtMessage->clear();
    showText(ui_->TxtMinTime, minima.firstDate);
    showText(ui_->txtMinFlow, periodValueText(minima.firstMin));
    if (minima.hasLast) {
        showText(ui_->txtMinTimeAfter, minima.lastDate);
        showText(ui_->txtMinFlowAfter, periodValueText(minima.lastMin));
    }
    showText(ui_->txtMinTimeMeasured, minima.measDate);
    showText(ui_->txtMinFlowMeasured, periodValueText(minima.measMin));
}

}  // namespace tarn::ui
