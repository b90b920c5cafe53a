#pragma once
// The chart types the charts offer: their place in the type list, their name and the code
// the chart control draws by. Codes 0..9 alternate 3D and 2D of bar, line, area, step and
// combination; the pie is 14 and the XY chart 16.
#include <array>
#include <optional>
#include <string_view>

namespace tarn {

namespace chart {
inline constexpr int Bar3d = 0;
inline constexpr int Bar2d = 1;
inline constexpr int Line3d = 2;
inline constexpr int Line2d = 3;
inline constexpr int Area3d = 4;
inline constexpr int Area2d = 5;
inline constexpr int Step3d = 6;
inline constexpr int Step2d = 7;
inline constexpr int Combination3d = 8;
inline constexpr int Combination2d = 9;
inline constexpr int Pie2d = 14;
inline constexpr int XY2d = 16;
}  // namespace chart

struct ChartType {
    int listIndex;
    std::string_view name;
    int code;
    bool threeD;
};

inline constexpr std::array<ChartType, 12> kChartTypes{{
    {0, "3dBar", chart::Bar3d, true},
    {1, "2dBar", chart::Bar2d, false},
    {2, "3dLine", chart::Line3d, true},
    {3, "2dLine", chart::Line2d, false},
    {4, "3dArea", chart::Area3d, true},
    {5, "2dArea", chart::Area2d, false},
    {6, "3dStep", chart::Step3d, true},
    {7, "2dStep", chart::Step2d, false},
    {8, "3dCombination", chart::Combination3d, true},
    {9, "2dCombination", chart::Combination2d, false},
    {10, "2dPie", chart::Pie2d, false},
    {11, "2dXY", chart::XY2d, false},
}};

// The type list opens on "2dLine".
inline constexpr int kDefaultChartTypeIndex = 3;

// The type at a place of the list, or of a code; none outside the table.
std::optional<ChartType> chartTypeAt(int listIndex);
std::optional<ChartType> chartTypeOfCode(int code);

// Whether a code draws in three dimensions (0, 2, 4, 6 and 8).
bool isThreeDChart(int code);

// The two-dimensional code drawn in place of a three-dimensional one where no 3D drawing
// is possible (3dBar -> 2dBar, ...); other codes stay as they are.
int flatChartCode(int code);

}  // namespace tarn
