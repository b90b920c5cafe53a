#pragma once
// The base of every window of the program. A screen is one class with one Designer form;
// it only moves texts between its widgets and the step functions of src/input, and asks
// the Navigation to move on. It is created afresh each time it is loaded and destroyed
// when it is unloaded, as its form's load step expects.
#include <array>
#include <QList>
#include <QString>
#include <QWidget>
#include <string_view>

#include "input/step_result.h"
#include "model/project.h"

class QLineEdit;

namespace tarn::ui {

class Dialogs;
class Navigation;

class Screen : public QWidget {
    Q_OBJECT
public:
    explicit Screen(Navigation& navigation);
    ~Screen() override;

    // The form name ("frmDetail"); also the window's object name.
    QString form() const { return objectName(); }

    // The load step: fills the widgets from the project under the loading guard. The
    // Navigation calls it once, right after creating the screen.
    void runLoad();

    // Whether a screen that is loaded but hidden loads again when it is shown, so that it
    // shows the project as it is then (the analysis screens: the runs may have changed).
    virtual bool reloadsWhenShown() const { return false; }

    // Places the window, sized to its contents, in the middle of the screen it is on.
    void centre();

    // The program is ending: work the screen runs off its thread stops, and this returns
    // once that work has ended (the screens repaint meanwhile). Nothing to do by default.
    virtual void stopWork() {}

    // Throws std::logic_error naming the form and the control when the form lacks it.
    template <class W = QWidget>
    W* control(const QString& name) const {
        W* w = findChild<W*>(name);
        if (!w) missingControl(name);
        return w;
    }

    // A control array: element e of array X is the widget X_e.
    template <class W = QWidget>
    QList<W*> controlArray(const QString& name, int count) const {
        QList<W*> list;
        for (int e = 0; e < count; ++e) list.append(control<W>(name + '_' + QString::number(e)));
        return list;
    }

    // The controls of a per-sub-area grid: [s - 1][e] is <prefix><s><suffix>_<e>.
    template <std::size_t Columns, class W = QWidget>
    std::array<std::array<W*, Columns>, 10> subAreaGrid(const QString& prefix, const QString& suffix = {}) const {
        std::array<std::array<W*, Columns>, 10> grid{};
        for (std::size_t s = 0; s < grid.size(); ++s) {
            const QList<W*> row = controlArray<W>(prefix + QString::number(s + 1) + suffix, int(Columns));
            for (std::size_t e = 0; e < Columns; ++e) grid[s][e] = row[qsizetype(e)];
        }
        return grid;
    }

protected:
    // What the form does when it loads (Form_Load).
    virtual void load() {}

    // The window's close box. Closing a wizard screen ends the program like its Exit
    // button; subordinate screens override this to unload themselves.
    virtual void closeRequested();
    void closeEvent(QCloseEvent* event) override;

    Navigation& nav() const { return nav_; }
    Project& project() const;
    Dialogs& dialogs() const;

    // True while the screen fills its widgets; change handlers then do nothing.
    bool loading() const { return loading_ > 0; }
    class LoadingGuard {
    public:
        explicit LoadingGuard(Screen& screen) : screen_(screen) { ++screen_.loading_; }
        ~LoadingGuard() { --screen_.loading_; }
        LoadingGuard(const LoadingGuard&) = delete;
        LoadingGuard& operator=(const LoadingGuard&) = delete;

    private:
        Screen& screen_;
    };

    // Moves the window, at the size it has, to the middle of the screen it is on.
    void moveToCentre();

    void setCaption(std::string_view caption);
    // Writes a status line, its start in view and its whole text in the tool tip.
    void showStatus(QLineEdit* status, std::string_view text);
    // The outcome of a step function: the status (unless empty), the focus and the beeps.
    void showResult(const StepResult& result, QLineEdit* status);

private:
    [[noreturn]] void missingControl(const QString& name) const;

    Navigation& nav_;
    int loading_ = 0;
};

// A screen opened beside a wizard screen, which owns it (a class table, the input chart):
// Navigation::show(form, owner). Its close box unloads it, as its Back does.
class SubordinateScreen : public Screen {
    Q_OBJECT
public:
    using Screen::Screen;

protected:
    void closeRequested() override;
};

}  // namespace tarn::ui
