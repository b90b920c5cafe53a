#pragma once
// Captions that wrap, as narrow as their number of lines allows (column captions, and the
// words of WrappedButton). A grid gives a word-wrapped label no more height than one line
// when the window is narrow, so such a caption reserves room for itself.
#include <QFontMetrics>
#include <QLabel>
#include <QRect>
#include <algorithm>

namespace tarn::ui {

// The text laid out (with `flags`, which include Qt::TextWordWrap) at the narrowest width at
// which it takes at most `lines` lines.
inline QRect narrowestWrap(const QFontMetrics& fm, const QString& text, int lines, int flags = Qt::TextWordWrap) {
    const int full = fm.horizontalAdvance(text);
    const int step = std::max(1, fm.averageCharWidth() / 2);
    int width = full / lines;
    QRect wrapped = fm.boundingRect(QRect(0, 0, width, 100000), flags, text);
    while (width < full && wrapped.height() > lines * fm.lineSpacing()) {
        width += step;
        wrapped = fm.boundingRect(QRect(0, 0, width, 100000), flags, text);
    }
    return wrapped;
}

// The narrowest width at which the label's caption wraps into at most `lines` lines, and
// the height of those lines, as the label's minimum size.
inline void reserveWrappedLines(QLabel* label, int lines) {
    const QFontMetrics fm = label->fontMetrics();
    const QRect wrapped = narrowestWrap(fm, label->text(), lines);
    // A character's slack: the label lays its text out a little differently from the metrics.
    const QMargins m = label->contentsMargins();
    label->setMinimumSize(wrapped.width() + fm.averageCharWidth() + m.left() + m.right(),
                          wrapped.height() + m.top() + m.bottom());
}

}  // namespace tarn::ui
