#include "ui/model_schematic.h"

#include <QFontInfo>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>

namespace tarn::ui {

namespace {

constexpr double kWidth = 1000;
constexpr double kHeight = 600;
constexpr double kLabelPx = 18;  // label text height in drawing units

const QColor kInk(40, 40, 40);
const QColor kWater(40, 110, 200);
const QColor kVapour(200, 90, 40);

// An arrow from `from` to `to` with a filled head.
void arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour, double width = 4) {
    const QLineF line(from, to);
    const double head = 16;
    const double angle = qDegreesToRadians(line.angle());
    const QPointF back = to - QPointF(std::cos(angle) * head, -std::sin(angle) * head);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(from, back);
    const QPointF normal(-std::sin(angle) * head * 0.55, -std::cos(angle) * head * 0.55);
    QPainterPath tip;
    tip.moveTo(to);
    tip.lineTo(back + normal);
    tip.lineTo(back - normal);
    tip.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(tip);
}

// A label whose baseline starts at `at`; align right ends it there instead.
void label(QPainter& p, QPointF at, const QString& text, bool right = false, bool bold = false) {
    QFont f = p.font();
    f.setPixelSize(int(kLabelPx));
    f.setBold(bold);
    p.setFont(f);
    p.setPen(kInk);
    if (right) at.rx() -= QFontMetricsF(f).horizontalAdvance(text);
    p.drawText(at, text);
}

void cloud(QPainter& p, QPointF c) {
    QPainterPath path;
    path.addEllipse(c + QPointF(-55, 0), 45, 30);
    path.addEllipse(c + QPointF(0, -20), 50, 38);
    path.addEllipse(c + QPointF(55, 0), 45, 30);
    path.addRoundedRect(QRectF(c.x() - 90, c.y() - 5, 180, 35), 17, 17);
    path.setFillRule(Qt::WindingFill);
    path = path.simplified();
    p.setPen(QPen(QColor(120, 130, 145), 2));
    p.setBrush(QColor(235, 238, 243));
    p.drawPath(path);
}

void tree(QPainter& p, QPointF base) {
    p.setPen(QPen(QColor(90, 60, 30), 1));
    p.setBrush(QColor(120, 80, 40));
    p.drawRect(QRectF(base.x() - 10, base.y() - 60, 20, 60));
    p.setPen(QPen(QColor(30, 90, 30), 2));
    p.setBrush(QColor(70, 150, 70));
    p.drawEllipse(QPointF(base.x(), base.y() - 85), 90, 42);
}

void grass(QPainter& p, double x, double ground) {
    p.setPen(QPen(QColor(60, 140, 60), 3, Qt::SolidLine, Qt::RoundCap));
    for (int i = -2; i <= 2; ++i) p.drawLine(QPointF(x + i * 6, ground), QPointF(x + i * 9, ground - 18 - (i % 2) * 6));
}

}  // namespace

ModelSchematic::ModelSchematic(QWidget* parent) : QWidget(parent) {
    setAccessibleName("Model stores and fluxes");
    setAccessibleDescription(labels().join("; "));
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QStringList ModelSchematic::labels() {
    return {"Precipitation [P]",
            "Interception [Ei]",
            "Evaporation [ET]",
            "Input as a factor vegetation depend on the vegetation type and condition (age):",
            "Toplayer store[St]",
            "Drainage",
            "Whole profile store",
            "Drainage surplus [Fi]",
            "Quickflow [QF]",
            "Baseflow [BF]"};
}

QSize ModelSchematic::sizeHint() const {
    // Labels about as high as the text of the screen around it.
    const double scale = QFontInfo(font()).pixelSize() / 16.0;
    return {int(kWidth * scale), int(kHeight * scale)};
}

QSize ModelSchematic::minimumSizeHint() const {
    const double scale = QFontInfo(font()).pixelSize() / 20.0;
    return {int(kWidth * scale), int(kHeight * scale)};
}

int ModelSchematic::heightForWidth(int width) const { return int(width * kHeight / kWidth); }

void ModelSchematic::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // The drawing keeps its proportions and sits in the middle of the widget.
    const double scale = std::min(width() / kWidth, height() / kHeight);
    p.translate((width() - kWidth * scale) / 2, (height() - kHeight * scale) / 2);
    p.scale(scale, scale);

    const double ground = 290;
    // The stream's channel: its banks run from the ground down to its bed.
    const QPointF bankTop(800, ground), bankFoot(850, 585), farFoot(950, 585), farTop(995, ground);
    const double waterLevel = 430;
    auto bankX = [&](double y) { return bankTop.x() + (bankFoot.x() - bankTop.x()) * (y - ground) / (bankFoot.y() - ground); };
    auto farX = [&](double y) { return farTop.x() + (farFoot.x() - farTop.x()) * (y - ground) / (farFoot.y() - ground); };

    // Sky and soil.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(232, 243, 252));
    p.drawRoundedRect(QRectF(0, 0, kWidth, kHeight), 12, 12);
    p.setBrush(QColor(222, 200, 160));
    p.drawPolygon(QPolygonF({QPointF(0, ground), bankTop, bankFoot, farFoot, farTop, QPointF(kWidth, ground),
                             QPointF(kWidth, kHeight), QPointF(0, kHeight)}));
    p.setBrush(QColor(140, 185, 235));
    p.drawPolygon(QPolygonF({QPointF(bankX(waterLevel), waterLevel), bankFoot, farFoot, QPointF(farX(waterLevel), waterLevel)}));
    p.setPen(QPen(QColor(120, 90, 50), 2));
    p.drawPolyline(QPolygonF({bankTop, bankFoot, farFoot, farTop}));
    label(p, {860, waterLevel - 14}, "Stream", false, true);

    // Precipitation onto the vegetation.
    cloud(p, {150, 70});
    for (int i = 0; i < 4; ++i) arrow(p, {95.0 + i * 36, 112}, {85.0 + i * 36, 150}, kWater, 3);
    label(p, {265, 80}, "Precipitation [P]");

    tree(p, {150, ground});
    for (double x : {330.0, 420.0, 520.0, 640.0}) grass(p, x, ground);

    // Interception from the canopy and evaporation from plants and soil.
    arrow(p, {225, 185}, {300, 125}, kVapour);
    label(p, {310, 130}, "Interception [Ei]");
    arrow(p, {470, ground - 10}, {470, 170}, kVapour);
    label(p, {485, 190}, "Evaporation [ET]");

    // What the vegetation puts in: its two factors.
    const QRectF note(640, 20, 340, 150);
    p.setPen(QPen(QColor(170, 150, 80), 2));
    p.setBrush(QColor(255, 250, 220));
    p.drawRoundedRect(note, 8, 8);
    QFont f = p.font();
    f.setPixelSize(int(kLabelPx));
    f.setBold(false);
    p.setFont(f);
    p.setPen(kInk);
    const QRectF noteText = note.adjusted(14, 10, -14, -10);
    const QString heading = "Input as a factor vegetation depend on the vegetation type and condition (age):";
    QRectF used;
    p.drawText(noteText, Qt::TextWordWrap, heading, &used);
    p.drawText(QRectF(noteText.left() + 10, used.bottom() + 8, noteText.width() - 10, 60), Qt::TextWordWrap,
               QString::fromUtf8("\u2022 interception fraction (Ei)\n\u2022 crop coefficient (ET)"));

    // The soil: the whole profile, whose top layer is the toplayer store.
    const QRectF profile(30, ground + 6, 590, 150);
    p.setPen(QPen(QColor(120, 90, 50), 2));
    p.setBrush(QColor(190, 150, 100));
    p.drawRect(profile);
    p.setBrush(QColor(160, 120, 75));
    p.drawRect(QRectF(profile.left(), profile.top(), profile.width(), 55));
    label(p, {profile.left() + 16, profile.top() + 35}, "Toplayer store[St]", false, true);
    label(p, {profile.left() + 16, profile.bottom() - 22}, "Whole profile store", false, true);
    arrow(p, {300, ground - 30}, {300, profile.top() + 40}, kWater, 3);
    arrow(p, {400, profile.top() + 50}, {400, profile.top() + 110}, kWater);
    label(p, {412, profile.top() + 88}, "Drainage");

    // The drainage surplus splits into quickflow and the baseflow store.
    const QPointF split(500, profile.bottom() + 48);
    arrow(p, {split.x(), profile.bottom()}, split, kWater);
    label(p, {split.x() - 12, profile.bottom() + 32}, "Drainage surplus [Fi]", true);
    const QRectF store(380, 530, 240, 56);
    arrow(p, split, {split.x(), store.top()}, kWater);
    p.setPen(QPen(QColor(60, 90, 130), 2));
    p.setBrush(QColor(170, 200, 230));
    p.drawRoundedRect(store, 8, 8);
    label(p, {store.left() + 16, store.center().y() + 6}, "Baseflow store [B]", false, true);

    // Both reach the stream.
    arrow(p, split, {bankX(split.y()), split.y()}, kWater);
    label(p, {640, split.y() - 10}, "Quickflow [QF]");
    arrow(p, {store.right(), store.center().y()}, {bankX(store.center().y()), store.center().y()}, kWater);
    label(p, {640, store.center().y() - 10}, "Baseflow [BF]");
}

}  // namespace tarn::ui
