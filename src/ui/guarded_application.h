#pragma once
// The desktop program's application object: the one error boundary of the event loop.
#include <QApplication>
#include <functional>

namespace tarn::ui {

// A handler that throws does not reach Qt's event loop (which cannot carry an exception and
// would end the program): the event counts as not handled and the message is shown.
class GuardedApplication : public QApplication {
    Q_OBJECT
public:
    GuardedApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // How a caught failure is shown; a message box unless a test replaces it.
    void setReporter(std::function<void(const QString&)> report) { report_ = std::move(report); }

private:
    std::function<void(const QString&)> report_;
};

}  // namespace tarn::ui
