#include "ui/vegetation_screen.h"

#include "input/menu.h"
#include "ui/navigation.h"
#include "ui/qt_text.h"
#include "ui_vegetation_screen.h"

namespace tarn::ui {

VegetationScreen::VegetationScreen(Navigation& navigation)
    : Screen(navigation), ui_(std::make_unique<::Ui::VegetationScreen>()) {
    ui_->setupUi(this);
    boxes_ = subAreaGrid<2, QLineEdit>("txtVege");
    ui_->txtMessage4->setMinimumWidth(fontMetrics().averageCharWidth() * 60);
    connect(ui_->cmdCaptureVege, &QPushButton::clicked, this, &VegetationScreen::selectSource);
    connect(ui_->cmdUpdateVege, &QPushButton::clicked, this, &VegetationScreen::capture);
    connect(ui_->cmdNext_7, &QPushButton::clicked, this, &VegetationScreen::next);
    connect(ui_->cmdBack7, &QPushButton::clicked, this, [this] { nav().back(Step::Vegetation); });
    connect(ui_->cmdExit10, &QPushButton::clicked, this, [this] { nav().exitProgram(); });
}

VegetationScreen::~VegetationScreen() = default;

void VegetationScreen::load() {
    ui_->cmdNext_7->setEnabled(false);
    ui_->cmdUpdateVege->setEnabled(false);
    // What the sub-area block last received; this step reads no workbook itself.
    const VegeScreen opened = vegeLoad(project());
    setCaption(opened.caption);
    ui_->lblVegeFile->setText(toQ(opened.fileLabel));
    showGrid(opened.grid);
    showResult(opened.result, ui_->txtMessage4);
    ui_->cmdCaptureVege->setFocus();
}

VegeGrid VegetationScreen::grid() const {
    VegeGrid g;
    for (std::size_t s = 0; s < boxes_.size(); ++s)
        for (std::size_t e = 0; e < 2; ++e) g[s][e] = toStd(boxes_[s][e]->text());
    return g;
}

void VegetationScreen::showGrid(const VegeGrid& grid) {
    for (std::size_t s = 0; s < boxes_.size(); ++s)
        for (std::size_t e = 0; e < 2; ++e) boxes_[s][e]->setText(toQ(grid[s][e]));
}

void VegetationScreen::showClassChoice(const VegeGridResult& applied) {
    showGrid(applied.grid);
    showResult(applied.result, ui_->txtMessage4);
}

void VegetationScreen::selectSource() {
    if (ui_->optVegeFile->isChecked()) {
        const VegeGridResult read = vegeFromDataFile(project());
        showGrid(read.grid);
        showResult(read.result, ui_->txtMessage4);
    } else {
        nav().show("frmVegeParaSet", form());
    }
    ui_->cmdUpdateVege->setEnabled(true);
}

void VegetationScreen::capture() {
    showResult(vegeCapture(project(), grid()), ui_->txtMessage4);
    ui_->cmdNext_7->setEnabled(true);
    ui_->cmdUpdateVege->setEnabled(false);
    ui_->cmdNext_7->setFocus();
}

void VegetationScreen::next() {
    vegeNext(project(), grid());
    nav().next(Step::Vegetation);
}

}  // namespace tarn::ui
