#include "ui/screen.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QScreen>
#include <stdexcept>

#include "ui/dialogs.h"
#include "ui/navigation.h"
#include "ui/qt_text.h"

namespace tarn::ui {

Screen::Screen(Navigation& navigation) : QWidget(nullptr, Qt::Window), nav_(navigation) {}

Screen::~Screen() = default;

Project& Screen::project() const { return nav_.project(); }

Dialogs& Screen::dialogs() const { return nav_.dialogs(); }

void Screen::runLoad() {
    LoadingGuard guard(*this);
    load();
}

void Screen::centre() {
    adjustSize();
    moveToCentre();
}

void Screen::moveToCentre() {
    const QScreen* s = screen();
    if (!s) return;
    const QRect available = s->availableGeometry();
    QRect frame = frameGeometry();
    frame.moveCenter(available.center());
    move(std::max(frame.left(), available.left()), std::max(frame.top(), available.top()));
}

void Screen::closeRequested() { nav_.exitProgram(); }

void SubordinateScreen::closeRequested() { nav().unload(form()); }

void Screen::closeEvent(QCloseEvent* event) {
    event->ignore();
    closeRequested();
}

void Screen::setCaption(std::string_view caption) { setWindowTitle(toQ(caption)); }

void Screen::showStatus(QLineEdit* status, std::string_view text) {
    status->setText(toQ(text));
    status->setToolTip(status->text());
    status->setCursorPosition(0);
}

void Screen::showResult(const StepResult& result, QLineEdit* status) {
    if (!result.status.empty()) showStatus(status, result.status);
    if (!result.focus.empty()) control(toQ(result.focus))->setFocus();
    if (result.beeps > 0) dialogs().beep(result.beeps);
}

void Screen::missingControl(const QString& name) const {
    throw std::logic_error(toStd(form() + " has no control " + name));
}

}  // namespace tarn::ui
