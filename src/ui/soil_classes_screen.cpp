#include "ui/soil_classes_screen.h"

#include "input/soil_capture.h"
#include "ui/navigation.h"
#include "ui/qt_text.h"
#include "ui/soil_screen.h"
#include "ui_soil_classes_screen.h"

namespace tarn::ui {

SoilClassesScreen::SoilClassesScreen(Navigation& navigation)
    : SubordinateScreen(navigation), ui_(std::make_unique<::Ui::SoilClassesScreen>()) {
    ui_->setupUi(this);
    for (int k = 1; k <= kSubAreas; ++k) {
        const auto row = controlArray<QRadioButton>("optA" + QString::number(k) + "_S", 5);
        for (int c = 0; c < 5; ++c) options_[std::size_t(k - 1)][std::size_t(c)] = row[c];
    }
    ui_->txtResetSoil->setMinimumWidth(fontMetrics().averageCharWidth() * 60);
    connect(ui_->cmdResetSoilData, &QPushButton::clicked, this, &SoilClassesScreen::update);
    connect(ui_->cmdSoilType, &QPushButton::clicked, this, [this] { nav().show("frmSoilDataStore", form()); });
    connect(ui_->cmdBack6_2, &QPushButton::clicked, this, [this] { nav().unload(form()); });
    connect(ui_->cmdExit9, &QPushButton::clicked, this, [this] { nav().exitProgram(); });
}

SoilClassesScreen::~SoilClassesScreen() = default;

void SoilClassesScreen::load() {
    const ClassChoiceScreen texts = soilClassesLoad(project());
    setCaption(texts.caption);
    showStatus(ui_->txtResetSoil, texts.status);
    ui_->cmdResetSoilData->setFocus();
}

// SETSOILDATA
void SoilClassesScreen::update() {
    ClassChoice choice{};
    for (std::size_t s = 0; s < options_.size(); ++s)
        for (std::size_t c = 0; c < 5; ++c)
            if (options_[s][c]->isChecked()) choice[s] = int(c) + 1;
    const ClassChoiceResult applied = soilClassesApply(project(), choice);
    if (auto* soil = nav().loaded<SoilScreen>("frmSoilPara")) soil->showSubAreas(applied.subAreas);
    showResult(applied.result, ui_->txtResetSoil);
}

}  // namespace tarn::ui
