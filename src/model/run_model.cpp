#include "model/run_model.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/cell_address.h"
#include "model/dates.h"
#include "model/day_rule.h"
#include "model/errors.h"
#include "model/message_text.h"
#include "model/plausible.h"
#include "model/run_totals.h"
#include "model/units.h"

namespace tarn {

namespace {

std::string subAreaName(int s) { return "A" + std::to_string(s); }

std::string quoted(const Variant& v) { return quotedText(v.text()); }

// The range in which a run takes a parameter: beyond it the balance means nothing, or
// (a recession coefficient outside 0..1, a huge store) grows without bound over the days.
struct ParameterRange {
    double least, most;
    const char* text;  // as messages show the range
};

constexpr double kMostStoreDepth = 100000;  // mm, any store or initial content

ParameterRange rangeOf(Param column) {
    switch (column) {
        case para::IF:
        case para::BFI:
        case para::K: return {0, 1, "0..1"};
        case para::Kc: return {0, 100, "0..100"};
        default: return {-kMostStoreDepth, kMostStoreDepth, "at most 100000 mm either way"};
    }
}

constexpr double kMostRainFactor = 1000;  // %

// The parameters of one sub-area, as numbers: those of the daily rules and the initial
// stores.
struct SubAreaParams {
    DayParams day;
    double St0, Sw0, B0;  // mm
};

// Parameters of sub-area s. A value that is not a number counts as 0: checkRunInputs has
// refused such values for every sub-area that takes part in the catchment.
SubAreaParams paramsOf(const Project& p, int s) {
    auto at = [&](Param column) { return p.SubPara(s - 1, column).numberOr0(); };
    DayParams day;
    day.TAW = at(para::TAW);
    day.RAW = at(para::RAW);
    day.TopMax = at(para::TopMax);
    day.IF = at(para::IF);
    day.Kc = at(para::Kc);
    day.BFI = at(para::BFI);
    day.K = at(para::K);
    day.rainFactor = p.RainFactor[std::size_t(s)].numberOr0();
    return {day, at(para::St0), at(para::Sw0), at(para::B0)};
}

// The daily water balance of one sub-area, written to Balance(s, d, 1..15), and, when the
// sub-area is part of the catchment, its share added to the catchment slot c and to the
// catchment volume column v. Days are taken in blocks (advance) so that all sub-areas add
// into the same block of the catchment series while it is in cache; the stores carry over
// from one block to the next.
class SubAreaRun {
public:
    SubAreaRun(Project& p, int s, Slot c, FlowColumn v)
        : a_(paramsOf(p, s)),
          rain_(p.Balance.series(slot::Inputs, qty::P)),
          etref_(p.Balance.series(slot::Inputs, qty::ETr)),
          volume_(p.FlowTable.series(v, kCatchment)),
          pct_(double(p.SubAreaPct[std::size_t(s)])),
          area_(p.SubArea[std::size_t(s)].numberOr0()),
          inCatchment_(area_ > 0) {
        for (Qty k : kDailyQuantities) {
            out_[std::size_t(k)] = p.Balance.series(subAreaSlot(s), k);
            sum_[std::size_t(k)] = p.Balance.series(c, k);
        }
        out_[std::size_t(Qty::St)][0] = stores_.St = a_.St0;
        out_[std::size_t(Qty::Sw)][0] = stores_.Sw = a_.Sw0;
        out_[std::size_t(Qty::B)][0] = stores_.B = a_.B0;
    }

    // Days first..last, following the days before them.
    void advance(int first, int last) {
        DayStores y = stores_;
        for (int d = first; d <= last; ++d) {
            const DayQuantities q = dayRule(a_.day, y, rain_[d], etref_[d], d == 1);
            const std::array<double, 16> day{0.0,  q.P,  q.ETr, q.PET, q.Ei, q.Tt, q.Tw, q.Ta,
                                             q.St, q.Sw, q.Fi,  q.R,   q.B,  q.BF, q.QF, q.Q};
            for (std::size_t k = 1; k <= 15; ++k) out_[k][d] = day[k];
            y = q.stores();
        }
        stores_ = y;
        if (!inCatchment_) return;
        for (std::size_t k = 1; k <= 15; ++k) {
            const double* x = out_[k];
            double* sum = sum_[k];
            for (int d = first; d <= last; ++d) sum[d] += pct_ * x[d] / kPercent;
        }
        const double* q = out_[std::size_t(Qty::Q)];
        for (int d = first; d <= last; ++d) volume_[d] += area_ * q[d] * kLitresPerHaMm;
    }

private:
    SubAreaParams a_;
    const double* rain_;
    const double* etref_;
    double* volume_;
    std::array<double*, 16> out_{};
    std::array<double*, 16> sum_{};
    double pct_;   // % of the total area
    double area_;  // ha
    bool inCatchment_;
    DayStores stores_;  // of the last day computed
};

// Reads one testing-only reference value: the cell's general text as a number.
double referenceValue(const CellReader& sheet, const std::string& address) {
    const Variant cell = sheet.value(address);
    const std::string text = cell.text();
    if (text.find_first_not_of(' ') == std::string::npos)
        throw InputError(address + ": the cell is empty; the testing-only run needs a number there");
    auto number = parseNumber(text);
    if (!number) throw InputError(address + ": '" + text + "' is not a number");
    return *number;
}

// Reference values of the testing-only mode, read before anything of the run is changed.
struct References {
    std::vector<double> volume;    // thousand m3, days 1..n at index d
    std::vector<double> measured;  // mm/day
    std::vector<double> catchment; // mm/day
    std::array<std::vector<double>, 11> subArea;  // mm/day, s = 1..10
};

References readReferences(const CellReader& sheet, int n, bool rerun) {
    const char* volumeColumn = rerun ? "AZ" : "AY";
    const char* catchmentColumn = rerun ? "BF" : "BE";
    const int firstSubColumn = *columnNumber(rerun ? "BX" : "BM");
    References r;
    r.volume.assign(std::size_t(n) + 1, 0.0);
    r.measured.assign(std::size_t(n) + 1, 0.0);
    r.catchment.assign(std::size_t(n) + 1, 0.0);
    for (auto& s : r.subArea) s.assign(std::size_t(n) + 1, 0.0);
    for (int d = 1; d <= n; ++d) {
        const int row = 24 + d;
        r.volume[std::size_t(d)] = referenceValue(sheet, cellAddress(volumeColumn, row));
        r.measured[std::size_t(d)] = referenceValue(sheet, cellAddress("BA", row));
        r.catchment[std::size_t(d)] = referenceValue(sheet, cellAddress(catchmentColumn, row));
        for (int s = 1; s <= kSubAreas; ++s)
            r.subArea[std::size_t(s)][std::size_t(d)] =
                referenceValue(sheet, cellAddress(columnLetters(firstSubColumn + s - 1), row));
    }
    return r;
}

}  // namespace

std::string parameterName(Param column) {
    switch (column) {
        case para::TAW: return "TAW (mm)";
        case para::RAW: return "RAW (mm)";
        case para::TopMax: return "toplayer store (mm)";
        case para::IF: return "interception fraction";
        case para::Kc: return "crop coefficient";
        case para::St0: return "initial toplayer water content (mm)";
        case para::Sw0: return "initial total water content (mm)";
        case para::B0: return "initial baseflow content (mm)";
        case para::BFI: return "baseflow index";
        case para::K: return "recession coefficient";
        default: return "parameter " + std::to_string(indexOf(column));
    }
}

std::vector<std::string> checkRunInputs(const Project& p) {
    std::vector<std::string> problems;
    if (p.NumDays < 1) {
        problems.push_back("There are no days to run: load the daily input series first");
        return problems;
    }
    if (p.NumDays > kMaxDays || p.Balance.days() < p.NumDays + 16 ||
        p.DayDate.rows() < p.NumDays + 1 || p.FlowTable.days() < p.NumDays + 1) {
        problems.push_back("The daily tables do not hold " + std::to_string(p.NumDays) +
                           " days: load the daily input series again");
        return problems;
    }
    for (int d = 1; d <= p.NumDays; ++d) {
        if (!parseDateText(p.DayDate(d, 0))) {
            problems.push_back("Day " + std::to_string(d) + ": " + quotedText(p.DayDate(d, 0)) +
                               " is not a date");
            break;
        }
    }
    // The daily inputs as they stand (the input chart may have changed points since the read).
    for (const auto& [k, what] : {std::pair{qty::P, "rainfall"}, std::pair{qty::ETr, "reference evapotranspiration"}}) {
        const double* x = p.Balance.series(slot::Inputs, k);
        for (int d = 1; d <= p.NumDays; ++d)
            if (!plausibleDailyDepth(x[d])) {
                problems.push_back("Day " + std::to_string(d) + " (" + printableText(p.DayDate(d, 0)) + "): " +
                                   implausibleDailyText(what, generalNumberText(x[d])));
                break;
            }
    }
    for (int s = 1; s <= kSubAreas; ++s) {
        const std::string name = subAreaName(s);
        const Variant& area = p.SubArea[std::size_t(s)];
        if (!area.toNumber()) {
            problems.push_back(name + ": area (ha) " + quoted(area) + " is not a number");
            continue;
        }
        if (*area.toNumber() <= 0) continue;  // not part of the catchment
        const Variant& factor = p.RainFactor[std::size_t(s)];
        if (!factor.toNumber())
            problems.push_back(name + ": rainfall factor (%) " + quoted(factor) +
                               " is not a number");
        else if (const double f = *factor.toNumber(); !std::isfinite(f) || f < 0 || f > kMostRainFactor)
            problems.push_back(name + ": rainfall factor (%) " + quoted(factor) +
                               " is not plausible (0..1000 %)");
        bool numeric = true;
        for (Param column : kRunParams) {
            const Variant& value = p.SubPara(s - 1, column);
            if (!value.toNumber()) {
                problems.push_back(name + ": " + parameterName(column) + " " + quoted(value) +
                                   " is not a number");
                numeric = false;
            } else if (const double x = *value.toNumber();
                       !std::isfinite(x) || x < rangeOf(column).least || x > rangeOf(column).most) {
                problems.push_back(name + ": " + parameterName(column) + " " + quoted(value) +
                                   " is not plausible (" + rangeOf(column).text + ")");
                numeric = false;
            }
        }
        if (!numeric) continue;
        const double taw = *p.SubPara(s - 1, para::TAW).toNumber();
        const double raw = *p.SubPara(s - 1, para::RAW).toNumber();
        if (raw <= 0)
            problems.push_back(name + ": RAW (mm) must be greater than 0");
        else if (taw <= raw)
            problems.push_back(name + ": TAW (mm) must be greater than RAW (mm)");
    }
    return problems;
}

void RunModel(Project& p, const RunOptions& options) {
    const auto problems = checkRunInputs(p);
    if (!problems.empty()) throw InputError(problems.front());
    if (options.testingOnly && !options.sheet)
        throw InputError("Testing only needs the input workbook, which is not open");

    const bool rerun = p.RerunFlag == 1;
    const Run run = rerun ? Run::Last : Run::First;
    const Slot c = runSlot(run);
    const FlowColumn v = catchmentVolumes(run);
    const FlowColumn u = subAreaVolumes(run);
    const int n = p.NumDays;

    References refs;
    if (options.testingOnly) refs = readReferences(*options.sheet, n, rerun);
    p.TestOnly = options.testingOnly ? 1 : 0;

    // Clear the target; the sub-areas add into it in order s = 1..10 as they are computed.
    for (Qty k : kDailyQuantities) {
        double* target = p.Balance.series(c, k);
        for (int d = 1; d <= n; ++d) target[d] = 0.0;
    }
    double* volume = p.FlowTable.series(v, kCatchment);
    for (int d = 1; d <= n; ++d) volume[d] = 0.0;

    std::vector<SubAreaRun> runs;
    runs.reserve(kSubAreas);
    for (int s = 1; s <= kSubAreas; ++s) runs.emplace_back(p, s, c, v);
    constexpr int kBlock = 256;  // days: a block of the catchment series stays in cache
    for (int first = 1; first <= n; first += kBlock) {
        const int last = std::min(n, first + kBlock - 1);
        for (int s = 1; s <= kSubAreas; ++s) {
            runs[std::size_t(s - 1)].advance(first, last);
            if (options.progress)
                for (int d = first; d <= last; ++d) options.progress(d, n);
        }
    }

    // A day without any discharge volume holds 1 litre; then the sub-area volumes.
    for (int d = 1; d <= n; ++d)
        if (volume[d] == 0.0) volume[d] = 1.0;
    auto fillSubAreaVolumes = [&] {
        for (int s = 1; s <= kSubAreas; ++s) {
            const double area = p.SubArea[std::size_t(s)].numberOr0();
            const double* q = p.Balance.series(subAreaSlot(s), qty::Q);
            double* out = p.FlowTable.series(u, s);
            for (int d = 1; d <= n; ++d) out[d] = area * q[d] * kLitresPerHaMm;
        }
    };
    fillSubAreaVolumes();

    if (options.testingOnly) {
        double* catchmentQ = p.Balance.series(c, qty::Q);
        double* measured = p.Balance.series(slot::FirstRun, qty::Measured);
        for (int d = 1; d <= n; ++d) {
            volume[d] = refs.volume[std::size_t(d)] * kLitresPerThousandM3;
            measured[d] = refs.measured[std::size_t(d)];
            catchmentQ[d] = refs.catchment[std::size_t(d)];
        }
        for (int s = 1; s <= kSubAreas; ++s) {
            double* q = p.Balance.series(subAreaSlot(s), qty::Q);
            for (int d = 1; d <= n; ++d) q[d] = refs.subArea[std::size_t(s)][std::size_t(d)];
        }
        fillSubAreaVolumes();
    }

    BuildRunTotals(p);

    // Finish: the catchment rainfall of the run is the unscaled catchment rainfall.
    const double* rain = p.Balance.series(slot::Inputs, qty::P);
    double* runRain = p.Balance.series(c, qty::P);
    for (int d = 1; d <= n; ++d) runRain[d] = rain[d];
    p.RunDone = 1;
}

}  // namespace tarn
