#include "output/output_display.h"

#include <optional>

#include "model/variant.h"

namespace tarn {

namespace {

// The parameter behind each element e of a row of frmOutput's grid (txtAp_<s>_e).
struct ValueBox {
    std::size_t element;
    Param param;
};
constexpr std::array<ValueBox, 8> kValueBoxes{{{0, Param::TAW},
                                               {1, Param::RAW},
                                               {2, Param::TopMax},
                                               {5, Param::IF},
                                               {6, Param::Kc},
                                               {7, Param::St0},
                                               {8, Param::Sw0},
                                               {9, Param::B0}}};

bool blank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

StepResult refused(std::string status, std::string focus) {
    return {false, std::move(status), std::move(focus), 1, {}};
}

std::string subAreaName(int j) { return "A" + std::to_string(j + 1); }

// The shares of the area boxes, or the refusal of the first box that is not a whole
// percent 0..100 or of a scale box of a sub-area with an area that is not a number.
std::optional<StepResult> checkBoxes(const OutputCommonBoxes& b, std::array<int, kSubAreas>& shares) {
    for (int j = 0; j < kSubAreas; ++j) {
        const std::string& text = b.area[std::size_t(j)];
        if (blank(text)) {
            shares[std::size_t(j)] = 0;  // an empty share counts as 0
            continue;
        }
        const auto x = parseNumber(text);
        const double share = x ? roundHalfEven(*x) : -1;
        if (share < 0 || share > 100)
            return refused("Sub catchment area(%) of " + subAreaName(j) + ": '" + text +
                               "' is not a whole percent from 0 to 100",
                           "txtArea_" + std::to_string(j));
        shares[std::size_t(j)] = int(share);
    }
    for (int j = 0; j < kSubAreas; ++j) {
        const std::string& text = b.rainScale[std::size_t(j)];
        if (shares[std::size_t(j)] > 0 && !blank(text) && !parseNumber(text))
            return refused("Sub catchment rainfall scale(%) of " + subAreaName(j) + ": '" + text +
                               "' is not a number",
                           "txtRscale_" + std::to_string(j));
    }
    return std::nullopt;
}

void storeBaseflow(Project& p, const OutputCommonBoxes& b) {
    for (int s = 1; s <= kSubAreas; ++s) {
        p.SubPara(s - 1, para::BFI) = typedValue(b.bfi);
        p.SubPara(s - 1, para::K) = typedValue(b.recession);
    }
}

// Steps shared by both screens once the parameters are stored: rainfall factors, shares,
// the area check, and parameters 0 and 1.
StepResult storeAreas(Project& p, const OutputCommonBoxes& b, const std::array<int, kSubAreas>& shares) {
    double sumScale = 0;
    for (int j = 0; j < kSubAreas; ++j) {
        const std::string& text = b.rainScale[std::size_t(j)];
        if (shares[std::size_t(j)] > 0 && !blank(text)) {
            const double factor = roundHalfEven(*parseNumber(text));
            p.RainFactor[std::size_t(j + 1)] = factor;
            sumScale += factor;
        }
    }
    p.SumScale = sumScale;

    const double total = p.TotalArea.numberOr0();
    p.AreaError = 0;
    p.SumPct = 0;
    for (int j = 0; j < kSubAreas; ++j) {
        const int share = shares[std::size_t(j)];
        p.SubAreaPct[std::size_t(j + 1)] = share;
        p.SubArea[std::size_t(j + 1)] = share * total / 100;
        p.SumPct += share;
    }
    for (int j = 0; j < kSubAreas; ++j) {
        p.SubPara(j, para::RainScale) = p.RainFactor[std::size_t(j + 1)];
        p.SubPara(j, para::Area) =
            total > 0 ? p.SubArea[std::size_t(j + 1)].numberOr0() * 100 / total : double(shares[std::size_t(j)]);
    }
    if (p.SumPct != 100) {
        p.AreaError = 1;
        return refused(std::string(kAreaSumMessage), "txtArea_0");
    }
    return {true, {}, {}, 0, {}};
}

void fillCommon(const Project& p, OutputCommonBoxes& b) {
    for (int j = 0; j < kSubAreas; ++j) {
        b.area[std::size_t(j)] = std::to_string(p.SubAreaPct[std::size_t(j + 1)]);
        b.rainScale[std::size_t(j)] = p.RainFactor[std::size_t(j + 1)].text();
    }
    b.bfi = p.SubPara(0, para::BFI).text();
    b.recession = p.SubPara(0, para::K).text();
}

OutputScreenTexts screenTexts(const Project& p, const SeriesTicks& charted, const char* form,
                              std::string_view status) {
    OutputScreenTexts t;
    t.caption = " Active data file is  " + p.DataFile + "     Form " + form + " of 9";
    t.frameCaption = "Edit the data used in the last run shown below and rerun.   Active data file for the  " +
                     p.PrjName + "  project is  " + p.DataFile;
    t.status = std::string(status);
    t.days = daysList(p.NumDays);
    const int n = std::min(p.NumDays, p.DayDate.rows() - 1);
    t.dates.reserve(std::size_t(std::max(n, 0)));
    for (int d = 1; d <= n; ++d) t.dates.push_back(p.DayDate(d, 0));
    if (n > 0) {
        t.lower = 0;
        t.upper = n - 1;
    }
    t.series = charted;
    t.series[4] = true;
    return t;
}

// The day of a date text (the last day that has it), or 0.
int dayOf(const Project& p, const std::string& text) {
    int day = 0;
    const int n = std::min(p.NumDays, p.DayDate.rows() - 1);
    for (int d = 1; d <= n; ++d)
        if (p.DayDate(d, 0) == text) day = d;
    return day;
}

std::optional<StepResult> windowRefusal(const Project& p, const std::string& lower, const std::string& upper,
                                        int& start, int& stop) {
    start = dayOf(p, lower);
    stop = dayOf(p, upper);
    if (start == 0) return refused("From: '" + lower + "' is not a day of the record", "cmbLowerLimit");
    if (stop == 0) return refused("To: '" + upper + "' is not a day of the record", "cmbUpperLimit");
    if (stop < start) return refused(std::string(kReversedWindowMessage), "cmbLowerLimit");
    return std::nullopt;
}

// The rerun once the grid is stored: window, run, chart.
void rerunStored(Project& p, const RerunInput& in, const RunRequest& run, std::string_view done,
                 RerunOutcome& out) {
    int start = 0, stop = 0;
    if (auto r = windowRefusal(p, in.lower, in.upper, start, stop)) {
        out.result = *r;
        return;
    }
    const int flag = p.RerunFlag;
    p.RerunFlag = 1;
    const std::string refusal = runModelAsRequested(p, run);
    if (!refusal.empty()) {
        p.RerunFlag = flag;
        out.result = refused(refusal, {});
        return;
    }
    p.StartDay = start;
    p.StopDay = stop;
    p.DaysOut = stop;
    out.chart = chartConfig(p, in.series);
    out.rerun = true;
    out.result = {true, std::string(done), {}, 0, {}};
}

// The parameters an output screen's rerun stores, kept so that a refused rerun stores none
// of them: the project then holds the parameters of the runs it holds.
class StoredParameters {
public:
    explicit StoredParameters(const Project& p)
        : subPara_(p.SubPara), rainFactor_(p.RainFactor), sumScale_(p.SumScale), subArea_(p.SubArea),
          subAreaPct_(p.SubAreaPct), sumPct_(p.SumPct), soilSel_(p.SoilSel), vegeSel_(p.VegeSel) {}
    void restore(Project& p) const {
        p.SubPara = subPara_;
        p.RainFactor = rainFactor_;
        p.SumScale = sumScale_;
        p.SubArea = subArea_;
        p.SubAreaPct = subAreaPct_;
        p.SumPct = sumPct_;
        p.SoilSel = soilSel_;
        p.VegeSel = vegeSel_;
    }

private:
    TypedGrid<Variant, int, Param> subPara_;
    std::array<Variant, 21> rainFactor_;
    Variant sumScale_;
    std::array<Variant, 12> subArea_;
    std::array<int, 11> subAreaPct_;
    int sumPct_;
    std::array<int, 11> soilSel_, vegeSel_;
};

// Stores the grid, checks the window and reruns; a refusal at any step restores the
// parameters as they were before.
template <class StoreGrid>
RerunOutcome rerunChecked(Project& p, const RerunInput& in, const RunRequest& run, std::string_view done,
                          StoreGrid storeGrid) {
    const StoredParameters before(p);
    RerunOutcome out;
    out.result = storeGrid(out);
    if (out.result.ok) rerunStored(p, in, run, done, out);
    if (!out.rerun) {
        before.restore(p);
        out.values = outputValuesGrid(p);
    }
    return out;
}

}  // namespace

OutputValuesGrid outputValuesGrid(const Project& p) {
    OutputValuesGrid g;
    fillCommon(p, g);
    for (int s = 1; s <= kSubAreas; ++s) {
        auto& row = g.values[std::size_t(s - 1)];
        for (const ValueBox& box : kValueBoxes) row[box.element] = p.SubPara(s - 1, box.param).text();
    }
    return g;
}

OutputClassGrid outputClassGrid(const Project& p) {
    OutputClassGrid g;
    fillCommon(p, g);
    for (int s = 1; s <= kSubAreas; ++s) {
        for (int e = 0; e <= 2; ++e) g.initial[std::size_t(s - 1)][std::size_t(e)] = p.SubPara(s - 1, paramAfter(para::St0, e)).text();
        g.soil[std::size_t(s - 1)] = p.SoilSel[std::size_t(s)];
        g.vege[std::size_t(s - 1)] = p.VegeSel[std::size_t(s)];
    }
    return g;
}

OutputLoad outputLoad(const Project& p, const SeriesTicks& charted) {
    return {screenTexts(p, charted, "9/5", kOutputStatus), outputValuesGrid(p)};
}

Output2Load output2Load(const Project& p, const SeriesTicks& charted) {
    return {screenTexts(p, charted, "9/6", kOutput2Status), outputClassGrid(p)};
}

StepResult refreshes(Project& p, const OutputValuesGrid& g) {
    std::array<int, kSubAreas> shares{};
    if (auto r = checkBoxes(g, shares)) {
        p.AreaError = 1;
        return *r;
    }
    for (int s = 1; s <= kSubAreas; ++s) {
        const auto& row = g.values[std::size_t(s - 1)];
        for (const ValueBox& box : kValueBoxes) p.SubPara(s - 1, box.param) = typedValue(row[box.element]);
    }
    storeBaseflow(p, g);
    return storeAreas(p, g, shares);
}

ClassRefresh refreshes(Project& p, const OutputClassGrid& g) {
    ClassRefresh out;
    std::array<int, kSubAreas> shares{};
    if (auto r = checkBoxes(g, shares)) {
        p.AreaError = 1;
        out.result = *r;
        out.values = outputValuesGrid(p);
        return out;
    }
    for (int s = 1; s <= kSubAreas; ++s) {
        const auto i = std::size_t(s - 1);
        for (int e = 0; e <= 2; ++e) p.SubPara(s - 1, paramAfter(para::St0, e)) = typedValue(g.initial[i][std::size_t(e)]);
        const int soil = g.soil[i] >= 1 && g.soil[i] <= 5 ? g.soil[i] : 0;
        p.SoilSel[std::size_t(s)] = soil;
        if (soil > 0)
            for (int q = 0; q <= 2; ++q) p.SubPara(s - 1, paramAfter(para::TAW, q)) = p.SoilData(soil - 1, q);
        const int vege = g.vege[i] >= 1 && g.vege[i] <= 5 ? g.vege[i] : 0;
        p.VegeSel[std::size_t(s)] = vege;
        if (vege > 0)
            for (int q = 0; q <= 1; ++q) p.SubPara(s - 1, paramAfter(para::IF, q)) = p.VegeData(vege - 1, q);
    }
    storeBaseflow(p, g);
    out.result = storeAreas(p, g, shares);
    out.values = outputValuesGrid(p);
    return out;
}

StepResult setChartWindow(Project& p, const std::string& lower, const std::string& upper) {
    int start = 0, stop = 0;
    if (auto r = windowRefusal(p, lower, upper, start, stop)) return *r;
    p.StartDay = start;
    p.StopDay = stop;
    p.DaysOut = stop;
    return {true, {}, {}, 0, {}};
}

RerunOutcome outputRerun(Project& p, const OutputValuesGrid& g, const RerunInput& in, const RunRequest& run) {
    return rerunChecked(p, in, run, kRerunDone, [&](RerunOutcome&) { return refreshes(p, g); });
}

RerunOutcome outputRerun(Project& p, const OutputClassGrid& g, const RerunInput& in, const RunRequest& run) {
    return rerunChecked(p, in, run, kRerun2Done, [&](RerunOutcome& out) {
        ClassRefresh refresh = refreshes(p, g);
        out.values = std::move(refresh.values);
        return std::move(refresh.result);
    });
}

}  // namespace tarn
