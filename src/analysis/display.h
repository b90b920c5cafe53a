#pragma once
// How the analyses show numbers: digit patterns, the display scale of volumes and the
// names of the months.
#include <string>
#include <string_view>

namespace tarn {

// A number through a digit pattern such as "####", "###00", "###00.00", "###00.000", "#",
// "###" or "##0": a '#' is an optional digit, a '0' a required one; as many decimals as the
// pattern has after its point; rounded to the nearest, halves away from zero (on the
// number's 15 significant digits); no thousands separator. A value that rounds to zero
// with no required digit gives "".
std::string formatPattern(double x, std::string_view pattern);

// The scale in which volumes (thousand m3) are shown, chosen from the largest first-run
// monthly volume M (MaxMonFirst): below 10 in m3, above 1000 in tens of thousands, above
// 10000 in hundreds of thousands, else in thousands (M of exactly 10000 stays there).
enum class ScaleStep { Cubm, Thousand, TenThousand, HundredThousand };
ScaleStep scaleStepOf(double maxMonFirst);
// The divisor applied to volumes in thousand m3: 0.001, 1, 10 or 100.
double scaleDivisor(ScaleStep step);

// Unit texts of each screen for a scale step.
std::string monthlyScaleLabel(ScaleStep step);     // "cubm x 1000"
std::string annualScaleLabel(ScaleStep step);      // over the catchment volumes
std::string annualSubAreaScaleLabel(ScaleStep step);  // over the sub-area table
std::string minFlowScaleLabel(ScaleStep step);     // seven-day volumes: "cubm/day"

// Month names as the monthly table shows them: 1 "January", 2 "Feb", ..., 0 " ", and ""
// for any other number (the caller keeps its previous name then).
std::string monthName(int month);

}  // namespace tarn
