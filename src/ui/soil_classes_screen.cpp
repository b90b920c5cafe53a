#include "ui/soil_classes_screen.h"

#include "input/soil_capture.h"
#include "ui/input_steps.h"
#include "ui/navigation.h"
#include "ui/qt_text.h"
#include "ui/soil_screen.h"
#include "ui_soil_classes_screen.h"

namespace tarn::ui {

SoilClassesScreen::SoilClassesScreen(Navigation& navigation)
    : SubordinateScreen(navigation), ui_(std::make_unique<::Ui::SoilClassesScreen>()) {
    ui_->setupUi(this);
    options_ = subAreaGrid<5, QRadioButton>("optA", "_S");
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
    const ClassChoice choice = checkedClasses(options_);
    const ClassChoiceResult applied = soilClassesApply(project(), choice);
    if (auto* soil = nav().loaded<SoilScreen>("frmSoilPara")) soil->showSubAreas(applied.subAreas);
    showResult(applied.result, ui_->txtResetSoil);
}

}  // namespace tarn::ui
