// The chart-type table, the shapes and reduction of long series, and the lookup of the
// point under the mouse.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "output/chart_data.h"
#include "output/chart_types.h"

namespace tarn {
namespace {

TEST(ChartTypes, ListIndexNameCodeAndDimension) {
    const char* names[] = {"3dBar", "2dBar", "3dLine", "2dLine", "3dArea", "2dArea",
                           "3dStep", "2dStep", "3dCombination", "2dCombination", "2dPie", "2dXY"};
    const int codes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 14, 16};
    ASSERT_EQ(kChartTypes.size(), 12u);
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        const auto t = chartTypeAt(i);
        ASSERT_TRUE(t);
        EXPECT_EQ(t->listIndex, i);
        EXPECT_EQ(t->name, names[i]);
        EXPECT_EQ(t->code, codes[i]);
        EXPECT_EQ(t->threeD, std::string_view(names[i]).starts_with("3d"));
        EXPECT_EQ(isThreeDChart(codes[i]), t->threeD);
        EXPECT_EQ(chartTypeOfCode(codes[i])->listIndex, i);
        EXPECT_EQ(flatChartCode(codes[i]), t->threeD ? codes[i] + 1 : codes[i]);
        EXPECT_FALSE(isThreeDChart(flatChartCode(codes[i])));
    }
    EXPECT_EQ(chartTypeAt(kDefaultChartTypeIndex)->name, "2dLine");
    EXPECT_FALSE(chartTypeAt(12));
    EXPECT_FALSE(chartTypeAt(-1));
    EXPECT_FALSE(chartTypeOfCode(10));  // the pie is 14, not 10
    EXPECT_FALSE(isThreeDChart(10));
}

TEST(ChartShapes, StepsHoldEachValueOverItsRowAndImpulsesRiseFromZero) {
    const std::vector<double> v{1, 3};
    EXPECT_EQ(stepPoints(v), (std::vector<ChartPoint>{{-0.5, 1, 0}, {0.5, 1, 0}, {0.5, 3, 1}, {1.5, 3, 1}}));
    EXPECT_EQ(impulsePoints(v),
              (std::vector<ChartPoint>{{0, 0, 0}, {0, 1, 0}, {0, 0, 0}, {1, 0, 1}, {1, 3, 1}, {1, 0, 1}}));
    EXPECT_EQ(linePoints(v), (std::vector<ChartPoint>{{0, 1, 0}, {1, 3, 1}}));
    EXPECT_TRUE(stepPoints({}).empty());
}

TEST(ChartReduction, KeepsFirstLowestHighestAndLastOfEachPixelColumnInOrder) {
    // Two pixel columns over x 0..12: rows 0..5 and 6..11.
    const std::vector<double> v{5, 9, 1, 4, 4, 6, 2, 2, 8, 0, 3, 7};
    const auto reduced = reducePerColumn(linePoints(v), 0, 12, 2);
    std::vector<int> rows;
    for (const auto& p : reduced) rows.push_back(p.row);
    EXPECT_EQ(rows, (std::vector<int>{0, 1, 2, 5, 6, 8, 9, 11}));

    // A column whose first point is also its lowest gives it once.
    const std::vector<double> w{0, 5, 5, 5, 5, 5, 5, 5, 5, 9};
    const auto one = reducePerColumn(linePoints(w), 0, 10, 1);
    EXPECT_EQ(one.size(), 2u);  // first = lowest (row 0), highest = last (row 9)

    // Few enough points come back unchanged.
    EXPECT_EQ(reducePerColumn(linePoints(v), 0, 12, 3).size(), v.size());
    EXPECT_EQ(reducePerColumn(linePoints(v), 0, 0, 1).size(), v.size());
}

TEST(ChartReduction, LongSeriesHideNoExtremeAndEveryPointKeepsItsRow) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> dist(-50, 150);
    std::vector<double> v(40000);
    for (auto& x : v) x = dist(rng);
    v[12345] = 1000;  // one spike
    v[30001] = -999;
    for (const bool step : {false, true}) {
        SCOPED_TRACE(step);
        const auto points = step ? stepPoints(v) : linePoints(v);
        const int columns = 700;
        const auto reduced = reducePerColumn(points, -0.5, 39999.5, columns);
        EXPECT_LE(reduced.size(), 4u * columns);
        EXPECT_TRUE(std::is_sorted(reduced.begin(), reduced.end(),
                                   [](const auto& a, const auto& b) { return a.x < b.x; }));
        for (const auto& p : reduced) ASSERT_EQ(p.y, v[std::size_t(p.row)]);
        auto has = [&](int row) {
            return std::any_of(reduced.begin(), reduced.end(), [&](const auto& p) { return p.row == row; });
        };
        EXPECT_TRUE(has(12345));
        EXPECT_TRUE(has(30001));
        EXPECT_TRUE(has(0));
        EXPECT_TRUE(has(39999));
    }
}

TEST(ChartReduction, MarkersKeepOneDotPerPixelCell) {
    // Ten rows into one pixel column and two pixel rows: one dot below the middle, one above.
    const std::vector<double> v{1, 2, 9, 1, 8, 3, 7, 2, 9, 1};
    const auto reduced = reduceMarkers(linePoints(v), -0.5, 9.5, 1, 0, 10, 2);
    ASSERT_EQ(reduced.size(), 2u);
    EXPECT_EQ(reduced[0].row, 0);
    EXPECT_EQ(reduced[1].row, 2);
    // Ten pixel columns: every row is its own column.
    EXPECT_EQ(reduceMarkers(linePoints(v), -0.5, 9.5, 10, 0, 10, 2).size(), v.size());
}

TEST(ChartReduction, GroupsForThreeDimensionalChartsKeepTheirPeakRows) {
    const std::vector<double> v{1, -7, 3, 2, 2, 5, 0, 0, 4, -4};
    const auto g = groupPeaks(v, 3);  // rows 0..2, 3..5, 6..9
    EXPECT_EQ(g, (std::vector<ChartPoint>{{0, -7, 1}, {1, 5, 5}, {2, 4, 8}}));
    EXPECT_EQ(groupFirstRow(10, 3, 1), 3);
    EXPECT_EQ(groupFirstRow(10, 3, 2), 6);
    // Every row lies in the group groupOfRow names.
    for (const auto [rows, groups] : {std::pair{10, 3}, std::pair{40000, 256}, std::pair{300, 48}, std::pair{5, 256}})
        for (int r = 0; r < rows; ++r) {
            const int k = groupOfRow(rows, groups, r);
            ASSERT_LE(groupFirstRow(rows, groups, k), r) << rows << " rows, row " << r;
            ASSERT_GT(k + 1 < std::min(rows, groups) ? groupFirstRow(rows, groups, k + 1) : rows, r);
        }
    EXPECT_EQ(groupPeaks(v, 256).size(), v.size());
    EXPECT_EQ(groupPeaks(std::vector<double>(40000, 1.0), 256).size(), 256u);
    EXPECT_TRUE(groupPeaks({}, 256).empty());
}

TEST(ChartLookup, RowUnderTheMouse) {
    struct Case {
        double x;
        int rows;
        std::optional<int> row;
    } cases[] = {{-0.6, 5, {}},  {-0.5, 5, 0}, {0.49, 5, 0}, {0.5, 5, 1},   {4.49, 5, 4},
                 {4.5, 5, {}},   {2.0, 0, {}}, {NAN, 5, {}}, {1e300, 5, {}}, {39999.2, 40000, 39999}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(rowAt(c.x, c.rows), c.row);
    }
}

TEST(ChartLookup, PointOfLinesBarsAndCombinations) {
    ChartData d;
    d.labels = {"a", "b", "c"};
    d.columns = {{1, 5, 2}, {4, 0, 3}};
    d.normalize();
    struct Case {
        const char* what;
        std::optional<PointRef> got;
        std::optional<PointRef> want;
    } cases[] = {
        {"line near column 1", pointAt(d, 2, 1.2, 4.0), PointRef{1, 1}},
        {"line near column 2", pointAt(d, 2, 0.9, 0.5), PointRef{2, 1}},
        {"only column 1 shown", pointAt(d, 1, 0.9, 0.5), PointRef{1, 1}},
        {"more shown than held", pointAt(d, 9, 2.1, 2.9), PointRef{2, 2}},
        {"outside the rows", pointAt(d, 2, 3.6, 0), std::nullopt},
        {"nothing shown", pointAt(d, 0, 1, 1), std::nullopt},
        {"left bar", barAt(d, 2, 1.8, 0.5), PointRef{1, 2}},
        {"right bar", barAt(d, 2, 2.1, 0.5), PointRef{2, 2}},
        {"between groups", barAt(d, 2, 2.3, 0.5), std::nullopt},
        {"single column fills the group", barAt(d, 1, 0.2, 0.5), PointRef{1, 0}},
        {"inside the bar", combinationAt(d, 2, 1.1, 0.2, 0.5), PointRef{1, 1}},
        {"above a bar, near the line", combinationAt(d, 2, 0.1, 3.5, 0.5), PointRef{2, 0}},
        {"beside the bar, nearest value", combinationAt(d, 2, 1.4, 0.2, 0.5), PointRef{2, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.got, c.want);
    }
    EXPECT_EQ(d.value(3, 0), 0);
    EXPECT_EQ(d.value(1, 3), 0);
    EXPECT_EQ(d.names.size(), 2u);
}

TEST(ChartLookup, AxisLabelsTakeAFittingStep) {
    EXPECT_EQ(labelRows(10, 10), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(labelRows(11, 10), (std::vector<int>{0, 2, 4, 6, 8, 10}));
    EXPECT_EQ(labelRows(40000, 10).size(), 8u);  // every 5000th
    EXPECT_EQ(labelRows(40000, 10)[1], 5000);
    EXPECT_EQ(labelRows(3653, 8)[1], 500);
    EXPECT_TRUE(labelRows(0, 5).empty());
    EXPECT_TRUE(labelRows(5, 0).empty());
}

}  // namespace
}  // namespace tarn
