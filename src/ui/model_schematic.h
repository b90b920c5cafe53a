#pragma once
// The welcome screen's picture of the model: the stores of a sub-area and the fluxes
// between them, with their names. Drawn as vector art on a fixed drawing of 1000 x 600
// units scaled to the widget, so it stays sharp at any size and on high-resolution screens.
#include <QWidget>

namespace tarn::ui {

class ModelSchematic : public QWidget {
    Q_OBJECT
public:
    explicit ModelSchematic(QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

    // The labels the picture carries, in reading order.
    static QStringList labels();

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tarn::ui
