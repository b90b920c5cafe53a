#include "ui/guarded_application.h"

#include <QMessageBox>
#include <exception>
#include <new>

namespace tarn::ui {

GuardedApplication::GuardedApplication(int& argc, char** argv)
    : QApplication(argc, argv), report_([](const QString& message) {
          QMessageBox::warning(QApplication::activeWindow(), QStringLiteral("TARNFLOW"), message);
      }) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        report_(QStringLiteral("There is not enough memory for that; nothing was changed by it."));
    } catch (const std::exception& e) {
        report_(QStringLiteral("That could not be done: ") + QString::fromUtf8(e.what()));
    } catch (...) {
        report_(QStringLiteral("That could not be done: an unexpected failure."));
    }
    return false;
}

}  // namespace tarn::ui
