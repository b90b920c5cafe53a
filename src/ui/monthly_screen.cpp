#include "ui/monthly_screen.h"

#include <QLineEdit>

#include "analysis/pages.h"
#include "ui/navigation.h"
#include "ui_monthly_screen.h"

namespace tarn::ui {

namespace {
constexpr int kRows = 12;
}

MonthlyScreen::MonthlyScreen(Navigation& navigation)
    : AnalysisScreen(navigation), ui_(std::make_unique<::Ui::MonthlyScreen>()) {
    ui_->setupUi(this);
    month_ = controlArray<QLineEdit>("txtMonth", kRows);
    year_ = controlArray<QLineEdit>("txtYear1", kRows);
    first_ = controlArray<QLineEdit>("txtFlow1", kRows);
    last_ = controlArray<QLineEdit>("txtFlow2", kRows);
    measured_ = controlArray<QLineEdit>("txtMeasured", kRows);
    prepareBoxes(month_, "January");
    prepareBoxes(year_, "0000");
    for (const auto& column : {first_, last_, measured_}) prepareBoxes(column, "0000000");
    nameBoxes(month_, "Month, row");
    nameBoxes(year_, "Year, row");
    nameBoxes(first_, "First run, row");
    nameBoxes(last_, "Last run, row");
    nameBoxes(measured_, "Measured, row");
    prepareArrow(ui_->cmdLastmonths);
    prepareArrow(ui_->cmdNextmonths);
    connect(ui_->cmdNextmonths, &QToolButton::clicked, this, [this] { showPage(pager_.next(project())); });
    connect(ui_->cmdLastmonths, &QToolButton::clicked, this, [this] { showPage(pager_.previous(project())); });
    connect(ui_->cmdBack10, &QPushButton::clicked, this, [this] { backToRun(); });
    connect(ui_->cmdExit10, &QPushButton::clicked, this, [this] { nav().exitProgram(); });
}

MonthlyScreen::~MonthlyScreen() = default;

void MonthlyScreen::load() {
    ui_->lblScaleMonth->setText(toQ(chooseMonthlyScale(project())));
    showPage(pager_.load(project()));
    setCaption(analysisCaption(project(), AnalysisForm::Monthly));
    ui_->cmdNextmonths->setFocus();
}

void MonthlyScreen::showPage(const MonthPage& page) {
    for (int r = 0; r < kRows; ++r) {
        const MonthRow& row = page[std::size_t(r)];
        showText(month_[r], row.month);
        showText(year_[r], row.year);
        showText(first_[r], row.firstRun);
        showText(last_[r], row.lastRun);
        showText(measured_[r], row.measured);
    }
}

}  // namespace tarn::ui
