#include "ui/vegetation_classes_screen.h"

#include "input/vegetation_capture.h"
#include "ui/navigation.h"
#include "ui/qt_text.h"
#include "ui/vegetation_screen.h"
#include "ui_vegetation_classes_screen.h"

namespace tarn::ui {

VegetationClassesScreen::VegetationClassesScreen(Navigation& navigation)
    : SubordinateScreen(navigation), ui_(std::make_unique<::Ui::VegetationClassesScreen>()) {
    ui_->setupUi(this);
    for (int k = 1; k <= kSubAreas; ++k) {
        const auto row = controlArray<QRadioButton>("optVege" + QString::number(k), 5);
        for (int c = 0; c < 5; ++c) options_[std::size_t(k - 1)][std::size_t(c)] = row[c];
    }
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
    ClassChoice choice{};
    for (std::size_t s = 0; s < options_.size(); ++s)
        for (std::size_t c = 0; c < 5; ++c)
            if (options_[s][c]->isChecked()) choice[s] = int(c) + 1;
    const VegeGridResult applied = vegeClassesApply(project(), choice);
    if (auto* vege = nav().loaded<VegetationScreen>("frmVege")) vege->showClassChoice(applied);
}

}  // namespace tarn::ui
