#pragma once
// What the catchment and rainfall steps do to the project when the user captures their
// boxes: the rules, the state they change and the status text that results.
#include <array>
#include <string>

#include "model/project.h"

namespace tarn {

using SubAreaBoxes = std::array<std::string, 10>;  // one text per sub-area, 1..10

// The share boxes as the catchment step opens them: the file's share of each sub-area,
// "0" where the file has none.
SubAreaBoxes catchmentBoxes(const Project& project);

struct CaptureResult {
    bool ok = false;
    std::string status;  // the status line's text
};

// Capture of the catchment step's Next: the total area (stored when it is a number) and
// each box that holds a number, as a whole-percent share (ties to even), an area in ha and
// parameter 0 of SubPara. Refused with "No blanks in total area entry please !" for an
// empty total and "Sum of sub areas NE to Total area !" when the shares do not add up to
// 100; what was captured before the refusal stays.
CaptureResult captureCatchment(Project& project, const std::string& totalArea, const SubAreaBoxes& shares);

// The factor boxes as the rainfall step opens them: the file's factor of each sub-area,
// "0" where the file has no share for it.
SubAreaBoxes rainFactorBoxes(const Project& project);

// Capture of the rainfall step's factors: every box that holds a number becomes the
// sub-area's factor (a whole percent, ties to even) and is added to SumScale; with
// `storeInParameters` (Next) also parameter 1 of SubPara.
void captureRainFactors(Project& project, const SubAreaBoxes& factors, bool storeInParameters);

}  // namespace tarn
