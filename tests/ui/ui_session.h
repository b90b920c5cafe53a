#pragma once
// A session of the program on its real screens, with the dialogs answered by the test and
// the final quit of ExitProgram counted instead of ending the test.
#include <QAbstractButton>
#include <QString>

#include "fake_dialogs.h"
#include "model/project.h"
#include "ui/navigation.h"
#include "ui/screen.h"
#include "ui/screens.h"

namespace tarn::ui::test {

inline QString exampleWorkbook() { return QStringLiteral(TARNFLOW_EXAMPLES_DIR "/coln_bibury.xlsx"); }

// Silences the offscreen platform's notes on what it cannot do (raise a window, ...), which
// say nothing about the program.
class QuietOffscreen {
public:
    QuietOffscreen() { previous_ = qInstallMessageHandler(&QuietOffscreen::handle); }
    ~QuietOffscreen() { qInstallMessageHandler(previous_); }
    QuietOffscreen(const QuietOffscreen&) = delete;
    QuietOffscreen& operator=(const QuietOffscreen&) = delete;

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (message.startsWith("This plugin does not support")) return;
        if (previous_) previous_(type, context, message);
    }
    static inline QtMessageHandler previous_ = nullptr;
};

struct UiSession {
    QuietOffscreen quiet;
    Project project;
    FakeDialogs dialogs;
    Navigation nav{project, dialogs};
    int quits = 0;

    UiSession() {
        registerScreens(nav);
        nav.setQuit([this] { ++quits; });
    }

    // A control of an open screen, or null when the screen or the control is missing.
    template <class W = QWidget>
    W* control(const QString& form, const QString& name) const {
        Screen* s = nav.loaded(form);
        return s ? s->findChild<W*>(name) : nullptr;
    }

    // Welcome, menu, and the details step with `workbook` chosen through the file dialog.
    void chooseWorkbook(const QString& workbook = exampleWorkbook()) {
        nav.start();
        click("frmMain", "cmdNext_1");
        click("frmAMain", "cmdInputDatafile");
        dialogs.answerOpenFile(workbook);
        click("frmDetail", "cmdTemplt");
    }
    // The same, then the details step's Next: the menu shows.
    void throughDetails(const QString& workbook = exampleWorkbook()) {
        chooseWorkbook(workbook);
        click("frmDetail", "cmdNext_2");
    }

    // Presses a button of an open screen; false when there is no such button.
    bool click(const QString& form, const QString& name) const {
        auto* button = control<QAbstractButton>(form, name);
        if (!button) return false;
        button->click();
        return true;
    }
};

}  // namespace tarn::ui::test
