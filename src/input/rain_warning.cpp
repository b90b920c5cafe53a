#include "input/rain_warning.h"

#include <vector>

namespace tarn {

namespace {

// The warning for sub-areas s whose factor(s) is 0, among those with an area.
template <class Factor>
std::string warningFor(const Project& p, Factor factor) {
    std::vector<int> dry;
    for (int s = 1; s <= kSubAreas; ++s)
        if (p.SubArea[std::size_t(s)].numberOr0() > 0 && factor(s) == 0) dry.push_back(s);
    if (dry.empty()) return {};
    std::string names;
    for (std::size_t i = 0; i < dry.size(); ++i) {
        if (i > 0) names += i + 1 == dry.size() ? " and " : ", ";
        names += "A" + std::to_string(dry[i]);
    }
    return names + (dry.size() == 1 ? " gets no rain: its rainfall factor is empty or 0"
                                    : " get no rain: their rainfall factors are empty or 0");
}

}  // namespace

std::string noRainWarning(const Project& p) {
    return warningFor(p, [&](int s) { return p.RainFactor[std::size_t(s)].numberOr0(); });
}

std::string noRainWarning(const Project& p, const SubAreaBoxes& factors) {
    return warningFor(p, [&](int s) {
        const auto box = wholeNumber(factors[std::size_t(s - 1)]);
        return box ? double(*box) : p.RainFactor[std::size_t(s)].numberOr0();
    });
}

}  // namespace tarn
