#pragma once
// The progress window frmPrgBar (caption "Progress", bar prgarrays): the one feedback while
// a workbook is read, a run computes or a save writes. While it is shown the screens only
// repaint; clicks and keys wait until the work is done.
#include <QElapsedTimer>
#include <QWidget>

#include "model/run_model.h"

class QLabel;
class QProgressBar;

namespace tarn::ui {

class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    // Shows the window with its caption (also written inside it) and an empty bar; a maximum
    // of 0 shows a busy bar until setProgress gives one.
    void begin(const QString& caption = QStringLiteral("Progress"), int maximum = 0);
    // Moves the bar and lets the screens repaint (at most every 30 ms).
    void setProgress(int value, int maximum);
    // Hides the window.
    void end();

    // A progress callback for the core that drives this window.
    ProgressFn callback();

    QProgressBar* bar() const { return bar_; }

private:
    QLabel* caption_;
    QProgressBar* bar_;
    QElapsedTimer sincePump_;
};

// Shows the progress window for the lifetime of the scope, hides it however the scope ends.
class ProgressScope {
public:
    ProgressScope(ProgressWindow& window, const QString& caption, int maximum = 0);
    ~ProgressScope();
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

    ProgressFn callback() { return window_.callback(); }

private:
    ProgressWindow& window_;
};

}  // namespace tarn::ui
