#pragma once
// A warning of the rainfall step: a sub-area of the catchment whose rainfall factor is
// empty or 0 gets no rain at all (sub-area rainfall = catchment rainfall x factor / 100).
#include <string>

#include "input/step_result.h"
#include "model/project.h"

namespace tarn {

// Names the sub-areas with an area above 0 (SubArea) whose factor (RainFactor) is empty or
// 0: "A2 gets no rain: its rainfall factor is empty or 0", or "A2 and A5 get no rain: their
// rainfall factors are empty or 0". Empty when every sub-area of the catchment has rain.
std::string noRainWarning(const Project& project);

// The same for the factors the rainfall step's boxes would capture: a box's whole number, or
// the sub-area's factor where the box holds none (a capture keeps it).
std::string noRainWarning(const Project& project, const SubAreaBoxes& factors);

}  // namespace tarn
