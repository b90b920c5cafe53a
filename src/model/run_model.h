#pragma once
// The daily water balance of the ten sub-areas, their area-weighted catchment series and
// daily volumes, and the run totals, as one model run on the project state.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/project.h"
#include "model/variant.h"

namespace tarn {

// Reads cells of the input workbook's first worksheet by address ("AY25"). The testing-only
// mode of a run reads its reference values through it.
class CellReader {
public:
    virtual ~CellReader() = default;
    virtual Variant value(std::string_view address) const = 0;
};

// Called once per day and sub-area with the day reached and the number of days.
using ProgressFn = std::function<void(int value, int maximum)>;

struct RunOptions {
    // "Testing only": the discharges and volumes of the run are replaced by the reference
    // values of the workbook (needs `sheet`).
    bool testingOnly = false;
    const CellReader* sheet = nullptr;
    ProgressFn progress;
};

// Name of the parameter in SubPara column `column` (TAW..K), as messages show it.
std::string parameterName(Param column);

// The problems that stop a run, each naming the sub-area ("A3") or day and the value:
// no days, dates that are not dates, and for every sub-area with an area above 0 a
// parameter, area or rainfall factor that is not a number or not plausible (a fraction or
// the recession coefficient outside 0..1, the crop coefficient outside 0..100, a store
// beyond 100000 mm, a rainfall factor outside 0..1000 %), RAW <= 0, or TAW <= RAW; and a
// daily rainfall or ETref that is not plausible.
// Empty when the run can go ahead.
std::vector<std::string> checkRunInputs(const Project& project);

// One model run. RerunFlag = 0 fills the first run (catchment slot 11, volume columns 1 and
// 3, first-run monthly fields); RerunFlag = 1 the last run (slot 12, columns 2 and 4),
// leaving the first run as it is. Throws InputError with the first problem of
// checkRunInputs before anything is changed, or naming the cell when a testing-only
// reference value is not a number.
void RunModel(Project& project, const RunOptions& options = {});

}  // namespace tarn
