#include "ui/wrapped_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "ui/wrapped_caption.h"

namespace tarn::ui {

namespace {

constexpr int kLines = 2;
constexpr int kFlags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

}  // namespace

WrappedButton::WrappedButton(QWidget* parent) : QPushButton(parent) {}

QSize WrappedButton::textSize() const {
    // The narrowest width at which the words take no more than two lines.
    const QFontMetrics fm = fontMetrics();
    return narrowestWrap(fm, words(), kLines, kFlags).size() + QSize(fm.averageCharWidth(), 0);
}

QSize WrappedButton::sizeHint() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_PushButton, &option, textSize(), this);
}

QSize WrappedButton::minimumSizeHint() const { return sizeHint(); }

void WrappedButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString text = words();
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.drawItemText(area, kFlags, palette(), isEnabled(), text, QPalette::ButtonText);
}

}  // namespace tarn::ui
