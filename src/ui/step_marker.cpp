#include "ui/step_marker.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace tarn::ui {

StepMarker::StepMarker(QWidget* parent) : QLabel(parent) {
    setAccessibleName("Next step");
    QSizePolicy policy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    policy.setRetainSizeWhenHidden(true);
    setSizePolicy(policy);
}

QSize StepMarker::sizeHint() const {
    const int h = fontMetrics().height();
    return {2 * h, h};
}

void StepMarker::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    const double h = std::min(r.height(), r.width() / 2);
    const double y = r.center().y();
    const double shaft = h * 0.18;
    // A right-pointing arrow: a shaft and a head as wide as the marker is high.
    QPainterPath arrow;
    arrow.moveTo(r.right(), y);
    arrow.lineTo(r.right() - h * 0.8, y - h / 2);
    arrow.lineTo(r.right() - h * 0.8, y - shaft);
    arrow.lineTo(r.left(), y - shaft);
    arrow.lineTo(r.left(), y + shaft);
    arrow.lineTo(r.right() - h * 0.8, y + shaft);
    arrow.lineTo(r.right() - h * 0.8, y + h / 2);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Highlight));
    p.drawPath(arrow);
}

}  // namespace tarn::ui
