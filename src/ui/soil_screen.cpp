#include "ui/soil_screen.h"

#include "input/menu.h"
#include "ui/busy_pointer.h"
#include "ui/navigation.h"
#include "ui/qt_text.h"
#include "ui/wrapped_caption.h"
#include "ui_soil_screen.h"

namespace tarn::ui {

SoilScreen::SoilScreen(Navigation& navigation) : Screen(navigation), ui_(std::make_unique<::Ui::SoilScreen>()) {
    ui_->setupUi(this);
    for (QLabel* caption : {ui_->lblTAW, ui_->lblRAW, ui_->lblTopStore}) reserveWrappedLines(caption, 2);
    boxes_ = subAreaGrid<3, QLineEdit>("txtSoil");
    ui_->txtMessage2->setMinimumWidth(fontMetrics().averageCharWidth() * 60);
    connect(ui_->cmdGetSoilPara, &QPushButton::clicked, this, &SoilScreen::selectSource);
    connect(ui_->cmdUpdateNew, &QPushButton::clicked, this, &SoilScreen::capture);
    connect(ui_->cmdNext_6, &QPushButton::clicked, this, &SoilScreen::next);
    connect(ui_->cmdBack6, &QPushButton::clicked, this, [this] { nav().back(Step::Soil); });
    connect(ui_->cmdExit8, &QPushButton::clicked, this, [this] { nav().exitProgram(); });
}

SoilScreen::~SoilScreen() = default;

void SoilScreen::load() {
    ui_->cmdNext_6->setEnabled(false);
    ui_->cmdUpdateNew->setEnabled(false);
    // Every entry starts from the workbook's values.
    BusyPointer busy;
    const Workbook* book = nav().workbook();
    const tarn::SoilScreen opened = book ? soilLoad(project(), *book) : soilLoad(project());
    setCaption(opened.caption);
    ui_->lblFileName->setText(toQ(opened.fileLabel));
    ui_->txtSoilParaFile->setText(toQ(opened.file));
    ui_->txtSoilParaFile->setCursorPosition(0);
    showGrid(opened.grid);
    showResult(opened.result, ui_->txtMessage2);
    ui_->cmdGetSoilPara->setFocus();
}

SoilGrid SoilScreen::grid() const {
    SoilGrid g;
    for (std::size_t s = 0; s < boxes_.size(); ++s)
        for (std::size_t e = 0; e < 3; ++e) g.subAreas[s][e] = toStd(boxes_[s][e]->text());
    g.bfi = toStd(ui_->txtBFlow->text());
    g.recession = toStd(ui_->txtResCoef->text());
    return g;
}

void SoilScreen::showGrid(const SoilGrid& grid) {
    showSubAreas(grid.subAreas);
    showBaseflow(grid.bfi, grid.recession);
}

void SoilScreen::showSubAreas(const SubAreaGrid<3>& rows) {
    for (std::size_t s = 0; s < boxes_.size(); ++s)
        for (std::size_t e = 0; e < 3; ++e) boxes_[s][e]->setText(toQ(rows[s][e]));
}

void SoilScreen::showBaseflow(const std::string& bfi, const std::string& recession) {
    ui_->txtBFlow->setText(toQ(bfi));
    ui_->txtResCoef->setText(toQ(recession));
}

void SoilScreen::selectSource() {
    {
        BusyPointer busy;
        if (!ui_->optFromDataFile->isChecked()) {
            nav().show("frmSoilParaSet", form());
        } else {
            const Workbook* book = nav().workbook();
            const SoilGridResult read = book ? soilFromDataFile(project(), *book) : soilFromDataFile(project());
            showGrid(read.grid);
            showResult(read.result, ui_->txtMessage2);
        }
    }
    ui_->cmdUpdateNew->setEnabled(true);
}

void SoilScreen::capture() {
    showResult(soilCapture(project(), grid()), ui_->txtMessage2);
    ui_->cmdNext_6->setEnabled(true);
    ui_->cmdUpdateNew->setEnabled(false);
    ui_->cmdNext_6->setFocus();
}

void SoilScreen::next() {
    soilNext(project(), grid());
    nav().next(Step::Soil);
}

}  // namespace tarn::ui
