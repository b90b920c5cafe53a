#include "ui/output_screen.h"

#include <QLineEdit>

#include "ui/qt_text.h"
#include "ui_output_screen.h"

namespace tarn::ui {

namespace {

constexpr int kElements = 10;  // txtAp_<s>_0..9 of which 3 and 4 do not exist

bool hasElement(int e) { return e <= 2 || e >= 5; }

}  // namespace

OutputScreen::OutputScreen(Navigation& navigation)
    : OutputScreenBase(navigation, true, toQ(kRerunProgressCaption)), ui_(std::make_unique<::Ui::OutputScreen>()) {
    ui_->setupUi(this);
    bindCommon();
    const int boxWidth = fontMetrics().averageCharWidth() * 9;
    for (int s = 1; s <= kSubAreas; ++s) {
        QList<QLineEdit*> column;
        for (int e = 0; e < kElements; ++e)
            column.append(hasElement(e) ? control<QLineEdit>(QStringLiteral("txtAp_%1_%2").arg(s).arg(e)) : nullptr);
        for (QLineEdit* box : column)
            if (box) box->setMinimumWidth(boxWidth);
        values_.append(column);
    }
}

OutputScreen::~OutputScreen() = default;

void OutputScreen::load() {
    const OutputLoad texts = outputLoad(project(), runScreenSeries());
    loadCommon(texts.screen);
    setGrid(texts.grid);
}

void OutputScreen::setGrid(const OutputValuesGrid& grid) {
    for (int s = 0; s < kSubAreas; ++s)
        for (int e = 0; e < kElements; ++e)
            if (QLineEdit* box = values_[s][e]) {
                box->setText(toQ(grid.values[std::size_t(s)][std::size_t(e)]));
                box->setCursorPosition(0);
            }
    setCommonBoxes(grid);
}

OutputValuesGrid OutputScreen::grid() const {
    OutputValuesGrid g;
    static_cast<OutputCommonBoxes&>(g) = commonBoxes();
    for (int s = 0; s < kSubAreas; ++s)
        for (int e = 0; e < kElements; ++e)
            if (const QLineEdit* box = values_[s][e]) g.values[std::size_t(s)][std::size_t(e)] = toStd(box->text());
    return g;
}

RerunOutcome OutputScreen::rerunWith(const RerunInput& input, const RunRequest& run) {
    return outputRerun(project(), grid(), input, run);
}

}  // namespace tarn::ui
