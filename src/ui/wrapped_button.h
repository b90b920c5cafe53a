#pragma once
// A push button whose caption was laid out with blanks to break over two lines
// ("        Minimum flows for a                    selected period"): it keeps that caption
// as its text, and shows its words wrapped over two lines, centred, the blanks between
// them collapsed.
#include <QPushButton>

namespace tarn::ui {

class WrappedButton : public QPushButton {
public:
    explicit WrappedButton(QWidget* parent = nullptr);

    // The caption's words, as drawn (wrapped).
    QString words() const { return text().simplified(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSize textSize() const;
};

}  // namespace tarn::ui
