#include "calibration/parameters.h"

#include <algorithm>
#include <cctype>

#include "model/errors.h"
#include "model/run_model.h"
#include "model/variant.h"

namespace tarn {

namespace {

std::string lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string subAreaName(int s) { return "A" + std::to_string(s); }

bool catchmentWide(Param column) { return column == para::BFI || column == para::K; }

}  // namespace

TunedParam parseTunedParam(const std::string& text) {
    const std::string where = "--param " + text + ": ";
    auto refuse = [&](const std::string& why) { throw InputError(where + why); };
    const std::string forms = "give NAME=LO:HI, NAME*=LO:HI or NAME@An=LO:HI";

    TunedParam tunedParam;
    tunedParam.text = text;
    const auto equals = text.find('=');
    if (equals == std::string::npos) refuse(forms);
    std::string left = text.substr(0, equals);
    const std::string range = text.substr(equals + 1);

    if (!left.empty() && left.back() == '*') {
        tunedParam.form = ParamForm::Factor;
        left.pop_back();
    } else if (const auto at = left.find('@'); at != std::string::npos) {
        tunedParam.form = ParamForm::SubArea;
        const std::string area = left.substr(at + 1);
        left = left.substr(0, at);
        if (area.size() < 2 || (area[0] != 'A' && area[0] != 'a') ||
            !std::all_of(area.begin() + 1, area.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
            refuse("'" + area + "' is not a sub-area (A1 .. A10)");
        const std::string digits = area.substr(1);
        tunedParam.subArea = digits.size() > 2 ? 99 : std::stoi(digits);
        if (tunedParam.subArea < 1 || tunedParam.subArea > kSubAreas) refuse("sub-area " + area + " is outside A1 .. A10");
    }
    tunedParam.name = lower(left);
    const auto known = std::find(kParamNames.begin(), kParamNames.end(), tunedParam.name);
    if (known == kParamNames.end())
        refuse("'" + left + "' is not a parameter (taw, raw, top, if, kc, st0, sw0, b0, bfi, k)");
    tunedParam.column = paramAfter(para::TAW, int(known - kParamNames.begin()));
    if (catchmentWide(tunedParam.column) && tunedParam.form != ParamForm::Value)
        refuse(tunedParam.name + " is one value for the catchment: give " + tunedParam.name + "=LO:HI");

    const auto colon = range.find(':');
    if (colon == std::string::npos) refuse("give the bounds as LO:HI");
    const auto bound = [&](const std::string& t) {
        const auto x = parseNumber(t);
        if (!x || t.find_first_not_of(' ') == std::string::npos) refuse("'" + t + "' is not a number");
        return *x;
    };
    tunedParam.lo = bound(range.substr(0, colon));
    tunedParam.hi = bound(range.substr(colon + 1));
    if (tunedParam.lo == tunedParam.hi) refuse("the range is empty (LO equals HI)");
    if (tunedParam.lo > tunedParam.hi) refuse("the range is reversed (LO above HI)");
    return tunedParam;
}

std::vector<std::string> defaultTunedParamTexts() {
    return {"bfi=0.05:0.95", "k=0.8:0.999", "taw*=0.25:4", "kc*=0.7:1.3"};
}

void checkTunedParams(const std::vector<TunedParam>& tuned, const Project& p) {
    for (std::size_t i = 0; i < tuned.size(); ++i) {
        const TunedParam& a = tuned[i];
        if (a.form == ParamForm::SubArea && !(p.SubArea[std::size_t(a.subArea)].numberOr0() > 0))
            throw InputError("--param " + a.text + ": " + subAreaName(a.subArea) +
                             " is not a sub-area of the catchment (it has no area)");
        for (std::size_t j = 0; j < i; ++j) {
            const TunedParam& b = tuned[j];
            const bool overlap = a.form != ParamForm::SubArea || b.form != ParamForm::SubArea || a.subArea == b.subArea;
            if (a.column == b.column && overlap)
                throw InputError("--param " + a.text + ": sets the same parameter as --param " + b.text);
        }
    }
}

DayParams SubAreaSet::dayParams() const {
    DayParams d;
    d.TAW = value[para::TAW];
    d.RAW = value[para::RAW];
    d.TopMax = value[para::TopMax];
    d.IF = value[para::IF];
    d.Kc = value[para::Kc];
    d.BFI = value[para::BFI];
    d.K = value[para::K];
    d.rainFactor = rainFactor;
    return d;
}

DayStores SubAreaSet::initialStores() const { return {value[para::St0], value[para::Sw0], value[para::B0], 0.0}; }

CatchmentSet catchmentSetOf(const Project& p) {
    CatchmentSet set;
    for (int s = 1; s <= kSubAreas; ++s) {
        SubAreaSet& a = set.sub[std::size_t(s)];
        for (Param c : kRunParams) a.value[c] = p.SubPara(s - 1, c).numberOr0();
        a.rainFactor = p.RainFactor[std::size_t(s)].numberOr0();
        a.pct = double(p.SubAreaPct[std::size_t(s)]);
        a.inCatchment = p.SubArea[std::size_t(s)].numberOr0() > 0;
    }
    return set;
}

CatchmentSet applyCandidate(const CatchmentSet& base, const std::vector<TunedParam>& tuned, std::span<const double> x) {
    CatchmentSet set = base;
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < tuned.size(); ++i) {
            const TunedParam& tunedParam = tuned[i];
            if ((tunedParam.form == ParamForm::Factor) != (pass == 0)) continue;
            const Param c = tunedParam.column;
            for (int s = 1; s <= kSubAreas; ++s) {
                SubAreaSet& a = set.sub[std::size_t(s)];
                if (!a.inCatchment || (tunedParam.form == ParamForm::SubArea && tunedParam.subArea != s)) continue;
                if (tunedParam.form == ParamForm::Factor) {
                    a.value[c] *= x[i];
                    if (tunedParam.column == para::TAW) a.value[para::RAW] *= x[i];
                } else {
                    a.value[c] = x[i];
                }
            }
        }
    }
    return set;
}

std::optional<std::string> infeasibility(const CatchmentSet& set) {
    for (int s = 1; s <= kSubAreas; ++s) {
        const SubAreaSet& a = set.sub[std::size_t(s)];
        if (!a.inCatchment) continue;
        const std::string name = subAreaName(s) + ": ";
        const auto& v = a.value;
        if (!(v[para::RAW] > 0)) return name + parameterName(para::RAW) + " must be greater than 0";
        if (!(v[para::TAW] > v[para::RAW])) return name + parameterName(para::TAW) + " must be greater than " + parameterName(para::RAW);
        if (!(v[para::IF] >= 0 && v[para::IF] <= 1)) return name + parameterName(para::IF) + " must lie in 0 .. 1";
        if (!(v[para::BFI] >= 0 && v[para::BFI] <= 1)) return name + parameterName(para::BFI) + " must lie in 0 .. 1";
        if (!(v[para::K] < 1)) return name + parameterName(para::K) + " must be below 1";
    }
    return std::nullopt;
}

void storeSet(const CatchmentSet& set, const std::vector<Param>& columns, Project& p) {
    for (int s = 1; s <= kSubAreas; ++s) {
        const SubAreaSet& a = set.sub[std::size_t(s)];
        if (!a.inCatchment) continue;
        for (const Param c : columns) p.SubPara(s - 1, c) = a.value[c];
    }
}

CatchmentSet asWorkbookReadsIt(const CatchmentSet& set, const std::vector<Param>& columns) {
    CatchmentSet out = set;
    for (SubAreaSet& a : out.sub)
        if (a.inCatchment)
            for (const Param c : columns) a.value[c] = parseNumber(generalNumberText(a.value[c])).value_or(0.0);
    return out;
}

std::vector<Param> changedColumns(const std::vector<TunedParam>& tuned) {
    std::vector<Param> columns;
    for (const TunedParam& tunedParam : tuned) {
        columns.push_back(tunedParam.column);
        if (tunedParam.form == ParamForm::Factor && tunedParam.column == para::TAW) columns.push_back(para::RAW);
    }
    std::sort(columns.begin(), columns.end());
    columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    return columns;
}

}  // namespace tarn
