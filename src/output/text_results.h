#pragma once
// The comma-separated text file of results: the daily series of the run, the monthly,
// annual and sub-area annual totals and the seven-day minima, in a fixed line layout.
#include <filesystem>
#include <string>

#include "model/project.h"
#include "model/run_model.h"

namespace tarn {

// The whole file: lines end in CR LF; strings stand in double quotes (a quote inside is
// doubled); numbers are plain decimals with a point, the shortest text that reads back as
// the same number (in single precision for the Single tables).
std::string textResults(const Project& project, const ProgressFn& progress = {});

// Writes textResults to `target` atomically; throws InputError saying why it could not.
void writeTextResults(const Project& project, const std::filesystem::path& target,
                      const ProgressFn& progress = {});

}  // namespace tarn
