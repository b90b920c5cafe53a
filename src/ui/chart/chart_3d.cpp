#include "ui/chart/chart_3d.h"

#include <QMouseEvent>
#include <QtDataVisualization/QValue3DAxis>
#include <cmath>

#include "output/chart_data.h"

namespace tarn::ui {

namespace {

// The same event with the right button, which turns the camera.
QMouseEvent asRightButton(const QMouseEvent& e) {
    return QMouseEvent(e.type(), e.position(), e.scenePosition(), e.globalPosition(), Qt::RightButton,
                       e.type() == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::RightButton,
                       e.modifiers() & ~Qt::ControlModifier, e.pointingDevice());
}

}  // namespace

void Chart3DInput::mousePressEvent(QMouseEvent* event, const QPoint& mousePos) {
    if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier)) {
        rotating_ = true;
        QMouseEvent right = asRightButton(*event);
        Q3DInputHandler::mousePressEvent(&right, mousePos);
        return;
    }
    if (event->button() == Qt::LeftButton) emit selecting();
    Q3DInputHandler::mousePressEvent(event, mousePos);
}

void Chart3DInput::mouseReleaseEvent(QMouseEvent* event, const QPoint& mousePos) {
    if (rotating_ && event->button() == Qt::LeftButton) {
        rotating_ = false;
        QMouseEvent right = asRightButton(*event);
        Q3DInputHandler::mouseReleaseEvent(&right, mousePos);
        return;
    }
    Q3DInputHandler::mouseReleaseEvent(event, mousePos);
}

void Chart3DInput::mouseDoubleClickEvent(QMouseEvent* event) {
    Q3DInputHandler::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && !(event->modifiers() & Qt::ControlModifier)) emit doubleClicked();
}

void ListAxisFormatter::setLabels(QStringList labels, double offset, int maxLabels) {
    labels_ = std::move(labels);
    offset_ = offset;
    maxLabels_ = maxLabels;
    markDirty(true);
}

void ListAxisFormatter::recalculate() {
    gridPositions().clear();
    subGridPositions().clear();
    labelPositions().clear();
    labelStrings().clear();
    const double lo = axis()->min(), hi = axis()->max();
    if (!(hi > lo)) return;
    for (int i : labelRows(int(labels_.size()), maxLabels_)) {
        const double v = offset_ + i;
        if (v < lo || v > hi) continue;
        const auto at = float((v - lo) / (hi - lo));
        gridPositions().append(at);
        labelPositions().append(at);
        labelStrings().append(labels_[i]);
    }
}

QValue3DAxisFormatter* ListAxisFormatter::createNewInstance() const { return new ListAxisFormatter(); }

void ListAxisFormatter::populateCopy(QValue3DAxisFormatter& copy) const {
    QValue3DAxisFormatter::populateCopy(copy);
    if (auto* mine = qobject_cast<ListAxisFormatter*>(&copy)) {
        mine->labels_ = labels_;
        mine->offset_ = offset_;
        mine->maxLabels_ = maxLabels_;
    }
}

QString ListAxisFormatter::stringForValue(qreal value, const QString&) const {
    const double i = std::round(value - offset_);
    if (std::abs(value - offset_ - i) > 0.25 || i < 0 || i >= double(labels_.size())) return {};
    return labels_[qsizetype(i)];
}

}  // namespace tarn::ui
