#include "ui/progress_window.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace tarn::ui {

namespace {

// Lets pending paints and timers run, but no clicks or keys: the work in progress blocks
// the screens.
void repaintScreens() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

}  // namespace

ProgressWindow::ProgressWindow(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
    setObjectName("frmPrgBar");
    setWindowTitle("Progress");
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QVBoxLayout(this);
    caption_ = new QLabel("Progress", this);
    caption_->setObjectName("lblCaption");
    caption_->setWordWrap(true);
    caption_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bar_ = new QProgressBar(this);
    bar_->setObjectName("prgarrays");
    bar_->setAccessibleName("Progress");
    bar_->setMinimumWidth(fontMetrics().averageCharWidth() * 50);
    layout->addWidget(caption_);
    layout->addWidget(bar_);
}

void ProgressWindow::begin(const QString& caption, int maximum) {
    setWindowTitle(caption);
    caption_->setText(caption.trimmed());
    bar_->setRange(0, maximum);
    bar_->setValue(0);
    bar_->setVisible(true);
    adjustSize();
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    show();
    raise();
    sincePump_.start();
    repaintScreens();
}

void ProgressWindow::setProgress(int value, int maximum) {
    if (maximum != bar_->maximum()) bar_->setMaximum(maximum);
    // A run reports every day of every sub-area: the bar moves in 200 steps at most, since
    // each move costs far more than a day of the model.
    const int v = std::min(value, maximum);
    const int step = std::max(1, maximum / 200);
    if (v > bar_->value() && v < maximum && v - bar_->value() < step) return;
    bar_->setValue(v);
    if (!sincePump_.isValid() || sincePump_.elapsed() >= 30) {
        repaintScreens();
        sincePump_.restart();
    }
}

void ProgressWindow::end() {
    bar_->setVisible(false);
    hide();
}

ProgressFn ProgressWindow::callback() {
    return [this](int value, int maximum) { setProgress(value, maximum); };
}

ProgressScope::ProgressScope(ProgressWindow& window, const QString& caption, int maximum) : window_(window) {
    window_.begin(caption, maximum);
}

ProgressScope::~ProgressScope() { window_.end(); }

}  // namespace tarn::ui
