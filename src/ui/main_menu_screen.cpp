#include "ui/main_menu_screen.h"

#include "input/menu.h"
#include "ui/navigation.h"
#include "ui/qt_text.h"
#include "ui/step_marker.h"
#include "ui_main_menu_screen.h"

namespace tarn::ui {

MainMenuScreen::MainMenuScreen(Navigation& navigation)
    : Screen(navigation), ui_(std::make_unique<::Ui::MainMenuScreen>()) {
    ui_->setupUi(this);
    const int buttonWidth = fontMetrics().averageCharWidth() * 44;
    for (const MenuButtonInfo& info : menuButtons()) {
        auto* button = control<QPushButton>(toQ(info.name));
        button->setMinimumWidth(buttonWidth);
        if (info.opens) {
            const Step step = *info.opens;
            connect(button, &QPushButton::clicked, this, [this, step] { nav().openStep(step); });
        } else {
            connect(button, &QPushButton::clicked, this, [this] { nav().exitProgram(); });
        }
    }
}

MainMenuScreen::~MainMenuScreen() = default;

void MainMenuScreen::load() {
    const MenuState& menu = nav().menu();
    for (const MenuButtonInfo& info : menuButtons())
        control<QPushButton>(toQ(info.name))->setEnabled(menu.isEnabled(info.button));
    const auto markers = controlArray<StepMarker>("lbl_button", kMenuMarkerCount);
    for (int i = 0; i < kMenuMarkerCount; ++i) markers[i]->setVisible(menu.markers[std::size_t(i)]);
    // The keyboard starts on the step the arrow points at, when it can be taken.
    for (int i = 0; i < kMenuMarkerCount; ++i) {
        auto* button = control<QPushButton>(toQ(menuButtons()[std::size_t(i)].name));
        if (menu.markers[std::size_t(i)] && button->isEnabled()) button->setFocus();
    }
    setCaption(kMenuCaption);
}

}  // namespace tarn::ui
