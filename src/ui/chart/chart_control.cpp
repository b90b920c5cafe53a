#include "ui/chart/chart_control.h"

#include <QAreaSeries>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QKeyEvent>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <QScatterSeries>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QtDataVisualization/Q3DBars>
#include <QtDataVisualization/Q3DCamera>
#include <QtDataVisualization/Q3DScene>
#include <QtDataVisualization/Q3DSurface>
#include <QtDataVisualization/Q3DTheme>
#include <QtDataVisualization/QBar3DSeries>
#include <QtDataVisualization/QBarDataProxy>
#include <QtDataVisualization/QCategory3DAxis>
#include <QtDataVisualization/QSurface3DSeries>
#include <QtDataVisualization/QSurfaceDataProxy>
#include <QtDataVisualization/QValue3DAxis>
#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include "output/chart_types.h"
#include "ui/chart/chart_3d.h"
#include "ui/chart/focus_names.h"
#include "ui/qt_text.h"

namespace tarn::ui {

namespace {

// Tables longer than this draw their bars as thin impulses: every bar is a scene item.
constexpr int kMaxBarRows = 200;
// Width of a row's group of bars, in rows.
constexpr double kBarGroupWidth = 0.8;
// The pie shows at most this many slices a ring; longer tables are summed in groups.
constexpr int kMaxPieSlices = 48;
// The 3D charts draw an item per value and pick at most 256 x 256.
constexpr int kMax3DGroups = 256;

QColor seriesColor(int column) {
    static constexpr QRgb colors[] = {0x1f77b4, 0xd62728, 0x2ca02c, 0xff7f0e, 0x9467bd,
                                      0x8c564b, 0xe377c2, 0x7f7f7f, 0xbcbd22, 0x17becf};
    return QColor::fromRgb(colors[std::size_t(column - 1) % std::size(colors)]);
}

QList<QPointF> toQt(const std::vector<ChartPoint>& points) {
    QList<QPointF> list;
    list.reserve(qsizetype(points.size()));
    for (const ChartPoint& p : points) list.append(QPointF(p.x, p.y));
    return list;
}

// Whether OpenGL 2.1 (or OpenGL ES 2) can be used: the 3D renderer ends the process when it
// cannot have it.
bool openGlAvailable() {
    QOpenGLContext context;
    if (!context.create()) return false;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface)) return false;
    const QSurfaceFormat f = context.format();
    context.doneCurrent();
    if (context.isOpenGLES()) return f.majorVersion() >= 2;
    return f.majorVersion() > 2 || (f.majorVersion() == 2 && f.minorVersion() >= 1);
}

}  // namespace

struct ChartControl::Charts2D {
    QChartView* view = nullptr;
    QChart* chart = nullptr;
    QCategoryAxis* axisX = nullptr;
    QValueAxis* axisY = nullptr;
    QTimer refit;
    double builtWidth = -1;  // plot width the series were reduced for
    int drawn = chart::Line2d;
    bool groupedBars = false;  // columns drawn as QBarSeries side by side
    std::vector<int> drawnPoints;
    QScatterSeries* mark = nullptr;  // the ring around the current point
};

struct ChartControl::Charts3D {
    QStackedWidget* stack = nullptr;
    QLabel* legend = nullptr;
    bool active = false;
    Q3DBars* bars = nullptr;
    QWidget* barsBox = nullptr;
    QBar3DSeries* barSeries = nullptr;
    Q3DSurface* surface = nullptr;
    QWidget* surfaceBox = nullptr;
    ListAxisFormatter* surfaceX = nullptr;
    ListAxisFormatter* surfaceZ = nullptr;
    std::vector<std::vector<int>> rows;  // [column - 1][item]: the table row of a 3D item
    bool pickPending = false;            // a click waits for the graph to pick its item
    bool activatePending = false;        // ... and it was a double click
    std::function<void(int seriesRow, int item)> select;  // reports a picked item
};

ChartControl::ChartControl(QWidget* parent)
    : QWidget(parent), c2_(std::make_unique<Charts2D>()), c3_(std::make_unique<Charts3D>()) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    c3_->stack = new QStackedWidget(this);
    c3_->stack->setObjectName(QStringLiteral("chartPages"));
    layout->addWidget(c3_->stack, 1);
    c3_->legend = new QLabel(this);
    c3_->legend->setObjectName(QStringLiteral("legend3D"));
    c3_->legend->setAlignment(Qt::AlignCenter);
    c3_->legend->setTextFormat(Qt::RichText);
    c3_->legend->hide();
    layout->addWidget(c3_->legend);

    auto& c = *c2_;
    c.chart = new QChart();
    c.chart->setAnimationOptions(QChart::NoAnimation);
    c.chart->setMargins(QMargins(4, 4, 4, 4));
    c.chart->legend()->setAlignment(Qt::AlignBottom);
    c.axisX = new QCategoryAxis(c.chart);
    c.axisX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    c.axisY = new QValueAxis(c.chart);
    c.axisY->setLabelFormat(QStringLiteral("%g"));
    c.chart->addAxis(c.axisX, Qt::AlignBottom);
    c.chart->addAxis(c.axisY, Qt::AlignLeft);
    c.view = new QChartView(c.chart, c3_->stack);
    c.view->setObjectName(QStringLiteral("chartView2D"));
    c.view->setRenderHint(QPainter::Antialiasing);
    c.view->setRubberBand(QChartView::NoRubberBand);
    c.view->viewport()->installEventFilter(this);
    c.view->installEventFilter(this);
    c.view->setFocusPolicy(Qt::StrongFocus);
    c3_->stack->addWidget(c.view);
    setFocusProxy(c.view);
    setAccessibleName(tr("Chart"));
    setAccessibleDescription(tr("Click a point to show its value, double-click it to change it; "
                                "arrow keys move from point to point, Enter changes the point."));

    c.refit.setSingleShot(true);
    c.refit.setInterval(0);
    connect(&c.refit, &QTimer::timeout, this, [this] {
        if (!c3_->active && std::abs(c2_->chart->plotArea().width() - c2_->builtWidth) >= 1) build2D();
    });
    connect(c.chart, &QChart::plotAreaChanged, this, [this] { scheduleRefit(); });
    redraw();
}

ChartControl::~ChartControl() {
    // The child widgets would go in QWidget's destructor, after c2_ and c3_, while their
    // signals and events still reach this object: let them go first.
    disconnect(c2_->chart, nullptr, this, nullptr);
    c2_->view->viewport()->removeEventFilter(this);
    c2_->view->removeEventFilter(this);
    if (c3_->bars) c3_->bars->removeEventFilter(this);
    if (c3_->surface) c3_->surface->removeEventFilter(this);
    delete c3_->stack;
}

void ChartControl::setData(ChartData data) {
    data_ = std::move(data);
    data_.normalize();
    columns_ = data_.columnCount();
    current_ = {1, 0};
    marked_ = false;  // a new table has no point chosen yet
    redraw();
}

void ChartControl::setColumnCount(int n) {
    columns_ = std::max(0, n);
    redraw();
}

int ChartControl::columnCount() const { return columns_; }

int ChartControl::shownColumns() const { return std::min(columns_, data_.columnCount()); }

void ChartControl::setColumnLabel(int column, const QString& label) {
    if (column < 1 || column > data_.columnCount()) return;
    data_.names[std::size_t(column - 1)] = label.toStdString();
    redraw();
}

QString ChartControl::columnLabel(int column) const {
    if (column < 1 || column > data_.columnCount()) return {};
    return toQ(data_.names[std::size_t(column - 1)]);
}

void ChartControl::setChartType(int code) {
    if (!chartTypeOfCode(code) || code == type_) return;
    type_ = code;
    redraw();
}

bool ChartControl::isDrawingIn3D() const { return c3_->active; }

void ChartControl::setThreeDAllowed(bool allowed) {
    if (allowed == threeDAllowed_) return;
    threeDAllowed_ = allowed;
    redraw();
}

void ChartControl::setLegendVisible(bool visible) {
    legendVisible_ = visible;
    redraw();
}

void ChartControl::setCurrentPoint(int column, int row) {
    current_ = {column, row};
    marked_ = true;
    markCurrent();
}

double ChartControl::currentValue() const { return data_.value(current_.column, current_.row); }

void ChartControl::setCurrentValue(double value) {
    const int c = current_.column, r = current_.row;
    if (c < 1 || c > data_.columnCount() || r < 0 || r >= data_.rows()) return;
    data_.columns[std::size_t(c - 1)][std::size_t(r)] = value;
    redraw();
}

int ChartControl::drawnPointCount(int column) const {
    if (column < 1 || column > int(c2_->drawnPoints.size())) return 0;
    return c2_->drawnPoints[std::size_t(column - 1)];
}

void ChartControl::scheduleRefit() { c2_->refit.start(); }

void ChartControl::redraw() {
    const bool use3D = isThreeDChart(type_) && ensure3D();
    c3_->active = use3D;
    if (use3D) {
        build3D();
    } else {
        c3_->legend->hide();
        c3_->stack->setCurrentWidget(c2_->view);
        build2D();
    }
}

// ---- two dimensions ----

void ChartControl::build2D() {
    auto& c = *c2_;
    QChart* chart = c.chart;
    chart->removeAllSeries();
    c.mark = nullptr;
    const int rows = data_.rows();
    const int shown = shownColumns();
    const int code = flatChartCode(type_);
    c.drawn = code;
    c.groupedBars = false;
    c.drawnPoints.assign(std::size_t(std::max(shown, 0)), 0);

    const QRectF plot = chart->plotArea();
    c.builtWidth = plot.width();
    const int pixels = plot.width() >= 50 ? int(plot.width()) : std::max(600, width() - 120);
    const int pixelRows = plot.height() >= 50 ? int(plot.height()) : std::max(300, height() - 120);
    const double xMin = -0.5, xMax = std::max(rows, 1) - 0.5;

    double lo = 0, hi = 0;
    for (int col = 1; col <= shown; ++col)
        for (double v : data_.columns[std::size_t(col - 1)]) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    if (!(hi > lo)) hi = lo + 1;

    const bool pie = code == chart::Pie2d;
    // Smoothing edges only pays where a row has a pixel of its own; with several rows to a
    // pixel column it would only make the spiky shapes of long records slow to fill.
    c.view->setRenderHint(QPainter::Antialiasing, pie || rows <= pixels);
    c.axisX->setVisible(!pie);
    c.axisY->setVisible(!pie);
    chart->legend()->setVisible(legendVisible_);

    auto name = [&](int col) { return toQ(data_.names[std::size_t(col - 1)]); };
    auto values = [&](int col) { return std::span<const double>(data_.columns[std::size_t(col - 1)]); };
    auto attach = [&](QAbstractSeries* s) {
        chart->addSeries(s);
        s->attachAxis(c.axisX);
        s->attachAxis(c.axisY);
    };
    auto addLine = [&](int col, const std::vector<ChartPoint>& shape) {
        const auto points = reducePerColumn(shape, xMin, xMax, pixels);
        c.drawnPoints[std::size_t(col - 1)] = int(points.size());
        auto* s = new QLineSeries();
        s->setName(name(col));
        s->setPen(QPen(seriesColor(col), 1.5));
        s->replace(toQt(points));
        attach(s);
    };
    auto addBars = [&](int first, int last) {
        auto* bars = new QBarSeries();
        bars->setBarWidth(kBarGroupWidth);
        for (int col = first; col <= last; ++col) {
            auto* set = new QBarSet(name(col));
            set->setColor(seriesColor(col));
            set->setBorderColor(seriesColor(col).darker(130));
            QList<qreal> list(values(col).begin(), values(col).end());
            set->append(list);
            bars->append(set);
            c.drawnPoints[std::size_t(col - 1)] = rows;
        }
        attach(bars);
        c.groupedBars = true;
    };

    if (pie) {
        for (int k = 0; k < shown; ++k) {
            const int col = k + 1;
            auto* ring = new QPieSeries();
            ring->setName(name(col));
            if (shown == 1) {
                ring->setPieSize(0.8);
            } else {
                ring->setHoleSize(0.2 + 0.6 * k / shown);
                ring->setPieSize(0.2 + 0.6 * (k + 1) / shown);
            }
            const auto v = values(col);
            const int groups = std::min(rows, kMaxPieSlices);
            for (int g = 0; g < groups; ++g) {
                const int first = groupFirstRow(rows, kMaxPieSlices, g);
                const int end = groupFirstRow(rows, kMaxPieSlices, g + 1);
                double sum = 0;
                for (int r = first; r < end; ++r) sum += std::max(0.0, v[std::size_t(r)]);
                QString label = toQ(data_.labels[std::size_t(first)]);
                if (end - first > 1) label += QStringLiteral(" - ") + toQ(data_.labels[std::size_t(end - 1)]);
                QPieSlice* slice = ring->append(label, sum);
                const QColor base = seriesColor(col);
                slice->setColor(g % 2 ? base.lighter(135) : base);
                slice->setBorderColor(Qt::white);
                slice->setLabelVisible(k == shown - 1 && groups <= 16);
                connect(slice, &QPieSlice::clicked, this, [this, col, first] { report(col, first, false); });
                connect(slice, &QPieSlice::doubleClicked, this, [this, col, first] { report(col, first, true); });
            }
            c.drawnPoints[std::size_t(k)] = groups;
            chart->addSeries(ring);
            // One legend entry per ring, named after its column.
            const auto markers = chart->legend()->markers(ring);
            for (qsizetype i = 0; i < markers.size(); ++i) markers[i]->setVisible(i == 0);
            if (!markers.isEmpty()) {
                markers[0]->setLabel(name(col));
                markers[0]->setBrush(seriesColor(col));
            }
        }
        markCurrent();
        return;
    }

    c.axisY->setRange(lo, hi);
    c.axisY->applyNiceNumbers();

    // Labels on the rows that fit: the widest of a few labels sets the spacing.
    for (const QString& l : c.axisX->categoriesLabels()) c.axisX->remove(l);
    c.axisX->setStartValue(xMin);
    if (rows > 0) {
        const QFontMetrics fm(c.axisX->labelsFont());
        int widest = 1;
        for (int r : {0, rows / 2, rows - 1})
            widest = std::max(widest, fm.horizontalAdvance(toQ(data_.labels[std::size_t(r)])));
        QSet<QString> used;
        for (int r : labelRows(rows, std::max(1, pixels / (widest + 24)))) {
            QString label = toQ(data_.labels[std::size_t(r)]);
            while (used.contains(label)) label += QChar(0x200B);  // categories need unique names
            used.insert(label);
            c.axisX->append(label, r);
        }
    }
    c.axisX->setRange(xMin, xMax);

    switch (code) {
        case chart::Bar2d:
            if (rows <= kMaxBarRows && shown > 0) {
                addBars(1, shown);
            } else {
                for (int col = 1; col <= shown; ++col) addLine(col, impulsePoints(values(col)));
            }
            break;
        case chart::Combination2d:
            if (shown >= 1) {
                if (rows <= kMaxBarRows) addBars(1, 1);
                else addLine(1, impulsePoints(values(1)));
            }
            for (int col = 2; col <= shown; ++col) addLine(col, linePoints(values(col)));
            break;
        case chart::Step2d:
            for (int col = 1; col <= shown; ++col) addLine(col, stepPoints(values(col)));
            break;
        case chart::Area2d:
            for (int col = 1; col <= shown; ++col) {
                const auto outline = areaOutline(linePoints(values(col)), xMin, xMax, pixels);
                c.drawnPoints[std::size_t(col - 1)] = int(outline.upper.size() + outline.lower.size());
                auto* area = new QAreaSeries();
                auto* upper = new QLineSeries(area);
                upper->replace(toQt(outline.upper));
                auto* lower = new QLineSeries(area);
                lower->replace(toQt(outline.lower));
                area->setUpperSeries(upper);
                area->setLowerSeries(lower);
                area->setName(name(col));
                QColor fill = seriesColor(col);
                fill.setAlpha(shown > 1 ? 130 : 190);
                area->setBrush(fill);
                area->setPen(QPen(seriesColor(col).darker(120), 1));
                attach(area);
            }
            break;
        case chart::XY2d:
            for (int col = 1; col <= shown; ++col) {
                const auto points = reduceMarkers(linePoints(values(col)), xMin, xMax, std::max(1, pixels / 4),
                                                  c.axisY->min(), c.axisY->max(), std::max(1, pixelRows / 4));
                c.drawnPoints[std::size_t(col - 1)] = int(points.size());
                // Markers on a line series without a line: a scatter series makes an item
                // per marker, which a long table cannot afford.
                auto* s = new QLineSeries();
                s->setName(name(col));
                s->setPen(Qt::NoPen);
                s->setColor(seriesColor(col));
                s->setMarkerSize(7);
                QImage marker(7, 7, QImage::Format_ARGB32_Premultiplied);
                marker.fill(Qt::transparent);
                {
                    QPainter painter(&marker);
                    painter.setRenderHint(QPainter::Antialiasing);
                    painter.setBrush(seriesColor(col));
                    painter.setPen(seriesColor(col).darker(130));
                    painter.drawEllipse(QRectF(0.5, 0.5, 6, 6));
                }
                s->setLightMarker(marker);
                s->setPointsVisible(true);
                s->replace(toQt(points));
                attach(s);
            }
            break;
        default:  // 2dLine
            for (int col = 1; col <= shown; ++col) addLine(col, linePoints(values(col)));
            break;
    }
    // A series without a title (a copy drawn under another) has no legend entry.
    if (!pie)
        for (QLegendMarker* marker : chart->legend()->markers())
            if (marker->series() && marker->series()->name().isEmpty()) marker->setVisible(false);
    markCurrent();
}

std::optional<QPointF> ChartControl::valuePosition(int column, int row) const {
    const auto& c = *c2_;
    if (column < 1 || column > shownColumns() || row < 0 || row >= data_.rows() || c.drawn == chart::Pie2d)
        return std::nullopt;
    const double v = data_.value(column, row);
    if (c.groupedBars && c.drawn == chart::Bar2d)
        return QPointF(row - kBarGroupWidth / 2 + kBarGroupWidth / shownColumns() * (column - 0.5), v);
    return QPointF(row, v);
}

void ChartControl::markCurrent() {
    auto& c = *c2_;
    if (c3_->active) return;
    const int column = current_.column, row = current_.row;
    if (c.drawn == chart::Pie2d) {
        const auto series = c.chart->series();
        for (int k = 0; k < series.size(); ++k) {
            auto* ring = qobject_cast<QPieSeries*>(series[k]);
            if (!ring) continue;
            const auto slices = ring->slices();
            for (int g = 0; g < slices.size(); ++g) {
                const int first = groupFirstRow(data_.rows(), kMaxPieSlices, g);
                const int end = groupFirstRow(data_.rows(), kMaxPieSlices, g + 1);
                slices[g]->setExploded(marked_ && k + 1 == column && row >= first && row < end);
            }
        }
        return;
    }
    const auto at = marked_ ? valuePosition(column, row) : std::nullopt;
    if (!at) {
        if (c.mark) c.mark->clear();
        return;
    }
    if (!c.mark) {
        c.mark = new QScatterSeries();
        c.mark->setMarkerShape(QScatterSeries::MarkerShapeCircle);
        c.mark->setMarkerSize(13);
        c.mark->setColor(Qt::transparent);
        c.mark->setBorderColor(Qt::black);
        c.mark->setPen(QPen(Qt::black, 2));
        c.chart->addSeries(c.mark);
        c.mark->attachAxis(c.axisX);
        c.mark->attachAxis(c.axisY);
        for (QLegendMarker* m : c.chart->legend()->markers(c.mark)) m->setVisible(false);
    }
    c.mark->replace({*at});
}

bool ChartControl::event(QEvent* event) {
    if (event->type() == QEvent::Show) nameFocusViews(this);
    return QWidget::event(event);
}

bool ChartControl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        (watched == c2_->view || watched == c3_->bars || watched == c3_->surface) &&
        keyPressed(static_cast<QKeyEvent*>(event)))
        return true;
    if (watched == c2_->view->viewport() && !c3_->active &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton) pick(e->position(), event->type() == QEvent::MouseButtonDblClick);
    }
    return QWidget::eventFilter(watched, event);
}

bool ChartControl::keyPressed(QKeyEvent* e) {
    const int rows = data_.rows(), shown = shownColumns();
    if (rows == 0 || shown == 0) return false;
    int column = std::clamp(current_.column, 1, shown);
    int row = std::clamp(current_.row, 0, rows - 1);
    // In 3D the keys move from item to item, each a group of rows.
    const bool threeD = c3_->active;
    const int groups = threeD ? std::min(rows, kMax3DGroups) : rows;
    int g = threeD ? groupOfRow(rows, kMax3DGroups, row) : row;
    const int page = std::max(1, groups / 20);
    switch (e->key()) {
        case Qt::Key_Left: --g; break;
        case Qt::Key_Right: ++g; break;
        case Qt::Key_PageUp: g -= page; break;
        case Qt::Key_PageDown: g += page; break;
        case Qt::Key_Home: g = 0; break;
        case Qt::Key_End: g = groups - 1; break;
        case Qt::Key_Up: --column; break;
        case Qt::Key_Down: ++column; break;
        case Qt::Key_Space: break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            report(column, row, true);
            return true;
        default: return false;
    }
    g = std::clamp(g, 0, groups - 1);
    column = std::clamp(column, 1, shown);
    if (!threeD) {
        report(column, g, false);
        return true;
    }
    // Selecting the item makes the graph report it, with the row it stands for.
    auto& t = *c3_;
    t.activatePending = false;
    if (t.stack->currentWidget() == t.barsBox) {
        t.barSeries->setSelectedBar(QPoint(column - 1, g));
    } else if (auto* s = t.surface->seriesList().value(column - 1)) {
        const auto& map = t.rows[std::size_t(column - 1)];
        const int items = int(map.size()) / std::max(groups, 1);
        s->setSelectedPoint(QPoint(1, g * std::max(items, 1)));
    }
    return true;
}

void ChartControl::pick(const QPointF& viewportPos, bool activate) {
    auto& c = *c2_;
    if (c.drawn == chart::Pie2d) return;  // the slices report themselves
    const QPointF at = c.chart->mapFromScene(c.view->mapToScene(viewportPos.toPoint()));
    if (!c.chart->plotArea().contains(at)) return;
    const QPointF v = c.chart->mapToValue(at, c.chart->series().value(0));
    std::optional<PointRef> hit;
    const int shown = shownColumns();
    if (c.groupedBars && c.drawn == chart::Combination2d)
        hit = combinationAt(data_, shown, v.x(), v.y(), kBarGroupWidth);
    else if (c.groupedBars)
        hit = barAt(data_, shown, v.x(), kBarGroupWidth);
    else
        hit = pointAt(data_, shown, v.x(), v.y());
    if (hit) report(hit->column, hit->row, activate);
}

void ChartControl::report(int column, int row, bool activate) {
    current_ = {column, row};
    marked_ = true;
    markCurrent();
    if (activate) emit pointActivated(column, row);
    else emit pointSelected(column, row);
}

std::optional<QPoint> ChartControl::pointPosition(int column, int row) const {
    const auto& c = *c2_;
    if (c3_->active || column < 1 || column > shownColumns() || row < 0 || row >= data_.rows())
        return std::nullopt;
    QPointF at;
    if (c.drawn == chart::Pie2d) {
        const auto series = c.chart->series();
        auto* ring = qobject_cast<QPieSeries*>(series.value(column - 1));
        if (!ring) return std::nullopt;
        const QPieSlice* slice = ring->slices().value(groupOfRow(data_.rows(), kMaxPieSlices, row));
        if (!slice) return std::nullopt;
        const QRectF plot = c.chart->plotArea();
        const double radius = std::min(plot.width(), plot.height()) / 2;
        const double r = radius * (ring->holeSize() + ring->pieSize()) / 2;
        const double angle = (slice->startAngle() + slice->angleSpan() / 2) * std::numbers::pi / 180;
        at = plot.center() + QPointF(r * std::sin(angle), -r * std::cos(angle));
    } else {
        QPointF v = *valuePosition(column, row);
        if (c.groupedBars && (c.drawn == chart::Bar2d || column == 1)) v.setY(v.y() / 2);  // mid-bar
        at = c.chart->mapToPosition(v, c.chart->series().value(0));
    }
    const QPoint inView = c.view->mapFromScene(c.chart->mapToScene(at));
    return c.view->viewport()->mapTo(this, inView);
}

// ---- three dimensions ----

bool ChartControl::ensure3D() {
    if (!threeDAllowed_) return false;
    if (!openGlWorks_) openGlWorks_ = openGlAvailable();
    if (!*openGlWorks_) return false;
    auto& t = *c3_;
    if (t.bars) return true;

    auto setUp = [&](QAbstract3DGraph* graph) {
        graph->activeTheme()->setType(Q3DTheme::ThemeQt);
        graph->activeTheme()->setColorStyle(Q3DTheme::ColorStyleUniform);
        graph->activeTheme()->setLabelBackgroundEnabled(false);
        graph->setShadowQuality(QAbstract3DGraph::ShadowQualityNone);
        graph->setSelectionMode(QAbstract3DGraph::SelectionItem);
        // From the front and a little above and to the left: the rows run left to right,
        // the series one behind the other.
        graph->scene()->activeCamera()->setCameraPosition(-25.0f, 25.0f, 70.0f);
        graph->activeTheme()->setFont(QFont(font().family(), 36));
        // Wide rather than deep, whatever the number of rows and series.
        graph->setHorizontalAspectRatio(3.0);
        graph->setAspectRatio(2.5);
        auto* input = new Chart3DInput(graph);
        graph->setActiveInputHandler(input);
        // The graph picks the item under a click when it next draws. A double click
        // activates the item its press picks, once that pick is in.
        connect(input, &Chart3DInput::selecting, this, [this, graph] {
            c3_->pickPending = true;
            c3_->activatePending = false;
            graph->clearSelection();  // so that a click on the selected item reports again
        });
        connect(input, &Chart3DInput::doubleClicked, this, [this] {
            if (c3_->pickPending) c3_->activatePending = true;
            else if (current_.column >= 1 && current_.column <= shownColumns() && current_.row < data_.rows())
                report(current_.column, current_.row, true);
        });
    };
    auto select = [this](int seriesRow, int item) {
        auto& s = *c3_;
        if (seriesRow < 0 || item < 0 || seriesRow >= int(s.rows.size()) ||
            item >= int(s.rows[std::size_t(seriesRow)].size()))
            return;
        s.pickPending = false;
        const int row = s.rows[std::size_t(seriesRow)][std::size_t(item)];
        report(seriesRow + 1, row, false);
        if (s.activatePending) {
            s.activatePending = false;
            report(seriesRow + 1, row, true);
        }
    };

    t.bars = new Q3DBars();
    setUp(t.bars);
    t.bars->setBarThickness(1.0f);
    t.barSeries = new QBar3DSeries();
    t.barSeries->setMesh(QAbstract3DSeries::MeshBar);
    t.bars->addSeries(t.barSeries);
    connect(t.barSeries, &QBar3DSeries::selectedBarChanged, this,
            [select](const QPoint& p) { select(p.x(), p.y()); });
    t.bars->installEventFilter(this);
    t.barsBox = QWidget::createWindowContainer(t.bars, t.stack);
    t.barsBox->setFocusPolicy(Qt::StrongFocus);
    t.barsBox->setObjectName(QStringLiteral("chartView3DBars"));
    t.stack->addWidget(t.barsBox);

    t.surface = new Q3DSurface();
    setUp(t.surface);
    t.surfaceX = new ListAxisFormatter();
    t.surfaceZ = new ListAxisFormatter();
    t.surface->axisX()->setFormatter(t.surfaceX);
    t.surface->axisZ()->setFormatter(t.surfaceZ);
    t.surface->installEventFilter(this);
    t.surfaceBox = QWidget::createWindowContainer(t.surface, t.stack);
    t.surfaceBox->setFocusPolicy(Qt::StrongFocus);
    t.surfaceBox->setObjectName(QStringLiteral("chartView3DSurface"));
    t.stack->addWidget(t.surfaceBox);
    t.surface->setObjectName(QStringLiteral("surface3D"));
    t.bars->setObjectName(QStringLiteral("bars3D"));
    // Each surface series reports its own selection; they are connected as they are made.
    t.select = select;
    nameFocusViews(this);
    return true;
}

void ChartControl::build3D() {
    auto& t = *c3_;
    const int rows = data_.rows();
    const int shown = shownColumns();
    const int groups = std::min(rows, kMax3DGroups);
    t.rows.assign(std::size_t(shown), {});
    QStringList groupLabels;
    for (int g = 0; g < groups; ++g)
        groupLabels << toQ(data_.labels[std::size_t(groupFirstRow(rows, kMax3DGroups, g))]);
    QStringList names;
    for (int col = 1; col <= shown; ++col) names << toQ(data_.names[std::size_t(col - 1)]);

    if (type_ == chart::Bar3d || type_ == chart::Step3d) {
        auto* array = new QBarDataArray();
        array->reserve(shown);
        QList<QColor> colors;
        for (int col = 1; col <= shown; ++col) {
            const auto peaks = groupPeaks(data_.columns[std::size_t(col - 1)], kMax3DGroups);
            auto* row = new QBarDataRow(qsizetype(peaks.size()));
            auto& map = t.rows[std::size_t(col - 1)];
            for (std::size_t i = 0; i < peaks.size(); ++i) {
                (*row)[qsizetype(i)].setValue(float(peaks[i].y));
                map.push_back(peaks[i].row);
            }
            array->append(row);
            colors << seriesColor(col);
        }
        // Only some column labels: every one is drawn, and 256 would overlap.
        QStringList columnLabels(groups);
        for (int g : labelRows(groups, 6)) columnLabels[g] = groupLabels[g];
        t.barSeries->dataProxy()->resetArray(array, names, columnLabels);
        t.barSeries->setRowColors(colors);
        t.barSeries->setBaseColor(seriesColor(1));
        t.bars->setBarSpacing(type_ == chart::Step3d ? QSizeF(0.0, 0.6) : QSizeF(0.3, 0.6));
        // Bars as deep as needed for the graph to be about three times wider than deep.
        t.bars->setBarThickness(float(std::clamp(3.0 * shown / std::max(groups, 1), 0.02, 1.0)));
        t.stack->setCurrentWidget(t.barsBox);
    } else {
        for (QSurface3DSeries* s : t.surface->seriesList()) {
            t.surface->removeSeries(s);
            delete s;
        }
        for (int col = 1; col <= shown; ++col) {
            const auto peaks = groupPeaks(data_.columns[std::size_t(col - 1)], kMax3DGroups);
            const bool step = type_ == chart::Combination3d && col == 1;
            const bool block = step || type_ == chart::Area3d;
            // Rows across the depth: a thin ribbon at the value, or a block from 0 up to it.
            struct Edge {
                double dz;
                bool atValue;
            };
            static constexpr Edge ribbon[] = {{-0.3, true}, {0.3, true}};
            static constexpr Edge solid[] = {{-0.35, false}, {-0.3, true}, {0.3, true}, {0.35, false}};
            const std::span<const Edge> edges =
                block ? std::span<const Edge>(solid) : std::span<const Edge>(ribbon);
            auto& map = t.rows[std::size_t(col - 1)];
            auto* array = new QSurfaceDataArray();
            array->reserve(qsizetype(edges.size()));
            for (const Edge& e : edges) {
                auto* row = new QSurfaceDataRow();
                row->reserve(qsizetype(peaks.size() * (step ? 2 : 1)));
                for (const ChartPoint& p : peaks) {
                    const float y = e.atValue ? float(p.y) : 0.0f;
                    const float z = float(col + e.dz);
                    if (step) {
                        row->append(QSurfaceDataItem(QVector3D(float(p.x - 0.45), y, z)));
                        row->append(QSurfaceDataItem(QVector3D(float(p.x + 0.45), y, z)));
                    } else {
                        row->append(QSurfaceDataItem(QVector3D(float(p.x), y, z)));
                    }
                }
                array->append(row);
            }
            for (const ChartPoint& p : peaks) {
                map.push_back(p.row);
                if (step) map.push_back(p.row);
            }
            auto* series = new QSurface3DSeries();
            series->setName(names[col - 1]);
            series->setDrawMode(QSurface3DSeries::DrawSurface);
            series->setBaseColor(seriesColor(col));
            series->setItemLabelFormat(QStringLiteral("@yLabel"));
            series->dataProxy()->resetArray(array);
            connect(series, &QSurface3DSeries::selectedPointChanged, this,
                    [this, col](const QPoint& p) { c3_->select(col - 1, p.y()); });
            t.surface->addSeries(series);
        }
        t.surface->axisX()->setRange(-0.5f, float(std::max(groups, 1)) - 0.5f);
        t.surfaceX->setLabels(groupLabels, 0, 6);
        t.surface->axisZ()->setRange(0.0f, float(shown + 1));
        t.surfaceZ->setLabels(names, 1, std::max(shown, 1));
        t.stack->setCurrentWidget(t.surfaceBox);
    }

    QString legend;
    for (int col = 1; col <= shown; ++col)
        legend += QStringLiteral("<span style=\"color:%1\">&#9632;</span>&nbsp;%2&nbsp;&nbsp;&nbsp; ")
                      .arg(seriesColor(col).name(), names[col - 1].toHtmlEscaped());
    t.legend->setText(legend);
    t.legend->setVisible(legendVisible_ && shown > 0);
}

}  // namespace tarn::ui
