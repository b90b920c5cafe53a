#include "ui/catchment_screen.h"

#include <QComboBox>

#include "input/capture.h"
#include "input/menu.h"
#include "ui/navigation.h"
#include "ui/qt_text.h"
#include "ui/input_steps.h"
#include "ui_catchment_screen.h"

namespace tarn::ui {

CatchmentScreen::CatchmentScreen(Navigation& navigation)
    : Screen(navigation), ui_(std::make_unique<::Ui::CatchmentScreen>()) {
    ui_->setupUi(this);
    shares_ = controlArray<QComboBox>("cmbArea", kSubAreas);
    setupPercentBoxes(shares_, "Share of %1 (%)");
    ui_->txtTotalArea->setMinimumWidth(fontMetrics().averageCharWidth() * 14);
    connect(ui_->txtTotalArea, &QLineEdit::textChanged, this, &CatchmentScreen::totalAreaChanged);
    connect(ui_->Command1, &QPushButton::clicked, this, &CatchmentScreen::capture);
    connect(ui_->cmdNext_3, &QPushButton::clicked, this, &CatchmentScreen::next);
    connect(ui_->cmdBack3, &QPushButton::clicked, this, &CatchmentScreen::back);
    connect(ui_->cmdExit2, &QPushButton::clicked, this, [this] { nav().exitProgram(); });
}

CatchmentScreen::~CatchmentScreen() = default;

void CatchmentScreen::load() {
    const auto texts = catchmentLoad(project());
    ui_->Command1->setEnabled(false);
    ui_->cmdNext_3->setEnabled(false);
    ui_->txtTotalArea->setText(toQ(texts.totalArea));
    fillPercentLists(shares_);
    setBoxTexts(shares_, texts.shares);
    showStatus(ui_->txtStatus, texts.status);
    setCaption(texts.caption);
    ui_->txtTotalArea->setFocus();
}

// A change of the total area (txtTotalArea_Change) opens the capture.
void CatchmentScreen::totalAreaChanged() {
    if (loading()) return;
    ui_->Command1->setEnabled(true);
    showStatus(ui_->txtStatus, catchmentTotalAreaChanged());
}

void CatchmentScreen::capture() {
    const StepResult result = catchmentCapture(project(), toStd(ui_->txtTotalArea->text()), boxTexts(shares_));
    showResult(result, ui_->txtStatus);
    if (!result.ok) return;
    ui_->cmdNext_3->setEnabled(true);
    ui_->cmdNext_3->setFocus();
    ui_->Command1->setEnabled(false);
}

void CatchmentScreen::next() {
    const StepResult result = catchmentNext(project(), toStd(ui_->txtTotalArea->text()), boxTexts(shares_));
    if (!result.ok) {
        showResult(result, ui_->txtStatus);
        return;
    }
    nav().next(Step::Catchment);
}

void CatchmentScreen::back() {
    const StepResult result = catchmentBack(project(), toStd(ui_->txtTotalArea->text()));
    if (!result.ok) {
        showResult(result, ui_->txtStatus);
        return;
    }
    // The details step opens with its Next enabled.
    nav().back(Step::Catchment);
}

}  // namespace tarn::ui
