#include "ui/output2_screen.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "ui/navigation.h"
#include "ui/output_screen.h"
#include "ui/qt_text.h"
#include "ui/wrapped_caption.h"
#include "ui_output2_screen.h"

namespace tarn::ui {

namespace {

constexpr int kClasses = 5;
constexpr int kInitial = 3;

// Sets the option of class 1..5 in a sub-area's group, or none for 0.
void choose(QButtonGroup* group, int cls) {
    if (QAbstractButton* option = group->button(cls - 1)) {
        option->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton* option : group->buttons()) option->setChecked(false);
    group->setExclusive(true);
}

// The class 1..5 chosen in a group, 0 for none.
int chosen(const QButtonGroup* group) { return group->checkedId() + 1; }

// Holds the class grid: as tall as the grid asks where the screen has the room, scrolling
// on a small screen rather than pushing Rerun, Back and Exit off its bottom.
class GridScroll : public QScrollArea {
public:
    explicit GridScroll(QWidget* parent) : QScrollArea(parent) {
        setObjectName(QStringLiteral("scrClasses"));
        setAccessibleName(QStringLiteral("Soil and vegetation classes of the sub-areas"));
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
    }
    QSize sizeHint() const override {
        return widget() ? widget()->sizeHint() + QSize(verticalScrollBar()->sizeHint().width(), 0) : QScrollArea::sizeHint();
    }
    QSize minimumSizeHint() const override {
        const QSize grid = widget() ? widget()->minimumSizeHint() : QSize();
        return {grid.width() + verticalScrollBar()->sizeHint().width(), fontMetrics().lineSpacing() * 6};
    }
};

}  // namespace

Output2Screen::Output2Screen(Navigation& navigation)
    : OutputScreenBase(navigation, false, toQ(kRerun2ProgressCaption)), ui_(std::make_unique<::Ui::Output2Screen>()) {
    ui_->setupUi(this);
    auto* scroll = new GridScroll(this);
    ui_->layMain->insertWidget(ui_->layMain->indexOf(ui_->frmout_2), scroll);
    scroll->setWidget(ui_->frmout_2);
    bindCommon();
    const int boxWidth = fontMetrics().averageCharWidth() * 9;
    for (int s = 1; s <= kSubAreas; ++s) {
        initial_.append(controlArray<QLineEdit>(QStringLiteral("txtAp_%1").arg(s), kInitial));
        for (QLineEdit* box : initial_.back()) box->setMinimumWidth(boxWidth);
        auto group = [&](const QString& array, const QString& name) {
            auto* g = new QButtonGroup(this);
            g->setObjectName(name);
            const QList<QRadioButton*> options = controlArray<QRadioButton>(array, kClasses);
            for (int k = 0; k < kClasses; ++k) g->addButton(options[k], k);
            return g;
        };
        soil_.append(group(QStringLiteral("optA%1_SR").arg(s), QStringLiteral("grpSoil%1").arg(s)));
        vege_.append(group(QStringLiteral("optvege%1R").arg(s), QStringLiteral("grpVege%1").arg(s)));
    }
    // Column captions wrap over at most three lines, as narrow as that allows.
    for (QLabel* head : findChildren<QLabel*>())
        if (head->wordWrap()) reserveWrappedLines(head, head->objectName() == "lblAp_2" ? 3 : 2);
}

Output2Screen::~Output2Screen() = default;

void Output2Screen::load() {
    const Output2Load texts = output2Load(project(), runScreenSeries());
    loadCommon(texts.screen);
    setGrid(texts.grid);
}

void Output2Screen::setGrid(const OutputClassGrid& grid) {
    for (int s = 0; s < kSubAreas; ++s) {
        for (int e = 0; e < kInitial; ++e) {
            initial_[s][e]->setText(toQ(grid.initial[std::size_t(s)][std::size_t(e)]));
            initial_[s][e]->setCursorPosition(0);
        }
        choose(soil_[s], grid.soil[std::size_t(s)]);
        choose(vege_[s], grid.vege[std::size_t(s)]);
    }
    setCommonBoxes(grid);
}

OutputClassGrid Output2Screen::grid() const {
    OutputClassGrid g;
    static_cast<OutputCommonBoxes&>(g) = commonBoxes();
    for (int s = 0; s < kSubAreas; ++s) {
        for (int e = 0; e < kInitial; ++e) g.initial[std::size_t(s)][std::size_t(e)] = toStd(initial_[s][e]->text());
        g.soil[std::size_t(s)] = chosen(soil_[s]);
        g.vege[std::size_t(s)] = chosen(vege_[s]);
    }
    return g;
}

RerunOutcome Output2Screen::rerunWith(const RerunInput& input, const RunRequest& run) {
    return outputRerun(project(), grid(), input, run);
}

void Output2Screen::afterRerun(const RerunOutcome& outcome) {
    if (auto* values = nav().loaded<OutputScreen>(QStringLiteral("frmOutput"))) values->setGrid(outcome.values);
}

}  // namespace tarn::ui
