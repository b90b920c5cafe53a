#include "ui/annual_screen.h"

#include <QLabel>
#include <QLineEdit>

#include "analysis/pages.h"
#include "ui/navigation.h"
#include "ui_annual_depth_screen.h"
#include "ui_annual_screen.h"

namespace tarn::ui {

namespace {

constexpr int kBoxes = 16;
constexpr YearColumns kFirstEight{1, 2, 3, 4, 5, 6, 7, 8};

std::array<std::string, kBoxes> blanks() {
    std::array<std::string, kBoxes> a;
    a.fill(kBlankBox);
    return a;
}

// "First run, year 3" for box 2, "Last run, year 3" for box 10.
void nameBlock(const QList<QLineEdit*>& boxes, const QString& what) {
    for (qsizetype e = 0; e < boxes.size(); ++e)
        boxes[e]->setAccessibleName(QString(e < 8 ? "First run" : "Last run") + ", " + what + ", column " +
                                    QString::number(e % 8 + 1));
}

}  // namespace

// ---- frmAnnual ----

AnnualScreen::AnnualScreen(Navigation& navigation)
    : AnalysisScreen(navigation), ui_(std::make_unique<::Ui::AnnualScreen>()) {
    ui_->setupUi(this);
    years_ = controlArray<QLineEdit>("txtFlow1A", kBoxes);
    volumes_ = controlArray<QLineEdit>("txtFlow2A", kBoxes);
    measured_ = controlArray<QLineEdit>("txtYearlyMeas", kBoxes);
    areas_ = controlArray<QLineEdit>("txtAreasub", kSubAreas);
    subYears_ = controlArray<QLabel>("lblSubYear", kBoxes);
    for (int c = 0; c < 8; ++c) {
        first_.append(controlArray<QLineEdit>("txtflow" + QString::number(3 + c) + "A", kSubAreas));
        last_.append(controlArray<QLineEdit>("txtflow" + QString::number(11 + c) + "A", kSubAreas));
    }
    prepareBoxes(years_, "0000-0000");
    prepareBoxes(volumes_, "0000000");
    prepareBoxes(measured_, "0000000");
    nameBlock(years_, "year");
    nameBlock(volumes_, "modelled annual total");
    nameBlock(measured_, "measured annual total");
    prepareSubAreaTable(areas_, ui_->txtTotArea, first_, last_, subYears_, "00000");
    reserveTwoLines({ui_->lblModelledFirst, ui_->lblMeasuredFirst, ui_->lblModelledLast, ui_->lblMeasuredLast});
    prepareArrow(ui_->cmdLast8);
    prepareArrow(ui_->cmdNext8);
    connect(ui_->Command1, &QPushButton::clicked, this, &AnnualScreen::showMe);
    connect(ui_->cmdNext8, &QToolButton::clicked, this, &AnnualScreen::next);
    connect(ui_->cmdLast8, &QToolButton::clicked, this, &AnnualScreen::previous);
    connect(ui_->Command2, &QPushButton::clicked, this, [this] { backToRun(); });
}

AnnualScreen::~AnnualScreen() = default;

void AnnualScreen::load() {
    const AreaTexts areas = areaTexts(project());
    showTexts(areas_, areas.subAreas);
    showText(ui_->txtTotArea, areas.total);
    clear();
    setCaption(analysisCaption(project(), AnalysisForm::AnnualVolume));
    ui_->lblScale2->setText(toQ(chooseAnnualScale(project())));
    ui_->lblScale->setText(toQ(project().AnnUnit));
    ui_->Command1->setFocus();
}

YearType AnnualScreen::yearType() const {
    return ui_->OptWater->isChecked() ? YearType::Water : YearType::Calendar;
}

void AnnualScreen::clear() {
    for (const auto& boxes : {years_, volumes_, measured_}) showTexts(boxes, blanks());
    for (const auto* table : {&first_, &last_})
        for (const QList<QLineEdit*>& column : *table)
            for (QLineEdit* box : column) box->clear();
    for (QLabel* year : subYears_) year->clear();
}

// The table of the year type chosen, from the runs as they are now (a rerun, new input or
// a save may have come since the last page); its number of years.
int AnnualScreen::buildTable() {
    buildAnnualVolumes(project(), yearType());
    return project().NumYears;
}

void AnnualScreen::showMe() { showPage(nav().annualPager().showMe(buildTable()), kFirstEight, false); }

YearColumns AnnualScreen::subAreaYears() const {
    YearColumns subYears{};
    for (int c = 1; c <= 8; ++c) subYears[std::size_t(c - 1)] = nav().annualPager().subAreaYear(c);
    return subYears;
}

void AnnualScreen::next() {
    if (const auto columns = nav().annualPager().next(buildTable())) showPage(*columns, subAreaYears(), true);
}

void AnnualScreen::previous() {
    const YearColumns columns = nav().annualPager().previous(buildTable());
    showPage(columns, subAreaYears(), true);
}

void AnnualScreen::showPage(const YearColumns& columns, const YearColumns& subYears, bool page) {
    const YearType type = yearType();
    clear();
    const AnnualVolumeTexts t = annualVolumeTexts(project(), type, columns, subYears, page);
    showTexts(years_, t.years);
    showTexts(volumes_, t.volumes);
    showTexts(measured_, t.measured);
    showSubAreaTable(first_, t.first);
    showSubAreaTable(last_, t.last);
    // The sub-area columns hold the years of the catchment columns above them.
    for (int c = 0; c < 8; ++c) {
        const bool shown = subYears[std::size_t(c)] == columns[std::size_t(c)];
        showSubAreaYear(subYears_[c], shown ? t.years[std::size_t(c)] : std::string());
        showSubAreaYear(subYears_[c + 8], shown ? t.years[std::size_t(c + 8)] : std::string());
    }
}

// ---- frmAnnualTotmm ----

AnnualDepthScreen::AnnualDepthScreen(Navigation& navigation)
    : AnalysisScreen(navigation), ui_(std::make_unique<::Ui::AnnualDepthScreen>()) {
    ui_->setupUi(this);
    years_ = controlArray<QLineEdit>("txtAnTotYear", kBoxes);
    depths_ = controlArray<QLineEdit>("txtAnTotmm", kBoxes);
    measured_ = controlArray<QLineEdit>("txtAnTotMeasmm", kBoxes);
    prepareBoxes(years_, "0000-0000");
    prepareBoxes(depths_, "000000");
    prepareBoxes(measured_, "000000");
    nameBlock(years_, "year");
    nameBlock(depths_, "modelled annual total flow (mm)");
    nameBlock(measured_, "measured annual total flow (mm)");
    reserveTwoLines({ui_->lblModelledFirst, ui_->lblMeasuredFirst, ui_->lblModelledLast, ui_->lblMeasuredLast});
    prepareArrow(ui_->cmdlast8);
    prepareArrow(ui_->cmdnext8);
    // Each press builds the table of the year type chosen from the runs as they are now.
    auto table = [this] {
        buildAnnualDepths(project(), yearType());
        return project().NumYears;
    };
    connect(ui_->cmdShowmeAntotal, &QPushButton::clicked, this,
            [this, table] { showPage(nav().annualPager().showMe(table())); });
    connect(ui_->cmdnext8, &QToolButton::clicked, this, [this, table] {
        if (const auto columns = nav().annualPager().next(table())) showPage(*columns);
    });
    connect(ui_->cmdlast8, &QToolButton::clicked, this,
            [this, table] { showPage(nav().annualPager().previous(table())); });
    connect(ui_->Command1, &QPushButton::clicked, this, [this] { backToRun(); });
}

AnnualDepthScreen::~AnnualDepthScreen() = default;

void AnnualDepthScreen::load() {
    for (const auto& boxes : {years_, depths_, measured_}) showTexts(boxes, blanks());
    setCaption(analysisCaption(project(), AnalysisForm::AnnualDepth));
    ui_->cmdShowmeAntotal->setFocus();
}

YearType AnnualDepthScreen::yearType() const {
    return ui_->optWater->isChecked() ? YearType::Water : YearType::Calendar;
}

void AnnualDepthScreen::showPage(const YearColumns& columns) {
    const AnnualDepthTexts t = annualDepthTexts(project(), yearType(), columns);
    showTexts(years_, t.years);
    showTexts(depths_, t.depths);
    showTexts(measured_, t.measured);
}

}  // namespace tarn::ui
