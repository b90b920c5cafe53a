#include "calibration/calibration_form.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "model/errors.h"
#include "model/measured_days.h"

namespace tarn {

namespace {

// Each row's label in messages, with its unit.
constexpr std::array<const char*, kCalibrationRows> kRowLabels{
    "TAW (mm)",          "RAW (mm)",         "Toplayer store (mm)", "Interception fraction", "Crop coefficient",
    "Initial toplayer (mm)", "Initial total water (mm)", "Initial baseflow store (mm)", "Baseflow index",
    "Recession coefficient"};

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::optional<double> number(const std::string& text) {
    const std::string t = trim(text);
    double x = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), x);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size() || !std::isfinite(x)) return std::nullopt;
    return x;
}

// A whole number from lo to hi.
std::optional<long long> whole(const std::string& text, long long lo, long long hi) {
    const std::string t = trim(text);
    long long x = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), x);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size() || x < lo || x > hi) return std::nullopt;
    return x;
}

std::string row(const char* control, int n) { return std::string(control) + "_" + std::to_string(n); }

CalibrationRead refuse(std::string status, std::string focus) {
    CalibrationRead r;
    r.result = {false, std::move(status), std::move(focus), 1, {}};
    return r;
}

}  // namespace

bool classParameter(int n) { return n >= 0 && n <= 4; }
bool catchmentWideRow(int n) { return n == 8 || n == 9; }

std::array<CalibrationRow, kCalibrationRows> defaultCalibrationRows(bool classesOnly) {
    using F = ParamForm;
    std::array<CalibrationRow, kCalibrationRows> rows{{
        {true, F::Factor, 1, "0.25", "4"},    // taw
        {false, F::Factor, 1, "0.25", "4"},   // raw
        {false, F::Factor, 1, "0.25", "4"},   // top
        {false, F::Factor, 1, "0.5", "2"},    // if
        {true, F::Factor, 1, "0.7", "1.3"},   // kc
        {false, F::Factor, 1, "0.1", "1"},    // st0
        {false, F::Factor, 1, "0.5", "1"},    // sw0
        {false, F::Factor, 1, "0.25", "4"},   // b0
        {true, F::Value, 1, "0.05", "0.95"},  // bfi
        {true, F::Value, 1, "0.8", "0.999"},  // k
    }};
    if (classesOnly)
        for (int n = 0; n < kCalibrationRows; ++n)
            if (classParameter(n)) rows[std::size_t(n)].ticked = false;
    return rows;
}

CalibrationRead readCalibrationForm(const Project& p, const CalibrationForm& form) {
    if (p.MeasFlow != 1)
        return refuse("No measured streamflow was read: tick it on the rainfall step to calibrate", "cmdStart");
    if (p.RunDone != 1 || p.NumDays < 1) return refuse("The model has not been run", "cmdStart");

    CalibrationRead out;
    CalibrationRequest& req = out.request;
    for (int n = 0; n < kCalibrationRows; ++n) {
        const CalibrationRow& r = form.rows[std::size_t(n)];
        if (!r.ticked) continue;
        const std::string label = kRowLabels[std::size_t(n)];
        const std::optional<double> lo = number(r.lo), hi = number(r.hi);
        if (!lo) return refuse(label + ", low: '" + r.lo + "' is not a number", row("txtLo", n));
        if (!hi) return refuse(label + ", high: '" + r.hi + "' is not a number", row("txtHi", n));
        if (*lo >= *hi)
            return refuse(label + ": the low bound " + trim(r.lo) + " must be below the high bound " + trim(r.hi),
                          row("txtLo", n));
        const ParamForm f = catchmentWideRow(n) ? ParamForm::Value : r.form;
        if (f == ParamForm::Factor && *lo <= 0)
            return refuse(label + ", low: a factor must be above 0", row("txtLo", n));
        if (f == ParamForm::SubArea && !(r.subArea >= 1 && r.subArea <= kSubAreas &&
                                         p.SubArea[std::size_t(r.subArea)].numberOr0() > 0))
            return refuse(label + ": A" + std::to_string(r.subArea) + " is not a sub-area of the catchment",
                          row("cmbSubArea", n));
        std::string text = kParamNames[std::size_t(n)];
        if (f == ParamForm::Factor) text += "*";
        if (f == ParamForm::SubArea) text += "@A" + std::to_string(r.subArea);
        text += "=" + boxNumber(*lo) + ":" + boxNumber(*hi);
        try {
            req.tuned.push_back(parseTunedParam(text));
        } catch (const InputError& e) {
            return refuse(label + ": " + e.what(), row("txtLo", n));
        }
    }
    if (req.tuned.empty()) return refuse("Tick at least one parameter to calibrate", "chkParam_0");
    req.objective = form.objective;

    // The fit window, each box on its own first so that the message names the box at fault.
    try {
        dayRangeOf(p, trim(form.from), "");
    } catch (const InputError& e) {
        return refuse(std::string("From: ") + e.what(), "txtFrom");
    }
    try {
        dayRangeOf(p, "", trim(form.until));
    } catch (const InputError& e) {
        return refuse(std::string("Until: ") + e.what(), "txtUntil");
    }
    try {
        req.window = dayRangeOf(p, trim(form.from), trim(form.until));
    } catch (const InputError& e) {
        return refuse(std::string("From: ") + e.what(), "txtFrom");
    }
    const std::optional<long long> warmUp = whole(form.warmUp.empty() ? "0" : form.warmUp, 0, kMaxDays);
    if (!warmUp) return refuse("Warm-up: '" + form.warmUp + "' is not a whole number of days from 0", "txtWarmUp");
    req.window.first += int(*warmUp);
    bool measured = false;
    for (int d = req.window.first; d <= req.window.last && !measured; ++d) measured = !measuredMissing(p, d);
    if (!measured)
        return refuse("Warm-up: no day of the fit window after the warm-up has a measured streamflow", "txtWarmUp");

    const std::optional<long long> budget = whole(form.evaluations, kMinEvaluations, kMaxEvaluations);
    if (!budget)
        return refuse("Evaluations: give a whole number from " + std::to_string(kMinEvaluations) + " to " +
                          std::to_string(kMaxEvaluations),
                      "txtEvaluations");
    req.evaluations = long(*budget);
    const std::optional<long long> seed = whole(form.seed, 0, std::numeric_limits<unsigned>::max());
    if (!seed) return refuse("Seed: give a whole number from 0 to 4294967295", "txtSeed");
    req.seed = unsigned(*seed);
    out.result.ok = true;
    return out;
}

Project calibrationInputs(const Project& p) {
    Project c;
    c.resizeDays(p.NumDays);
    c.SubPara = p.SubPara;
    c.SubArea = p.SubArea;
    c.SubAreaPct = p.SubAreaPct;
    c.RainFactor = p.RainFactor;
    c.MeasFlow = p.MeasFlow;
    c.MeasMissing = p.MeasMissing;
    const auto copy = [&](Slot slotIndex, Qty quantity) {
        std::copy_n(p.Balance.series(slotIndex, quantity), std::size_t(p.NumDays) + 1, c.Balance.series(slotIndex, quantity));
    };
    copy(slot::Inputs, qty::P);
    copy(slot::Inputs, qty::ETr);
    copy(slot::FirstRun, qty::Measured);
    return c;
}

std::string boxNumber(double x) {
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, x);
    return ec == std::errc() ? std::string(buf, end) : std::string();
}

}  // namespace tarn
