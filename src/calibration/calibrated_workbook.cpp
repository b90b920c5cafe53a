#include "calibration/calibrated_workbook.h"

#include "model/errors.h"
#include "workbook/atomic_file.h"

namespace tarn {

namespace {

constexpr int kFirstParameterRow = 5;  // row of SubPara column 0
constexpr int kFirstSubAreaColumn = 6;  // column F
constexpr int kBaseflowIndexRow = 17;   // F17
constexpr int kRecessionRow = 18;       // F18

}  // namespace

Workbook::SaveResult saveCalibratedWorkbook(const std::filesystem::path& input, const std::filesystem::path& target,
                                            const CatchmentSet& set, const std::vector<Param>& columns) {
    if (sameFile(target, input))
        throw InputError("Cannot write " + target.string() +
                         ": it is the input workbook, which is never changed; choose another name");
    auto book = openWorkbook(input);
    int first = 0;  // the first sub-area of the catchment gives the catchment-wide values
    for (int s = kSubAreas; s >= 1; --s)
        if (set.sub[std::size_t(s)].inCatchment) first = s;
    for (const Param c : columns) {
        if (c == para::BFI || c == para::K) {
            if (first) book->write(c == para::BFI ? kBaseflowIndexRow : kRecessionRow, kFirstSubAreaColumn,
                                   set.sub[std::size_t(first)].value[c]);
            continue;
        }
        for (int s = 1; s <= kSubAreas; ++s)
            if (set.sub[std::size_t(s)].inCatchment)
                book->write(kFirstParameterRow + indexOf(c), kFirstSubAreaColumn + s - 1, set.sub[std::size_t(s)].value[c]);
    }
    return book->saveAs(target);
}

}  // namespace tarn
