#include "ui/seven_day_screen.h"

#include <QLabel>
#include <QLineEdit>

#include "analysis/pages.h"
#include "ui_seven_day_screen.h"

namespace tarn::ui {

namespace {

constexpr int kBoxes = 16;
constexpr int kMeasured = 17;  // first box of the measured minima in txtFlow1A and txtFlow2A

QString blockName(int e) {
    if (e < kBoxes) return QString(e < 8 ? "First run" : "Last run");
    return QString(e < kMeasured + 8 ? "First run" : "Last run") + ", measured";
}

QString columnName(int e) { return ", column " + QString::number((e < kBoxes ? e : e - kMeasured) % 8 + 1); }

}  // namespace

SevenDayScreen::SevenDayScreen(Navigation& navigation)
    : AnalysisScreen(navigation), ui_(std::make_unique<::Ui::SevenDayScreen>()) {
    ui_->setupUi(this);
    years_ = controlArray<QLineEdit>("txtYear", kBoxes);
    depths_ = controlArray<QLineEdit>("txtFlowTotal", kBoxes);
    // txtFlow1A and txtFlow2A: the runs' boxes 0..15, then the measured ones 17..32.
    QList<QLineEdit*> runDates, runMinima, measDates, measMinima;
    for (int e = 0; e <= 32; ++e) {
        QLineEdit* date = e == kBoxes ? nullptr : control<QLineEdit>("txtFlow1A_" + QString::number(e));
        QLineEdit* minimum = e == kBoxes ? nullptr : control<QLineEdit>("txtFlow2A_" + QString::number(e));
        dates_.append(date);
        minima_.append(minimum);
        if (e == kBoxes) continue;
        (e < kBoxes ? runDates : measDates).append(date);
        (e < kBoxes ? runMinima : measMinima).append(minimum);
        date->setAccessibleName(blockName(e) + ", date of the minimum" + columnName(e));
        minimum->setAccessibleName(blockName(e) + (e < kBoxes ? ", minimum flow" : ", minimum (mm/day)") + columnName(e));
    }
    for (int e = 0; e < kBoxes; ++e) {
        years_[e]->setAccessibleName(blockName(e) + ", year" + columnName(e));
        depths_[e]->setAccessibleName(blockName(e) + ", mm/day" + columnName(e));
    }
    areas_ = controlArray<QLineEdit>("txtSubArea", kSubAreas);
    subYears_ = controlArray<QLabel>("lblSubYear", kBoxes);
    for (int c = 0; c < 8; ++c) {
        first_.append(controlArray<QLineEdit>("txtflow" + QString::number(3 + c) + "A", kSubAreas));
        last_.append(controlArray<QLineEdit>("txtflow" + QString::number(11 + c) + "A", kSubAreas));
    }
    prepareBoxes(years_, "0000");
    prepareBoxes(runDates, "0000-00-00");
    prepareBoxes(measDates, "0000-00-00");
    prepareBoxes(runMinima, "0000000");
    prepareBoxes(measMinima, "0000.00");
    prepareBoxes(depths_, "0000.00");
    prepareSubAreaTable(areas_, ui_->txtTotArea, first_, last_, subYears_, "00000");
    reserveTwoLines({ui_->lblModelledFirst, ui_->lblMeasuredFirst, ui_->lblModelledLast, ui_->lblMeasuredLast,
                     ui_->lblFlowFirst, ui_->lblFlowLast});
    prepareArrow(ui_->cmdlast8);
    prepareArrow(ui_->cmdnext8);
    connect(ui_->CmdYear7dayMin, &QPushButton::clicked, this, &SevenDayScreen::showMe);
    // A page searches the runs as they are now: a rerun, new input or another screen may
    // have come since Show me.
    connect(ui_->cmdnext8, &QToolButton::clicked, this, [this] {
        if (!searched_) return;
        findSevenDayMinima(project(), *searched_);
        if (const auto columns = pager_.next(project())) showPage(*columns, true);
    });
    connect(ui_->cmdlast8, &QToolButton::clicked, this, [this] {
        if (!searched_) return;
        findSevenDayMinima(project(), *searched_);
        if (const auto columns = pager_.previous(project())) showPage(*columns, true);
    });
    connect(ui_->Command1, &QPushButton::clicked, this, [this] { backToRun(); });
}

SevenDayScreen::~SevenDayScreen() = default;

void SevenDayScreen::load() {
    showHeader();
    ui_->CmdYear7dayMin->setFocus();
}

// The areas, the caption and the scale of the project as it is now.
void SevenDayScreen::showHeader() {
    const AreaTexts areas = areaTexts(project());
    showTexts(areas_, areas.subAreas);
    showText(ui_->txtTotArea, areas.total);
    setCaption(analysisCaption(project(), AnalysisForm::SevenDay));
    const QString unit = toQ(chooseMinFlowScale(project()));
    ui_->lblScale1->setText(unit);
    ui_->lblScale3->setText(unit);
}

void SevenDayScreen::showMe() {
    showHeader();
    searched_ = ui_->OptWaterYear->isChecked() ? YearType::Water : YearType::Calendar;
    findSevenDayMinima(project(), *searched_);
    showPage(pager_.showMe(project()), false);
}

void SevenDayScreen::showPage(const YearColumns& columns, bool page) {
    const SevenDayTexts t = sevenDayTexts(project(), *searched_, columns, page);
    showTexts(years_, t.years);
    showTexts(depths_, t.depths);
    for (int e = 0; e <= 32; ++e) {
        if (!dates_[e]) continue;
        showText(dates_[e], t.dates[std::size_t(e)]);
        showText(minima_[e], t.minima[std::size_t(e)]);
    }
    showSubAreaTable(first_, t.first);
    showSubAreaTable(last_, t.last);
    for (int k = 0; k < kBoxes; ++k) showSubAreaYear(subYears_[k], t.years[std::size_t(k)]);
}

}  // namespace tarn::ui
