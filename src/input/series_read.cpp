#include "input/series_read.h"

#include <string>

#include "input/capture.h"
#include "input/etref_capture.h"
#include "input/rain_warning.h"
#include "model/measured_days.h"

namespace tarn {

namespace {

StepResult unread(const Project& p, const std::string& what, std::string focus) {
    return {false, "The " + what + " data were not read from " + p.ChartFile +
                       ": see the chart's message and capture the data again",
            std::move(focus), 1, {}};
}

}  // namespace

// The chart clears LoadRain once it has read the rainfall (and the streamflow with it), and
// LoadEtref once it has read the evapotranspiration.
std::optional<StepResult> rainUnread(Project& p) {
    if (p.RainDone == 0 || p.LoadRain == 0) return std::nullopt;
    p.RainDone = 0;
    return unread(p, "rainfall", "cmdCapRain");
}

std::optional<StepResult> etrefUnread(Project& p) {
    if (p.EtrefDone == 0 || p.LoadEtref == 0) return std::nullopt;
    p.EtrefDone = 0;
    return unread(p, "reference evapotranspiration", "cmdCapEtrefData");
}

std::string rainReadStatus(const Project& p, const std::string& status, const SubAreaBoxes& factors) {
    std::string notes = noRainWarning(p, factors);
    auto join = [&](const std::string& note) {
        if (!note.empty()) notes += (notes.empty() ? "" : "; ") + note;
    };
    if (p.MeasFlow == 1) {
        join(missingMeasuredText(p));
        join(negativeMeasuredText(p));
    }
    if (notes.empty()) return status;
    if (status.empty()) return notes;
    return status + (status.back() == ' ' ? "" : " ") + notes;
}

StepResult rainNextWhenRead(Project& p, const SubAreaBoxes& factors) {
    if (auto refused = rainUnread(p)) return *refused;
    return rainNext(p, factors);
}

StepResult etrefNextWhenRead(Project& p) {
    if (auto refused = etrefUnread(p)) return *refused;
    return etrefNext(p);
}

}  // namespace tarn
