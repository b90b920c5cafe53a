#include "ui/vegetation_table_screen.h"

#include "input/vegetation_capture.h"
#include "ui/navigation.h"
#include "ui/qt_text.h"
#include "ui_vegetation_table_screen.h"

namespace tarn::ui {

VegetationTableScreen::VegetationTableScreen(Navigation& navigation)
    : SubordinateScreen(navigation), ui_(std::make_unique<::Ui::VegetationTableScreen>()) {
    ui_->setupUi(this);
    for (int c = 1; c <= 5; ++c) {
        const auto row = controlArray<QLineEdit>("txtVege" + QString::number(c), 2);
        for (int e = 0; e < 2; ++e) classes_[std::size_t(c - 1)][std::size_t(e)] = row[e];
    }
    ui_->txtMessage->setMinimumWidth(fontMetrics().averageCharWidth() * 50);
    connect(ui_->cmdUpdateVege, &QPushButton::clicked, this, &VegetationTableScreen::update);
    connect(ui_->cmdBack7_3, &QPushButton::clicked, this, [this] { nav().unload(form()); });
    connect(ui_->cmdExit11, &QPushButton::clicked, this, [this] { nav().exitProgram(); });
}

VegetationTableScreen::~VegetationTableScreen() = default;

void VegetationTableScreen::load() {
    const VegeClassTableScreen opened = vegeTableLoad(project());
    for (std::size_t c = 0; c < 5; ++c)
        for (std::size_t e = 0; e < 2; ++e) classes_[c][e]->setText(toQ(opened.table[c][e]));
    setCaption(opened.caption);
    showStatus(ui_->txtMessage, opened.status);
    classes_[0][0]->setFocus();
}

void VegetationTableScreen::update() {
    VegeClassTable table;
    for (std::size_t c = 0; c < 5; ++c)
        for (std::size_t e = 0; e < 2; ++e) table[c][e] = toStd(classes_[c][e]->text());
    showResult(vegeTableUpdate(project(), table), ui_->txtMessage);
}

}  // namespace tarn::ui
