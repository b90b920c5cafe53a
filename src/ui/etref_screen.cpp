#include "ui/etref_screen.h"

#include "input/etref_capture.h"
#include "input/menu.h"
#include "input/series_read.h"
#include "ui/busy_pointer.h"
#include "ui/input_steps.h"
#include "ui/navigation.h"
#include "ui/qt_text.h"
#include "ui_etref_screen.h"

namespace tarn::ui {

EtrefScreen::EtrefScreen(Navigation& navigation) : Screen(navigation), ui_(std::make_unique<::Ui::EtrefScreen>()) {
    ui_->setupUi(this);
    ui_->txtEtrefFile->setMinimumWidth(fontMetrics().averageCharWidth() * 50);
    connect(ui_->cmdCapEtrefData, &QPushButton::clicked, this, &EtrefScreen::capture);
    connect(ui_->cmdNext_5, &QPushButton::clicked, this, &EtrefScreen::next);
    connect(ui_->cmdBack5, &QPushButton::clicked, this, [this] { nav().back(Step::Etref); });
    connect(ui_->cmdExit4, &QPushButton::clicked, this, [this] { nav().exitProgram(); });
}

EtrefScreen::~EtrefScreen() = default;

void EtrefScreen::load() {
    const auto texts = etrefLoad(project());
    ui_->cmdNext_5->setEnabled(false);
    ui_->cmdCapEtrefData->setEnabled(true);
    ui_->txtEtrefFile->setText(toQ(texts.file));
    ui_->txtEtrefFile->setCursorPosition(0);
    showStatus(ui_->txtMessage3, texts.status);
    setCaption(texts.caption);
    ui_->OptDaily->setFocus();
}

void EtrefScreen::capture() {
    const EtrefChoice choice = ui_->OptDaily->isChecked()     ? EtrefChoice::Daily
                               : ui_->OptMonthly->isChecked() ? EtrefChoice::Monthly
                                                              : EtrefChoice::None;
    if (choice == EtrefChoice::None) return;  // neither option set: nothing happens
    BusyPointer busy;
    const EtrefCapture captured = etrefCapture(project(), choice);
    showResult(captured.result, ui_->txtMessage3);
    openInputChart(nav(), form());
    if (auto refused = etrefUnread(project())) {
        // The chart read nothing and says why (with its beep); the capture can be made again.
        refused->beeps = 0;
        showResult(*refused, ui_->txtMessage3);
        return;
    }
    ui_->cmdNext_5->setEnabled(true);
    ui_->cmdCapEtrefData->setEnabled(false);
    ui_->cmdNext_5->setFocus();
}

void EtrefScreen::next() {
    const StepResult result = etrefNextWhenRead(project());
    if (!result.ok) {
        // A capture whose series the chart could not read is to be made again.
        if (result.focus == "cmdCapEtrefData") ui_->cmdCapEtrefData->setEnabled(true);
        showResult(result, ui_->txtMessage3);
        return;
    }
    nav().next(Step::Etref);  // closes the chart with this screen
}

}  // namespace tarn::ui
