#pragma once
// The parameter problem of a calibration: which parameters vary, in what form and within
// which bounds, and what a candidate set of values makes of the project's parameters.
#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/day_rule.h"
#include "model/project.h"

namespace tarn {

// How the value of a calibrated parameter is applied.
enum class ParamForm {
    Value,    // NAME=LO:HI     the value for every sub-area of the catchment
    Factor,   // NAME*=LO:HI    a factor on each sub-area's own workbook value
    SubArea,  // NAME@An=LO:HI  the value for sub-area n only
};

// One calibrated parameter, as given by `--param RANGE`.
struct TunedParam {
    std::string text;     // the RANGE as given
    std::string name;     // lower case: taw raw top if kc st0 sw0 b0 bfi k
    Param column = Param::TAW;  // its column of SubPara (para::TAW .. para::K)
    ParamForm form = ParamForm::Value;
    int subArea = 0;      // 1..10 for ParamForm::SubArea
    double lo = 0, hi = 0;  // bounds, in the parameter's unit (a factor has none)
};

// The names of the ten parameters in the order of their SubPara columns (taw first).
inline constexpr std::array<const char*, 10> kParamNames{"taw", "raw", "top", "if", "kc",
                                                         "st0", "sw0", "b0",  "bfi", "k"};

// Reads one RANGE. Throws InputError "--param RANGE: ..." for an unknown name, a malformed
// RANGE, a sub-area number outside 1..10, bounds that are not numbers, an empty or reversed
// range, or a catchment-wide parameter (bfi, k) in another form than NAME=LO:HI.
TunedParam parseTunedParam(const std::string& text);

// The RANGEs used without --param: bfi=0.05:0.95 k=0.8:0.999 taw*=0.25:4 kc*=0.7:1.3.
std::vector<std::string> defaultTunedParamTexts();

// Refuses (InputError naming the option) a RANGE for a sub-area that has no area in the
// project, and two RANGEs that set the same parameter of the same sub-area.
void checkTunedParams(const std::vector<TunedParam>& tuned, const Project& project);

// The parameters of one sub-area as numbers, indexed by SubPara column (para::TAW ..
// para::K), with what the lean evaluation needs besides.
struct SubAreaSet {
    TypedArray<double, Param, 12> value{};  // mm or fractions, by column
    double rainFactor = 0;           // percent
    double pct = 0;                  // whole percent of the total area, the catchment weight
    bool inCatchment = false;        // area above 0

    DayParams dayParams() const;
    DayStores initialStores() const;
};

// The parameters of the ten sub-areas (index 1..10).
struct CatchmentSet {
    std::array<SubAreaSet, kSubAreas + 1> sub{};
};

// The project's own parameters (a value that is not a number counts as 0, as in a run).
CatchmentSet catchmentSetOf(const Project& project);

// `base` with the candidate `x` (one value per tunedParam, in order) applied: factors first, on
// the base values (a factor on taw scales RAW too), then values. Only sub-areas of the
// catchment change.
CatchmentSet applyCandidate(const CatchmentSet& base, const std::vector<TunedParam>& tuned,
                            std::span<const double> x);

// What makes a set unusable for a run, naming the sub-area and the parameter ("A2: TAW
// (mm) must be greater than RAW (mm)"), or nothing: TAW > RAW > 0, IF in 0..1, BFI in 0..1
// and K below 1, for every sub-area of the catchment.
std::optional<std::string> infeasibility(const CatchmentSet& set);

// Writes the set's parameters of the catchment's sub-areas into `project` (SubPara, as
// numbers), columns `columns` only.
void storeSet(const CatchmentSet& set, const std::vector<Param>& columns, Project& project);

// The set as reading it back from a workbook gives it: each value of `columns` through the
// general number text (at most 15 significant digits) that the workbook reader applies, so
// a run of the written workbook uses exactly these values.
CatchmentSet asWorkbookReadsIt(const CatchmentSet& set, const std::vector<Param>& columns);

// The SubPara columns that `tuned` change (taw* changes TAW and RAW), in column order.
std::vector<Param> changedColumns(const std::vector<TunedParam>& tuned);

}  // namespace tarn
