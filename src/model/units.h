#pragma once
// Unit conversions of the project tables, written once.

namespace tarn {

// 1 mm of water over 1 ha is 10 000 litres.
inline constexpr double kLitresPerHaMm = 10000;
// Daily volumes are in litres; monthly and annual volumes in thousand m3.
inline constexpr double kLitresPerThousandM3 = 1000000;
// ha x mm / 100 is thousand m3.
inline constexpr double kHaMmPerThousandM3 = 100;
// A seven-day sum of litres divided by this is the mean volume in m3 a day; a seven-day sum
// of mm divided by kDaysPerWeek is the mean depth in mm a day.
inline constexpr double kDaysPerWeek = 7;
inline constexpr double kSevenDayVolumeDivisor = 7000;
// Shares and rainfall factors are percent.
inline constexpr double kPercent = 100;

}  // namespace tarn
