#include "ui/ini_cond_screen.h"

#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "input/menu.h"
#include "ui/navigation.h"
#include "ui/qt_text.h"
#include "ui_ini_cond_screen.h"

namespace tarn::ui {

namespace {

constexpr int kElements = 3;  // toplayer water, total water, baseflow store

}  // namespace

IniCondScreen::IniCondScreen(Navigation& navigation)
    : Screen(navigation), ui_(std::make_unique<::Ui::IniCondScreen>()) {
    ui_->setupUi(this);
    const auto heads = controlArray<QLabel>("lblIniHead", kElements);
    // The headings set their words under one another, centred over their column; they keep
    // the height their lines need at that width (a grid does not ask a label for it).
    const int headingWidth = fontMetrics().horizontalAdvance("Toplayer water") + 4 * fontMetrics().averageCharWidth();
    int headingHeight = 0;
    for (QLabel* head : heads) headingHeight = std::max(headingHeight, head->heightForWidth(headingWidth));
    for (QLabel* head : heads) {
        head->setFixedWidth(headingWidth);
        head->setMinimumHeight(headingHeight);
        ui_->layIniGrid->setAlignment(head, Qt::AlignHCenter | Qt::AlignBottom);
    }
    const int boxWidth = fontMetrics().averageCharWidth() * 12;
    for (int s = 1; s <= kSubAreas; ++s) {
        boxes_.append(controlArray<QLineEdit>("txtIni" + QString::number(s), kElements));
        for (int e = 0; e < kElements; ++e) {
            QLineEdit* box = boxes_.back()[e];
            box->setMinimumWidth(boxWidth);
            // "A1 Total water content mm": the column's heading without its layout blanks.
            box->setAccessibleName("A" + QString::number(s) + ' ' + heads[e]->text().simplified());
        }
    }
    ui_->txtIniCond->setMinimumWidth(fontMetrics().averageCharWidth() * 50);
    connect(ui_->cmdCapture, &QPushButton::clicked, this, &IniCondScreen::capture);
    connect(ui_->cmdNext_8, &QPushButton::clicked, this, &IniCondScreen::next);
    connect(ui_->cmdBack8, &QPushButton::clicked, this, [this] { nav().back(Step::InitialConditions); });
    connect(ui_->cmdExit5, &QPushButton::clicked, this, [this] { nav().exitProgram(); });
}

IniCondScreen::~IniCondScreen() = default;

void IniCondScreen::load() {
    const IniScreen texts = initialLoad(project());
    ui_->txtIniCond->setText(toQ(texts.file));
    ui_->txtIniCond->setCursorPosition(0);
    for (int s = 0; s < kSubAreas; ++s)
        for (int e = 0; e < kElements; ++e) {
            boxes_[s][e]->setText(toQ(texts.grid[std::size_t(s)][std::size_t(e)]));
            boxes_[s][e]->setCursorPosition(0);
        }
    setCaption(texts.caption);
    showStatus(ui_->txtMessage, texts.status);
    ui_->cmdNext_8->setEnabled(false);
    ui_->cmdCapture->setEnabled(true);
    boxes_[0][0]->setFocus();
}

IniGrid IniCondScreen::grid() const {
    IniGrid g;
    for (int s = 0; s < kSubAreas; ++s)
        for (int e = 0; e < kElements; ++e) g[std::size_t(s)][std::size_t(e)] = toStd(boxes_[s][e]->text());
    return g;
}

void IniCondScreen::capture() {
    showResult(initialCapture(project(), grid()), ui_->txtMessage);
    // One capture per visit.
    ui_->cmdCapture->setEnabled(false);
    ui_->cmdNext_8->setEnabled(true);
    ui_->cmdNext_8->setFocus();
}

void IniCondScreen::next() {
    const StepResult result = initialNext(project(), grid());
    if (!result.ok) {
        showResult(result, ui_->txtMessage);
        return;
    }
    nav().next(Step::InitialConditions);
}

}  // namespace tarn::ui
