#include "ui/analysis_screen.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolButton>
#include <algorithm>

#include "ui/navigation.h"
#include "ui/wrapped_caption.h"

namespace tarn::ui {

void AnalysisScreen::backToRun() {
    nav().unload(form());
    nav().show(QStringLiteral("frmRunModel"));
}

namespace {

// The grid that places a widget, if one does.
QGridLayout* gridOf(QWidget* w) {
    QWidget* parent = w->parentWidget();
    if (!parent) return nullptr;
    for (QGridLayout* grid : parent->findChildren<QGridLayout*>())
        if (grid->indexOf(w) >= 0) return grid;
    return nullptr;
}

}  // namespace

void AnalysisScreen::prepareBoxes(const QList<QLineEdit*>& boxes, const QString& widest) {
    if (boxes.isEmpty()) return;
    // The width a line edit asks for to show `widest`, as QLineEdit works out its own hint.
    QLineEdit* first = boxes.front();
    QStyleOptionFrame option;
    option.initFrom(first);
    option.lineWidth = first->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, first);
    const QFontMetrics fm = first->fontMetrics();
    const QSize text(fm.horizontalAdvance(widest) + fm.averageCharWidth() + 4, first->sizeHint().height());
    const int width = first->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, first).width();
    for (QLineEdit* box : boxes) {
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::ClickFocus);
        box->setMinimumWidth(width);
        // The box's own hint (a line edit asks for some twenty characters) is left out; in a
        // grid its column keeps the width the texts need and shares what a wider window gives.
        QSizePolicy policy = box->sizePolicy();
        policy.setHorizontalPolicy(QSizePolicy::Ignored);
        box->setSizePolicy(policy);
        if (QGridLayout* grid = gridOf(box)) {
            int row = 0, column = 0, rows = 0, columns = 0;
            grid->getItemPosition(grid->indexOf(box), &row, &column, &rows, &columns);
            if (columns == 1) grid->setColumnMinimumWidth(column, std::max(grid->columnMinimumWidth(column), width));
        }
    }
}

void AnalysisScreen::nameBoxes(const QList<QLineEdit*>& boxes, const QString& prefix) {
    for (qsizetype e = 0; e < boxes.size(); ++e) boxes[e]->setAccessibleName(prefix + ' ' + QString::number(e + 1));
}

void AnalysisScreen::prepareArrow(QToolButton* arrow) {
    arrow->setToolTip(arrow->accessibleName());
    // Never smaller than its caption needs, and as tall as a push button.
    QPushButton like(arrow->text());
    like.ensurePolished();
    arrow->ensurePolished();
    const QSize hint = arrow->sizeHint();
    arrow->setMinimumSize(hint.width(), std::max(hint.height(), like.sizeHint().height()));
    arrow->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
}

void AnalysisScreen::reserveTwoLines(const QList<QLabel*>& captions) {
    for (QLabel* caption : captions) reserveWrappedLines(caption, 2);
}

void AnalysisScreen::prepareSubAreaTable(const QList<QLineEdit*>& areas, QLineEdit* total, const SubAreaBoxes& first,
                                         const SubAreaBoxes& last, const QList<QLabel*>& years, const QString& widest) {
    prepareBoxes(areas, "00000");
    prepareBoxes({total}, "0000000");
    total->setAccessibleName("Total area (ha)");
    for (qsizetype s = 0; s < areas.size(); ++s) areas[s]->setAccessibleName("A" + QString::number(s + 1) + ", sub area (ha)");
    for (const auto& [table, run] : {std::pair{&first, "first run"}, std::pair{&last, "last run"}}) {
        for (qsizetype c = 0; c < table->size(); ++c) {
            prepareBoxes((*table)[c], widest);
            for (qsizetype s = 0; s < (*table)[c].size(); ++s)
                (*table)[c][s]->setAccessibleName(QString("A%1, %2, column %3").arg(s + 1).arg(run).arg(c + 1));
        }
    }
    for (QLabel* year : years) year->setMinimumHeight(2 * year->fontMetrics().lineSpacing());
}

void AnalysisScreen::showSubAreaTable(const SubAreaBoxes& boxes, const SubAreaTable& texts) {
    for (qsizetype c = 0; c < boxes.size() && std::size_t(c) < texts.size(); ++c)
        showTexts(boxes[c], texts[std::size_t(c)]);
}

void AnalysisScreen::showSubAreaYear(QLabel* year, const std::string& text) {
    QString shown = toQ(text).trimmed();
    shown.replace('-', "-\n");
    year->setText(shown);
}

void AnalysisScreen::showText(QLineEdit* box, const std::string& text) {
    box->setText(toQ(text));
    box->setCursorPosition(0);
}

}  // namespace tarn::ui
