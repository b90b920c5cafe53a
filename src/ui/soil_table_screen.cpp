#include "ui/soil_table_screen.h"

#include "input/soil_capture.h"
#include "ui/navigation.h"
#include "ui/qt_text.h"
#include "ui/wrapped_caption.h"
#include "ui/soil_screen.h"
#include "ui_soil_table_screen.h"

namespace tarn::ui {

SoilTableScreen::SoilTableScreen(Navigation& navigation)
    : SubordinateScreen(navigation), ui_(std::make_unique<::Ui::SoilTableScreen>()) {
    ui_->setupUi(this);
    for (QLabel* caption : {ui_->lblTAW, ui_->lblRAW, ui_->lblTopStore}) reserveWrappedLines(caption, 2);
    for (int c = 1; c <= 5; ++c) {
        const auto row = controlArray<QLineEdit>("txtSoil" + QString::number(c), 3);
        for (int e = 0; e < 3; ++e) classes_[std::size_t(c - 1)][std::size_t(e)] = row[e];
    }
    const auto bfi = controlArray<QLineEdit>("txtSoilBFlow", 5);
    const auto recession = controlArray<QLineEdit>("txtSoilResCoef", 5);
    for (int c = 0; c < 5; ++c) {
        bfi_[std::size_t(c)] = bfi[c];
        recession_[std::size_t(c)] = recession[c];
    }
    ui_->txtMessage->setMinimumWidth(fontMetrics().averageCharWidth() * 60);
    connect(ui_->cmdUpdate, &QPushButton::clicked, this, &SoilTableScreen::update);
    connect(ui_->cmdBack6_3, &QPushButton::clicked, this, [this] { nav().unload(form()); });
    connect(ui_->cmdExit7, &QPushButton::clicked, this, [this] { nav().exitProgram(); });
}

SoilTableScreen::~SoilTableScreen() = default;

void SoilTableScreen::load() {
    const SoilClassTableScreen opened = soilTableLoad(project());
    for (std::size_t c = 0; c < 5; ++c) {
        for (std::size_t e = 0; e < 3; ++e) classes_[c][e]->setText(toQ(opened.table.classes[c][e]));
        bfi_[c]->setText(toQ(opened.table.bfi[c]));
        recession_[c]->setText(toQ(opened.table.recession[c]));
    }
    setCaption(opened.caption);
    showStatus(ui_->txtMessage, opened.status);
    classes_[0][0]->setFocus();
}

void SoilTableScreen::update() {
    SoilClassTable table;
    for (std::size_t c = 0; c < 5; ++c) {
        for (std::size_t e = 0; e < 3; ++e) table.classes[c][e] = toStd(classes_[c][e]->text());
        table.bfi[c] = toStd(bfi_[c]->text());
        table.recession[c] = toStd(recession_[c]->text());
    }
    const SoilTableUpdate updated = soilTableUpdate(project(), table);
    if (updated.result.ok) {
        if (auto* soil = nav().loaded<SoilScreen>("frmSoilPara")) soil->showBaseflow(updated.bfi, updated.recession);
    }
    showResult(updated.result, ui_->txtMessage);
}

}  // namespace tarn::ui
