#pragma once
// The calibrated workbook: a copy of the input workbook whose parameter cells hold a
// calibrated set, every other cell as it was.
#include <filesystem>
#include <vector>

#include "calibration/parameters.h"
#include "workbook/workbook.h"

namespace tarn {

// Copies `input` to `target` (atomically) with the cells of `columns` (SubPara columns
// TAW..B0: rows 7..14 of the catchment's sub-area columns F..O; BFI: F17; K: F18) set to
// the values of `set`. Throws InputError when `target` is the input or cannot be written.
Workbook::SaveResult saveCalibratedWorkbook(const std::filesystem::path& input, const std::filesystem::path& target,
                                            const CatchmentSet& set, const std::vector<Param>& columns);

}  // namespace tarn
