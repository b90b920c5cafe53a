#include "ui/welcome_screen.h"

#include "input/menu.h"
#include "ui/navigation.h"
#include "ui/qt_text.h"
#include "ui_welcome_screen.h"

namespace tarn::ui {

WelcomeScreen::WelcomeScreen(Navigation& navigation) : Screen(navigation), ui_(std::make_unique<::Ui::WelcomeScreen>()) {
    ui_->setupUi(this);
    QFont title = ui_->lblTitle->font();
    title.setPointSizeF(title.pointSizeF() * 1.6);
    title.setBold(true);
    ui_->lblTitle->setFont(title);
    connect(ui_->cmdNext_1, &QPushButton::clicked, this, &WelcomeScreen::next);
    connect(ui_->cmdExit, &QPushButton::clicked, this, [this] { nav().exitProgram(); });
}

WelcomeScreen::~WelcomeScreen() = default;

void WelcomeScreen::load() {
    welcomeLoad(project());
    setCaption(kWelcomeCaption);
}

void WelcomeScreen::next() {
    welcomeNext(project());
    nav().next(Step::Welcome);
}

}  // namespace tarn::ui
