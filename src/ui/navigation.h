#pragma once
// The one place that knows the screens: it creates, shows and unloads them, holds the
// session's project, its open input workbook, the progress window and the dialogs, walks
// the wizard's step order and keeps the main menu's state. Screens never create each
// other; they ask the Navigation.
//
// Every screen is registered under its form name ("frmDetail") with a function that creates
// it. A wizard step whose screen is not registered yet shows a placeholder that says so.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "analysis/annual.h"
#include "input/menu.h"
#include "model/project.h"
#include "ui/progress_window.h"
#include "workbook/workbook.h"

namespace tarn::ui {

class Dialogs;
class Screen;

class Navigation : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<Screen*(Navigation&)>;

    // `project` and `dialogs` belong to the caller and outlive the Navigation.
    Navigation(Project& project, Dialogs& dialogs, QObject* parent = nullptr);
    ~Navigation() override;

    Project& project() const { return project_; }
    Dialogs& dialogs() const { return dialogs_; }
    ProgressWindow& progress() { return progress_; }

    // The input workbook chosen on the details step, open; null before one is chosen.
    Workbook* workbook() const { return workbook_.get(); }
    void setWorkbook(std::unique_ptr<Workbook> book) { workbook_ = std::move(book); }

    // A workbook the details step's file dialog opens on (given on the command line).
    QString preselectedFile() const { return preselected_; }
    void setPreselectedFile(const QString& file) { preselected_ = file; }

    // ---- Screens ----

    void registerScreen(const QString& form, Factory factory);
    template <class S>
    void registerScreen(const QString& form) {
        registerScreen(form, [](Navigation& n) -> Screen* { return new S(n); });
    }
    QStringList registeredForms() const;

    // Load: creates the screen and runs its load step, unless it is loaded already.
    Screen* load(const QString& form);
    // Load and show; a screen shown for the first time since its load is centred. A
    // subordinate screen names its `owner`, and is unloaded with it.
    Screen* show(const QString& form, const QString& owner = {});
    // Unload: hides and destroys the screen and the screens it owns.
    void unload(const QString& form);
    // The loaded screen of a form, or null.
    Screen* loaded(const QString& form) const;
    template <class S>
    S* loaded(const QString& form) const {
        return qobject_cast<S*>(loaded(form));
    }

    // ---- The wizard ----

    // The welcome screen.
    void start();
    // A step button of the main menu: the step's screen opens; the menu is unloaded and
    // keeps its load state with the step's marker.
    void openStep(Step step);
    // A step's Next: its screen (and those it owns) close and the menu shows with the
    // buttons that step enables.
    void next(Step step);
    // A step's Back: its screen closes and the screen before it opens.
    void back(Step step);

    // The main menu's buttons and markers.
    const MenuState& menu() const { return menu_; }

    // ExitProgram: work running off the screens' thread stopped and waited for, a 500 ms
    // wait during which the screens keep repainting, the workbooks closed, the windows
    // hidden, the program ended. Tests replace the final quit.
    void exitProgram();
    void setQuit(std::function<void()> quit) { quit_ = std::move(quit); }
    bool exiting() const { return exiting_; }

    // The paging of the annual tables, shared by the volume and the depth screens.
    AnnualPager& annualPager() { return annualPager_; }

private:
    struct Loaded {
        QPointer<Screen> screen;
        QString owner;
        bool shown = false;
    };

    Screen* create(const QString& form);

    Project& project_;
    Dialogs& dialogs_;
    ProgressWindow progress_;
    std::unique_ptr<Workbook> workbook_;
    QString preselected_;
    std::map<QString, Factory> factories_;
    std::map<QString, Loaded> loaded_;
    std::vector<QPointer<Screen>> unloaded_;  // destroyed once their events are done
    MenuState menu_;
    AnnualPager annualPager_;
    std::function<void()> quit_;
    bool exiting_ = false;
};

}  // namespace tarn::ui
