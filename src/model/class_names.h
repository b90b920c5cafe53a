#pragma once
// The names of the five soil and the five vegetation classes, in class order 1..5: the
// columns P..T and V..Z of the workbook's class tables (SoilData, VegeData).
#include <array>

namespace tarn {

inline constexpr std::array<const char*, 5> kSoilClassNames{"Sand", "Sandy loam", "Silt loam", "Clay loam", "Clay"};
inline constexpr std::array<const char*, 5> kVegetationClassNames{"Forest old", "Forest young", "Scrub",
                                                                   "Tussock grassland", "Pasture"};

}  // namespace tarn
