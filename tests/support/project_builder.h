#pragma once
// Small projects for tests: a period of days from a start date with given daily inputs and
// sub-areas, without any workbook.
#include <chrono>
#include <string>
#include <vector>

#include "model/project.h"

namespace tarn::testing {

struct SubAreaSetup {
    double area = 100;     // ha
    int pct = 100;         // % of the total area
    double rainFactor = 100;
    double TAW = 150, RAW = 75, TopMax = 20, IF = 0.1, Kc = 1.0;
    double St0 = 10, Sw0 = 100, B0 = 5, BFI = 0.6, K = 0.95;
};

// A project of rain.size() days from `start`, ETref etref (same length), the given
// sub-areas in s = 1.. order; the other sub-areas have no area and empty parameters.
Project makeProject(std::chrono::year_month_day start, const std::vector<double>& rain,
                    const std::vector<double>& etref, const std::vector<SubAreaSetup>& areas);

void setSubArea(Project& p, int s, const SubAreaSetup& a);

// Forty days from 2004-03-01 of showers (18 mm every fourth day, 0.5 mm between) and an
// ETref of 2 mm, one sub-area of the default parameters, a total area of 100 ha.
Project fortyShowerDays();

struct DailySeries {
    std::vector<std::string> dates;
    std::vector<double> rain, etref, flow;
};
// The bundled Coln at Bibury record (examples/data/coln_bibury.csv).
DailySeries colnRecord();

}  // namespace tarn::testing
