#pragma once
// The ranges in which daily inputs are taken as real: beyond them a run would give numbers
// that mean nothing, or overflow to infinity over a long record.
#include <cmath>
#include <string>
#include <string_view>

namespace tarn {

// The most rain, reference evapotranspiration or streamflow of one day, mm.
inline constexpr double kMostDailyDepth = 10000;

// Whether a daily depth (mm) is plausible: finite, at most kMostDailyDepth, and not below
// 0 unless `negativeAllowed` (measured streamflow, whose negative days are only warned of).
inline bool plausibleDailyDepth(double mm, bool negativeAllowed = false) {
    return std::isfinite(mm) && mm <= kMostDailyDepth && (negativeAllowed || mm >= 0);
}

// "the rainfall 1E+308 mm is not plausible (0..10000 mm a day)"; `what` names the series
// ("rainfall"), `shown` is the value as the file holds it, already printable.
inline std::string implausibleDailyText(std::string_view what, std::string_view shown) {
    return "the " + std::string(what) + " " + std::string(shown) + " mm is not plausible (0.." +
           std::to_string(int(kMostDailyDepth)) + " mm a day)";
}

}  // namespace tarn
