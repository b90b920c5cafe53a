#pragma once
// The small project held by every workbook in tests/data, as tests/data/make_fixtures.py
// writes it (with openpyxl, then LibreOffice).
#include <array>
#include <string>

namespace tarn::fixture {

inline const char* const kProjectName = "Test catchment, Somewhere";
inline const char* const kOperator = "A. Hydrologist";
inline constexpr int kDays = 10;
inline const std::array<const char*, kDays> kDates = {
    "2001-03-27", "2001-03-28", "2001-03-29", "2001-03-30", "2001-03-31",
    "2001-04-01", "2001-04-02", "2001-04-03", "2001-04-04", "2001-04-05"};
inline constexpr std::array<double, kDays> kRain = {0, 3.5, 12.25, 0, 0.4, 7, 0, 0, 1.1, 22.75};
inline constexpr std::array<double, kDays> kEtref = {1.2, 1.4, 0.9, 2.05, 2.5, 1.75, 3, 2.2, 1.6, 0.8};
inline constexpr std::array<double, kDays> kFlow = {0.51, 0.5, 0.72, 0.9, 0.8, 0.77, 0.7, 0.66, 0.63, 1.5};
inline constexpr std::array<double, 12> kMonthlyEtref = {0.4, 0.7, 1.3, 2.1, 2.9, 3.4,
                                                         3.6, 3.0, 2.0, 1.1, 0.6, 0.35};
inline const std::array<const char*, 12> kMonthLabels = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
// share, rain factor, TAW, RAW, top, IF, Kc, St0, Sw0, B0 of sub-areas 1..3 (F..H)
inline const std::array<std::array<const char*, 10>, 3> kSubAreaTexts = {{
    {"50", "100", "150", "75", "20", "0.1", "1", "10", "120", "5"},
    {"30", "105", "220", "110", "25", "0.25", "1.1", "12", "180", "5"},
    {"20", "95", "100", "50", "15", "0.05", "0.9", "8", "90", "5"},
}};
inline constexpr double kSoil[3][5] = {{60, 100, 150, 180, 200}, {30, 50, 75, 90, 100}, {10, 15, 20, 25, 30}};
inline constexpr double kVege[2][5] = {{0.25, 0.2, 0.15, 0.1, 0.08}, {1.1, 1.05, 1.0, 0.9, 0.85}};

}  // namespace tarn::fixture
