#pragma once
// tarnflow compare --sets: every behavioural set applied to the base and to each scenario,
// and the spread of each scenario's change against the base over the sets.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "compare.h"
#include "set_options.h"

namespace tarn {

// The changes of one scenario against the base: the best set's and the 5-95 % range.
// Depths in mm per year, flows in mm/day, volumes in thousand m3 per year.
struct ScenarioChange {
    Spread actualEt, streamflow, lowFlow, q95;
    std::array<Spread, kSubAreas + 1> subAreaVolume{};  // [1..10]
};

struct SetComparison {
    BehaviouralSets sets;
    std::vector<ScenarioFigures> best;     // each workbook with the best set, base first
    std::vector<ScenarioChange> changes;   // against the base, base first (no change)
};

// Reads the workbooks (same period), applies every behavioural set to each on up to
// `threads` threads and gathers the changes. Throws InputError naming the workbook, the
// set file's line or the option.
SetComparison compareWithSets(const std::vector<std::filesystem::path>& workbooks, const RunJobOptions& options,
                              const SetOptions& sets, unsigned threads);

// The table: each scenario's changes as "-64.2 mm (-71.0 to -52.3)", for the catchment and
// per sub-area.
std::string compareSetsText(const SetComparison& c);

// compareCsv of the best set's rows with the 5, 50 and 95 % of each change after them.
std::string compareSetsCsv(const SetComparison& c);

}  // namespace tarn
