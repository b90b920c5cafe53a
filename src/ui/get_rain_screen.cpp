#include "ui/get_rain_screen.h"

#include <QComboBox>

#include "input/capture.h"
#include "input/menu.h"
#include "input/rain_warning.h"
#include "input/series_read.h"
#include "ui/busy_pointer.h"
#include "ui/input_steps.h"
#include "ui/navigation.h"
#include "ui/qt_text.h"
#include "ui_get_rain_screen.h"

namespace tarn::ui {

GetRainScreen::GetRainScreen(Navigation& navigation)
    : Screen(navigation), ui_(std::make_unique<::Ui::GetRainScreen>()) {
    ui_->setupUi(this);
    factors_ = controlArray<QComboBox>("cmbRainScale", kSubAreas);
    setupPercentBoxes(factors_, "Rainfall scaling factor of %1 (%)");
    ui_->txtRainFile->setMinimumWidth(fontMetrics().averageCharWidth() * 50);
    for (QComboBox* box : factors_)
        connect(box, &QComboBox::currentTextChanged, this, &GetRainScreen::factorsChanged);
    connect(ui_->cmdCapRain, &QPushButton::clicked, this, &GetRainScreen::capture);
    connect(ui_->cmdNext_4, &QPushButton::clicked, this, &GetRainScreen::next);
    connect(ui_->cmdBack4, &QPushButton::clicked, this, &GetRainScreen::back);
    connect(ui_->cmdExit5, &QPushButton::clicked, this, [this] { nav().exitProgram(); });
}

GetRainScreen::~GetRainScreen() = default;

void GetRainScreen::load() {
    const auto texts = rainLoad(project());
    ui_->cmdNext_4->setEnabled(true);
    ui_->cmdCapRain->setEnabled(true);
    fillPercentLists(factors_);
    ui_->txtRainFile->setText(toQ(texts.file));
    ui_->txtRainFile->setCursorPosition(0);
    loading_ = true;
    setBoxTexts(factors_, texts.factors);
    loading_ = false;
    showStatus(ui_->txtStatus2, texts.status);
    setCaption(texts.caption);
    ui_->chkStreamflow->setFocus();
}

void GetRainScreen::capture() {
    BusyPointer busy;
    const RainCapture captured = rainCapture(project(), ui_->chkStreamflow->isChecked());
    showResult(captured.result, ui_->txtStatus2);
    openInputChart(nav(), form());
    if (auto refused = rainUnread(project())) {
        // The chart read nothing and says why (with its beep); the capture can be made again.
        refused->beeps = 0;
        showResult(*refused, ui_->txtStatus2);
        return;
    }
    // What the measured streamflow lacks (missing or negative days) joins " Data read OK !".
    showStatus(ui_->txtStatus2, rainReadStatus(project(), captured.result.status, boxTexts(factors_)));
    ui_->cmdNext_4->setEnabled(true);
    ui_->cmdCapRain->setEnabled(false);
    ui_->cmdNext_4->setFocus();
}

// A factor box changed: the sub-areas it would leave without rain are named at once.
void GetRainScreen::factorsChanged() {
    if (loading_) return;
    if (const std::string warning = noRainWarning(project(), boxTexts(factors_)); !warning.empty())
        showStatus(ui_->txtStatus2, warning);
}

void GetRainScreen::next() {
    const StepResult result = rainNextWhenRead(project(), boxTexts(factors_));
    if (!result.ok) {
        // A capture whose series the chart could not read is to be made again.
        if (result.focus == "cmdCapRain") ui_->cmdCapRain->setEnabled(true);
        showResult(result, ui_->txtStatus2);
        return;
    }
    nav().next(Step::Rainfall);  // closes the chart with this screen
}

void GetRainScreen::back() {
    const StepResult result = rainBack(project(), boxTexts(factors_));
    if (!result.ok) {
        showResult(result, ui_->txtStatus2);
        return;
    }
    nav().back(Step::Rainfall);
}

}  // namespace tarn::ui
