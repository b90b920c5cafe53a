#include "output/chart_data.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tarn {

double ChartData::value(int column, int row) const {
    if (column < 1 || column > columnCount()) return 0;
    const auto& values = columns[std::size_t(column - 1)];
    if (row < 0 || row >= int(values.size())) return 0;
    return values[std::size_t(row)];
}

void ChartData::normalize() {
    for (auto& values : columns) values.resize(labels.size(), 0.0);
    names.resize(columns.size());
}

std::vector<ChartPoint> linePoints(std::span<const double> values) {
    std::vector<ChartPoint> points;
    points.reserve(values.size());
    for (std::size_t r = 0; r < values.size(); ++r)
        points.push_back({double(r), values[r], int(r)});
    return points;
}

std::vector<ChartPoint> stepPoints(std::span<const double> values) {
    std::vector<ChartPoint> points;
    points.reserve(2 * values.size());
    for (std::size_t r = 0; r < values.size(); ++r) {
        points.push_back({double(r) - 0.5, values[r], int(r)});
        points.push_back({double(r) + 0.5, values[r], int(r)});
    }
    return points;
}

std::vector<ChartPoint> impulsePoints(std::span<const double> values) {
    std::vector<ChartPoint> points;
    points.reserve(3 * values.size());
    for (std::size_t r = 0; r < values.size(); ++r) {
        points.push_back({double(r), 0.0, int(r)});
        points.push_back({double(r), values[r], int(r)});
        points.push_back({double(r), 0.0, int(r)});
    }
    return points;
}

namespace {

// The part of [lo, hi] split into n equal parts that v falls into, clamped to 0..n-1.
int bucketOf(double v, double lo, double hi, int n) {
    if (!(hi > lo)) return 0;
    const double b = std::floor((v - lo) / (hi - lo) * n);
    if (!(b >= 0)) return 0;  // also NaN
    return b >= n ? n - 1 : int(b);
}

// Points that need no reduction: at most four per pixel column (or no columns to reduce to).
bool fewEnough(std::span<const ChartPoint> points, double xMin, double xMax, int pixelColumns) {
    return pixelColumns <= 0 || !(xMax > xMin) || points.size() <= 4 * std::size_t(pixelColumns);
}

// Calls f(first, lowest, highest, end) for each run points[first..end) of points ordered by x
// that fall into the same one of pixelColumns equal parts of [xMin, xMax]; lowest and highest
// are the first points of the run with its smallest and largest y.
template <class F>
void eachPixelColumn(std::span<const ChartPoint> points, double xMin, double xMax, int pixelColumns, F f) {
    const std::size_t n = points.size();
    std::size_t i = 0;
    while (i < n) {
        const int b = bucketOf(points[i].x, xMin, xMax, pixelColumns);
        std::size_t lo = i, hi = i, j = i + 1;
        for (; j < n && bucketOf(points[j].x, xMin, xMax, pixelColumns) == b; ++j) {
            if (points[j].y < points[lo].y) lo = j;
            if (points[j].y > points[hi].y) hi = j;
        }
        f(i, lo, hi, j);
        i = j;
    }
}

}  // namespace

std::vector<ChartPoint> reducePerColumn(std::span<const ChartPoint> points, double xMin,
                                        double xMax, int pixelColumns) {
    if (fewEnough(points, xMin, xMax, pixelColumns)) return {points.begin(), points.end()};
    std::vector<ChartPoint> out;
    out.reserve(4 * std::size_t(pixelColumns) + 4);
    using Index = std::size_t;
    eachPixelColumn(points, xMin, xMax, pixelColumns, [&](Index first, Index lo, Index hi, Index end) {
        Index picked[4] = {first, lo, hi, end - 1};
        std::sort(std::begin(picked), std::end(picked));
        for (std::size_t k = 0; k < 4; ++k)
            if (k == 0 || picked[k] != picked[k - 1]) out.push_back(points[picked[k]]);
    });
    return out;
}

AreaOutline areaOutline(std::span<const ChartPoint> points, double xMin, double xMax,
                        int pixelColumns) {
    AreaOutline out;
    if (points.empty()) return out;
    if (fewEnough(points, xMin, xMax, pixelColumns)) {
        out.upper.assign(points.begin(), points.end());
        out.lower = {{points.front().x, 0, points.front().row}, {points.back().x, 0, points.back().row}};
        return out;
    }
    bool below = false;
    eachPixelColumn(points, xMin, xMax, pixelColumns, [&](std::size_t, std::size_t lo, std::size_t hi, std::size_t) {
        ChartPoint top = points[hi], bottom = points[lo];
        top.y = std::max(top.y, 0.0);
        below = below || bottom.y < 0;
        bottom.y = std::min(bottom.y, 0.0);
        out.upper.push_back(top);
        out.lower.push_back(bottom);
    });
    // A series that never goes below 0 needs no more than the line y = 0 below.
    if (!below) out.lower = {out.lower.front(), out.lower.back()};
    return out;
}

std::vector<ChartPoint> reduceMarkers(std::span<const ChartPoint> points, double xMin,
                                      double xMax, int pixelColumns, double yMin, double yMax,
                                      int pixelRows) {
    if (pixelColumns <= 0 || pixelRows <= 0) return {points.begin(), points.end()};
    std::vector<ChartPoint> out;
    // seen[y bucket] holds the number of the last column run that used it, plus one.
    std::vector<std::size_t> seen(std::size_t(pixelRows), 0);
    std::size_t run = 0;
    int column = -1;
    for (const ChartPoint& p : points) {
        const int b = bucketOf(p.x, xMin, xMax, pixelColumns);
        if (b != column) {
            column = b;
            ++run;
        }
        auto& cell = seen[std::size_t(bucketOf(p.y, yMin, yMax, pixelRows))];
        if (cell == run) continue;
        cell = run;
        out.push_back(p);
    }
    return out;
}

int groupFirstRow(int rows, int maxGroups, int g) {
    const int groups = std::max(1, std::min(rows, maxGroups));
    return int(std::int64_t(g) * rows / groups);
}

int groupOfRow(int rows, int maxGroups, int row) {
    const int groups = std::max(1, std::min(rows, maxGroups));
    if (rows <= 0) return 0;
    int g = std::clamp(int(std::int64_t(row) * groups / rows), 0, groups - 1);
    while (g + 1 < groups && groupFirstRow(rows, maxGroups, g + 1) <= row) ++g;
    while (g > 0 && groupFirstRow(rows, maxGroups, g) > row) --g;
    return g;
}

std::vector<ChartPoint> groupPeaks(std::span<const double> values, int maxGroups) {
    const int rows = int(values.size());
    const int groups = std::min(rows, maxGroups);
    std::vector<ChartPoint> out;
    if (groups <= 0) return out;
    out.reserve(std::size_t(groups));
    for (int g = 0; g < groups; ++g) {
        const int first = groupFirstRow(rows, maxGroups, g);
        const int end = groupFirstRow(rows, maxGroups, g + 1);
        int peak = first;
        for (int r = first + 1; r < end; ++r)
            if (std::abs(values[std::size_t(r)]) > std::abs(values[std::size_t(peak)])) peak = r;
        out.push_back({double(g), values[std::size_t(peak)], peak});
    }
    return out;
}

std::optional<int> rowAt(double x, int rows) {
    if (rows <= 0 || !std::isfinite(x)) return std::nullopt;
    const double r = std::floor(x + 0.5);
    if (r < 0 || r >= rows) return std::nullopt;
    return int(r);
}

namespace {

// Of columns first..last, the one whose value in `row` is nearest y (the lowest on a tie).
int nearestColumn(const ChartData& data, int first, int last, int row, double y) {
    int best = first;
    for (int c = first + 1; c <= last; ++c)
        if (std::abs(data.value(c, row) - y) < std::abs(data.value(best, row) - y)) best = c;
    return best;
}

}  // namespace

std::optional<PointRef> pointAt(const ChartData& data, int columnsShown, double x, double y) {
    const int shown = std::min(columnsShown, data.columnCount());
    const auto row = rowAt(x, data.rows());
    if (shown < 1 || !row) return std::nullopt;
    return PointRef{nearestColumn(data, 1, shown, *row, y), *row};
}

std::optional<PointRef> barAt(const ChartData& data, int columnsShown, double x,
                              double groupWidth) {
    const int shown = std::min(columnsShown, data.columnCount());
    const auto row = rowAt(x, data.rows());
    if (shown < 1 || !row || !(groupWidth > 0)) return std::nullopt;
    const double half = groupWidth / 2;
    const double offset = x - *row;
    if (std::abs(offset) > half) return std::nullopt;
    const int k = std::clamp(int(std::floor((offset + half) / (groupWidth / shown))), 0, shown - 1);
    return PointRef{k + 1, *row};
}

std::optional<PointRef> combinationAt(const ChartData& data, int columnsShown, double x,
                                      double y, double groupWidth) {
    const int shown = std::min(columnsShown, data.columnCount());
    const auto row = rowAt(x, data.rows());
    if (shown < 1 || !row) return std::nullopt;
    const double top = data.value(1, *row);
    if (std::abs(x - *row) <= groupWidth / 2 && y >= std::min(0.0, top) && y <= std::max(0.0, top))
        return PointRef{1, *row};
    return PointRef{nearestColumn(data, 1, shown, *row, y), *row};
}

std::vector<int> labelRows(int rows, int slots) {
    std::vector<int> out;
    if (rows <= 0 || slots <= 0) return out;
    long long step = 1;
    for (int k = 0; (rows - 1) / step + 1 > slots; ++k)
        step = (k % 3 == 0) ? step * 2 : (k % 3 == 1) ? step / 2 * 5 : step * 2;
    for (long long r = 0; r < rows; r += step) out.push_back(int(r));
    return out;
}

}  // namespace tarn
