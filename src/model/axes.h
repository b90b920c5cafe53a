#pragma once
// The named axes of the project tables. Each axis is a type of its own whose values keep the
// numbering the tables always had, and the tables' accessors take only these types: a bare
// number where a run, a quantity or a field belongs does not compile.
#include <array>
#include <cstddef>

namespace tarn {

// Sub-areas of a project, numbered s = 1..10.
inline constexpr int kSubAreas = 10;
// The catchment's place in the tables indexed by sub-area (after sub-areas 1..10).
inline constexpr int kCatchment = 11;

// The two result sets kept side by side: the first run since the program started, and the
// last run after a rerun from an output screen.
enum class Run { First = 1, Last = 2 };
inline constexpr std::array<Run, 2> kRuns{Run::First, Run::Last};

// The two kinds of year of the annual and seven-day analyses. The value is the column of
// the seven-day tables that holds that kind.
enum class YearType { Water = 1, Calendar = 2 };

// Quantities k of Balance(slot, day, k): the daily balance of a sub-area (1..15) and the
// measured streamflow of the catchment (16).
enum class Qty {
    P = 1,     // rainfall on the sub-area, mm/day
    ETr,       // reference evapotranspiration, mm/day
    PET,       // energy-limited maximum evaporation, mm/day
    Ei,        // interception loss, mm/day
    Tt,        // transpiration from the toplayer, mm/day
    Tw,        // transpiration from the whole profile, mm/day
    Ta,        // actual transpiration, mm/day
    St,        // toplayer water store, mm
    Sw,        // whole-profile water store, mm
    Fi,        // drainage surplus, mm/day
    R,         // recharge to the baseflow store, mm/day
    B,         // baseflow store content, mm
    BF,        // baseflow, mm/day
    QF,        // surplus quickflow, mm/day
    Q,         // total discharge, mm/day
    Measured,  // measured streamflow (first-run catchment slot only), mm/day
};
// The fifteen quantities of a day of the balance, in their order.
inline constexpr std::array<Qty, 15> kDailyQuantities{
    Qty::P,  Qty::ETr, Qty::PET, Qty::Ei, Qty::Tt, Qty::Tw, Qty::Ta, Qty::St,
    Qty::Sw, Qty::Fi,  Qty::R,   Qty::B,  Qty::BF, Qty::QF, Qty::Q};
inline constexpr int kQuantities = 17;  // k = 0..16
// The quantity after k in the daily order, for the columns written one after another.
constexpr Qty quantityAt(int k) { return static_cast<Qty>(k); }

namespace qty {
inline constexpr Qty P = Qty::P, ETr = Qty::ETr, PET = Qty::PET, Ei = Qty::Ei, Tt = Qty::Tt, Tw = Qty::Tw,
                     Ta = Qty::Ta, St = Qty::St, Sw = Qty::Sw, Fi = Qty::Fi, R = Qty::R, B = Qty::B,
                     BF = Qty::BF, QF = Qty::QF, Q = Qty::Q, Measured = Qty::Measured;
}  // namespace qty

// Slots of Balance: the catchment's daily inputs, sub-areas 1..10, and the catchment series
// of each run.
enum class Slot { Inputs = 0, FirstRun = 11, LastRun = 12 };
inline constexpr int kSlots = 13;
constexpr Slot subAreaSlot(int s) { return static_cast<Slot>(s); }
constexpr Slot runSlot(Run r) { return r == Run::First ? Slot::FirstRun : Slot::LastRun; }

namespace slot {
inline constexpr Slot Inputs = Slot::Inputs, FirstRun = Slot::FirstRun, LastRun = Slot::LastRun;
}  // namespace slot

// Columns of FlowTable(column, day, s): daily discharge volumes, litres.
enum class FlowColumn {
    SubAreaFirst = 1,    // sub-area s, first run
    SubAreaLast = 2,     // sub-area s, last run
    CatchmentFirst = 3,  // the catchment (s = kCatchment), first run
    CatchmentLast = 4,   // the catchment, last run
};
inline constexpr int kFlowColumns = 5;
constexpr FlowColumn subAreaVolumes(Run r) { return r == Run::First ? FlowColumn::SubAreaFirst : FlowColumn::SubAreaLast; }
constexpr FlowColumn catchmentVolumes(Run r) {
    return r == Run::First ? FlowColumn::CatchmentFirst : FlowColumn::CatchmentLast;
}

// Columns of SubPara(s - 1, column): a sub-area's figures and parameters.
enum class Param {
    Area = 0,       // share of the total area as read, percent
    RainScale = 1,  // rainfall scaling factor, percent
    TAW = 2,        // total available water, mm
    RAW = 3,        // readily available water, mm
    TopMax = 4,     // toplayer store capacity, mm
    IF = 5,         // interception fraction
    Kc = 6,         // crop coefficient
    St0 = 7,        // initial toplayer water, mm
    Sw0 = 8,        // initial total water, mm
    B0 = 9,         // initial baseflow store, mm
    BFI = 10,       // baseflow index
    K = 11,         // recession coefficient, fraction kept per day
};
inline constexpr int kParams = 31;
// The parameters the run reads, in their order (TAW..K).
inline constexpr std::array<Param, 10> kRunParams{Param::TAW, Param::RAW, Param::TopMax, Param::IF, Param::Kc,
                                                  Param::St0, Param::Sw0, Param::B0,     Param::BFI, Param::K};
// The parameter `offset` places after `first` (rows of the workbook's block, boxes of a grid).
constexpr Param paramAfter(Param first, int offset) { return static_cast<Param>(static_cast<int>(first) + offset); }

namespace para {
inline constexpr Param Area = Param::Area, RainScale = Param::RainScale, TAW = Param::TAW, RAW = Param::RAW,
                       TopMax = Param::TopMax, IF = Param::IF, Kc = Param::Kc, St0 = Param::St0,
                       Sw0 = Param::Sw0, B0 = Param::B0, BFI = Param::BFI, K = Param::K;
}  // namespace para

// Fields of MonTotal(field, m), the catchment's monthly totals.
enum class MonthField {
    LastVolume = 1,     // last run, thousand m3
    FirstVolume = 2,    // first run, thousand m3
    MeasuredDepth = 3,  // measured streamflow, mm
    FirstDepth = 4,     // first run, mm
    LastDepth = 5,      // last run, mm
};
inline constexpr int kMonthFields = 6;
constexpr MonthField monthVolume(Run r) { return r == Run::First ? MonthField::FirstVolume : MonthField::LastVolume; }
constexpr MonthField monthDepth(Run r) { return r == Run::First ? MonthField::FirstDepth : MonthField::LastDepth; }

// The figures of the annual tables; each has a row of AnnTotal for each year type.
enum class AnnualFigure { LastVolume, FirstVolume, MeasuredVolume, LastDepth, FirstDepth, MeasuredDepth };
// Row of AnnTotal(row, y).
enum class AnnualRow : int {};
inline constexpr int kAnnualRows = 30;
// Water year / calendar year: last-run volume 7/8, last-run depth 9/10, first-run volume
// 13/14, first-run depth 15/16, measured volume 19/20, measured depth 21/22.
constexpr AnnualRow annualRow(AnnualFigure f, YearType t) {
    constexpr int water[] = {7, 13, 19, 9, 15, 21};
    return static_cast<AnnualRow>(water[static_cast<int>(f)] + (t == YearType::Calendar ? 1 : 0));
}
// Block of SubAnnual(s, block, y), the sub-areas' annual volumes (thousand m3): first run
// 11 (water year) / 12 (calendar year), last run 6 / 7.
enum class AnnualBlock : int {};
inline constexpr int kAnnualBlocks = 25;
constexpr AnnualBlock annualBlock(Run r, YearType t) {
    return static_cast<AnnualBlock>((r == Run::First ? 11 : 6) + (t == YearType::Calendar ? 1 : 0));
}

// The index an axis value stands for in its table.
template <class E>
constexpr int indexOf(E e) {
    return static_cast<int>(e);
}

}  // namespace tarn
