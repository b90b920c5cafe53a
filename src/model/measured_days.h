#pragma once
// Days of the measured streamflow that are missing or negative, and how messages name them.
#include <string>
#include <vector>

#include "model/project.h"

namespace tarn {

// True when the measured streamflow of day d is missing.
inline bool measuredMissing(const Project& p, int d) {
    return d >= 0 && std::size_t(d) < p.MeasMissing.size() && p.MeasMissing[std::size_t(d)] != 0;
}

// Days 1..NumDays without a measured streamflow.
int missingMeasuredDays(const Project& p);

// "C1043 and 211 more days have no measured streamflow" (row 24 + d of the first missing
// day; "C1043 has no measured streamflow" for one day); empty when none is missing.
std::string missingMeasuredText(const Project& p);

// "C1050: the measured streamflow -0.3 is negative" (and " and 4 more days" when there are
// more); empty when none is negative.
std::string negativeMeasuredText(const Project& p);

// After the measured streamflow of days 1..NumDays has been stored into
// Balance(FirstRun, d, Measured): `missing` ([d] = 1: the day's cell was empty) becomes
// MeasMissing (cleared when no day is missing), and MeasNegative lists the days below 0.
void setMeasuredDays(Project& p, std::vector<unsigned char> missing);

// A measured streamflow given for day d (an edited chart point): stored, the day is no
// longer missing, and it is negative only when the value is.
void setMeasuredValue(Project& p, int d, double value);

}  // namespace tarn
