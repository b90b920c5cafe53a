#pragma once
// The data table a chart draws, and what turns it into drawable points: the shapes of the
// chart types, the reduction of long series to what a screen can show, and the lookup that
// turns a place under the mouse back into a point of the table.
//
// Rows are numbered 0..rows()-1 and are drawn at x = row; columns are numbered from 1 (column
// 0 of the table is the row labels), as the point events report them.
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tarn {

struct ChartData {
    std::vector<std::string> labels;           // column 0: the label of each row
    std::vector<std::string> names;            // names[c - 1]: the label of column c
    std::vector<std::vector<double>> columns;  // columns[c - 1][row]: the value of (c, row)

    int rows() const { return int(labels.size()); }
    int columnCount() const { return int(columns.size()); }
    // The value of (column, row); 0 outside the table.
    double value(int column, int row) const;
    // Makes every column hold rows() values (missing values 0) and gives every column a
    // name ("" where none was given).
    void normalize();
};

// A drawn point and the table row whose value it shows.
struct ChartPoint {
    double x = 0;
    double y = 0;
    int row = 0;
    friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
};

// The value of row r at (r, value).
std::vector<ChartPoint> linePoints(std::span<const double> values);
// Each value held level over its row, from r - 0.5 to r + 0.5, joined by upright edges.
std::vector<ChartPoint> stepPoints(std::span<const double> values);
// A thin bar per row: (r, 0), (r, value), (r, 0); for bar charts too long for a bar each.
std::vector<ChartPoint> impulsePoints(std::span<const double> values);

// Reduces points ordered by x to at most four per pixel column: of the points falling into
// one of `pixelColumns` equal parts of [xMin, xMax], the first, the lowest, the highest and
// the last, in their own order. Every extreme stays and every point keeps its row. Points
// that are already few enough (at most four per column) are returned as they are.
std::vector<ChartPoint> reducePerColumn(std::span<const ChartPoint> points, double xMin,
                                        double xMax, int pixelColumns);

// For areas filled between 0 and a series: the outline above and below 0. Few enough
// points (at most four per pixel column) give the series itself above and the line y = 0
// below. Longer ones give, per pixel column, the highest point (or 0 where all are
// below) above and the lowest (or 0) below: a filled column covers exactly that span, and
// the outline stays a simple shape that fills fast.
struct AreaOutline {
    std::vector<ChartPoint> upper, lower;
};
AreaOutline areaOutline(std::span<const ChartPoint> points, double xMin, double xMax,
                        int pixelColumns);

// For charts of markers: keeps the first point of each cell of a pixelColumns x pixelRows
// grid over [xMin, xMax] x [yMin, yMax], so every dot that would show stays.
std::vector<ChartPoint> reduceMarkers(std::span<const ChartPoint> points, double xMin,
                                      double xMax, int pixelColumns, double yMin, double yMax,
                                      int pixelRows);

// At most maxGroups points of a series for the 3D charts, which draw an item per value and
// can pick only so many: the rows split into equal consecutive groups, each giving its value
// of largest magnitude (the first on a tie) with that row; x is the group's number.
// Every group boundary is the same for every series of the same length.
std::vector<ChartPoint> groupPeaks(std::span<const double> values, int maxGroups);
// The first row of group g of groupPeaks over `rows` rows in maxGroups groups.
int groupFirstRow(int rows, int maxGroups, int g);
// The group of those that holds `row` (0..rows-1).
int groupOfRow(int rows, int maxGroups, int row);

struct PointRef {
    int column = 0;  // 1..
    int row = 0;     // 0..
    friend bool operator==(const PointRef&, const PointRef&) = default;
};

// The row drawn nearest to x; none when x lies more than half a row outside the table.
std::optional<int> rowAt(double x, int rows);

// The point under the mouse at (x, y) of a chart drawing columns 1..columnsShown as lines,
// areas, steps or markers: the row nearest x and the column whose value there is nearest y.
std::optional<PointRef> pointAt(const ChartData& data, int columnsShown, double x, double y);

// The same for grouped bars: each row's bars stand side by side, columns 1..columnsShown
// from left to right, together groupWidth rows wide and centred on the row. None between
// the groups.
std::optional<PointRef> barAt(const ChartData& data, int columnsShown, double x,
                              double groupWidth);

// The same for the combination chart: column 1 as bars groupWidth wide, the others as lines.
// A place within the bar (between 0 and its value) picks the bar, any other place the
// nearest value of the row.
std::optional<PointRef> combinationAt(const ChartData& data, int columnsShown, double x,
                                      double y, double groupWidth);

// Rows to label on an axis of `rows` rows with room for `slots` labels: every step-th row
// from row 0, the step the smallest of 1, 2, 5, 10, 20, 50, ... that fits.
std::vector<int> labelRows(int rows, int slots);

}  // namespace tarn
