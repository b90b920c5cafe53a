#include "model/measured_days.h"

namespace tarn {

int missingMeasuredDays(const Project& p) {
    int count = 0;
    for (int d = 1; d <= p.NumDays; ++d) count += measuredMissing(p, d) ? 1 : 0;
    return count;
}

std::string missingMeasuredText(const Project&) { return {}; }

std::string negativeMeasuredText(const Project&) { return {}; }

}  // namespace tarn
