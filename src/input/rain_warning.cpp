#include "input/rain_warning.h"

#include <vector>

namespace tarn {

std::string noRainWarning(const Project& p) {
    std::vector<int> dry;
    for (int s = 1; s <= kSubAreas; ++s)
        if (p.SubArea[std::size_t(s)].numberOr0() > 0 && p.RainFactor[std::size_t(s)].numberOr0() == 0)
            dry.push_back(s);
    if (dry.empty()) return {};
    std::string names;
    for (std::size_t i = 0; i < dry.size(); ++i) {
        if (i > 0) names += i + 1 == dry.size() ? " and " : ", ";
        names += "A" + std::to_string(dry[i]);
    }
    return names + (dry.size() == 1 ? " gets no rain: its rainfall factor is empty or 0"
                                    : " get no rain: their rainfall factors are empty or 0");
}

}  // namespace tarn
