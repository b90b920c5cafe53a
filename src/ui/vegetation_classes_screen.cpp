#include "ui/vegetation_classes_screen.h"

#include "input/vegetation_capture.h"
#include "ui/input_steps.h"
#include "ui/navigation.h"
#include "ui/qt_text.h"
#include "ui/vegetation_screen.h"
#include "ui_vegetation_classes_screen.h"

namespace tarn::ui {

VegetationClassesScreen::VegetationClassesScreen(Navigation& navigation)
    : SubordinateScreen(navigation), ui_(std::make_unique<::Ui::VegetationClassesScreen>()) {
    ui_->setupUi(this);
    options_ = subAreaGrid<5, QRadioButton>("optVege");
    ui_->txtResetVege->setMinimumWidth(fontMetrics().averageCharWidth() * 60);
    connect(ui_->cmdResetVege, &QPushButton::clicked, this, &VegetationClassesScreen::update);
    connect(ui_->Command2, &QPushButton::clicked, this, [this] { nav().show("frmVegeDataStore", form()); });
    connect(ui_->cmdBack7_2, &QPushButton::clicked, this, [this] { nav().unload(form()); });
    connect(ui_->cmdExit12, &QPushButton::clicked, this, [this] { nav().exitProgram(); });
}

VegetationClassesScreen::~VegetationClassesScreen() = default;

void VegetationClassesScreen::load() {
    const ClassChoiceScreen texts = vegeClassesLoad(project());
    setCaption(texts.caption);
    showStatus(ui_->txtResetVege, texts.status);
    ui_->cmdResetVege->setFocus();
}

// SETVEGE; its status belongs to the vegetation step's status line.
void VegetationClassesScreen::update() {
    const ClassChoice choice = checkedClasses(options_);
    const VegeGridResult applied = vegeClassesApply(project(), choice);
    if (auto* vege = nav().loaded<VegetationScreen>("frmVege")) vege->showClassChoice(applied);
}

}  // namespace tarn::ui
