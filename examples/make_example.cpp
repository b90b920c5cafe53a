// make_example: builds the bundled example project workbook from the River Coln record.
//   make_example examples/data/coln_bibury.csv examples/coln_bibury.xlsx
#include <array>
#include <cmath>
#include <cstdio>
#include <exception>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "model/dates.h"
#include "model/errors.h"
#include "model/variant.h"
#include "workbook/xlsx_builder.h"

namespace {

struct Day {
    int date;  // days since 1970-01-01
    double rain, etref, flow;  // mm
};

std::vector<Day> readRecord(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw tarn::InputError(path + ": cannot be read");
    std::vector<Day> days;
    std::string line;
    std::getline(in, line);  // date,rain_mm,etref_mm,flow_mm
    int lineNo = 1;
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.empty()) continue;
        std::istringstream fields(line);
        std::array<std::string, 4> f;
        for (auto& field : f) std::getline(fields, field, ',');
        auto date = tarn::parseDateText(f[0]);
        auto rain = tarn::parseNumber(f[1]), etref = tarn::parseNumber(f[2]), flow = tarn::parseNumber(f[3]);
        if (!date || !rain || !etref || !flow)
            throw tarn::InputError(path + ", line " + std::to_string(lineNo) + ": '" + line + "' is not date,rain,etref,flow");
        days.push_back({tarn::daysSinceEpoch(*date), *rain, *etref, *flow});
    }
    return days;
}

void build(const std::vector<Day>& days, const std::string& target) {
    tarn::XlsxBuilder b;
    const int s = b.addSheet("Project");
    auto text = [&](int row, int column, const std::string& t) { b.setText(s, row, column, t); };
    auto number = [&](int row, int column, double x) { b.setNumber(s, row, column, x); };
    enum { A = 1, B, C, D, E, F, G, H, P = 16, V = 22, X = 24, AC = 29, AD = 30 };

    // Header.
    text(1, A, "Project name and location");
    text(1, F, "River Coln at Bibury, Gloucestershire, England");
    text(2, A, "Operator");
    text(2, F, "TARNFLOW example");
    text(2, G, "Last run on:");
    text(3, A, "Total catchment area (ha)");
    number(3, F, 10697);
    text(4, A, "Sub-area");
    text(4, F, "Arable");
    text(4, G, "Grassland");
    text(4, H, "Woodland");

    // Sub-area parameters, rows 5..14 of F..H.
    const char* labels[] = {"Share of the catchment area (%)", "Rainfall scaling factor (%)",
                            "Total available water TAW (mm)", "Readily available water RAW (mm)",
                            "Toplayer store (mm)", "Interception fraction", "Crop coefficient",
                            "Initial toplayer water content (mm)", "Initial total water content (mm)",
                            "Initial baseflow content (mm)"};
    // Thin soils over oolitic limestone: modest stores, drainage mostly to groundwater.
    const double arable[] = {50, 100, 110, 55, 20, 0.03, 0.8, 10, 90, 80};
    const double grass[] = {35, 100, 100, 50, 20, 0.05, 0.85, 10, 85, 80};
    const double wood[] = {15, 102, 150, 75, 25, 0.2, 0.95, 12, 120, 80};
    for (int p = 0; p < 10; ++p) {
        text(5 + p, A, labels[p]);
        number(5 + p, F, arable[p]);
        number(5 + p, G, grass[p]);
        number(5 + p, H, wood[p]);
    }
    text(17, A, "Baseflow index (BFI)");
    number(17, F, 0.85);
    text(18, A, "Recession coefficient (fraction kept per day)");
    number(18, F, 0.975);

    // Soil classes P..T: TAW, RAW and toplayer store for a 1 m root zone.
    const char* soils[] = {"Sand", "Sandy loam", "Silt loam", "Clay loam", "Clay"};
    const double soil[3][5] = {{80, 120, 180, 160, 150}, {40, 60, 90, 80, 75}, {12, 18, 27, 24, 22}};
    for (int c = 0; c < 5; ++c) {
        text(4, P + c, soils[c]);
        for (int p = 0; p < 3; ++p) number(5 + p, P + c, soil[p][c]);
    }
    text(8, P, "Soil classes, rows 5 to 7: TAW, RAW and toplayer store (mm). Typical available water of each texture for a 1 m root zone (FAO Irrigation and "
               "Drainage Paper 56, Table 19, mid-range); RAW is half of TAW; the toplayer is the "
               "upper 0.15 m. Adjust to the soil survey of your catchment.");
    text(17, X - 1, "Soil classes: BFI");
    number(17, X, 0.8);
    text(18, X - 1, "Soil classes: recession");
    number(18, X, 0.97);

    // Vegetation classes V..Z: interception fraction and crop coefficient.
    const char* vegetation[] = {"Forest old", "Forest young", "Scrub", "Tussock grassland", "Pasture"};
    const double vege[2][5] = {{0.3, 0.2, 0.15, 0.1, 0.08}, {1.1, 1.0, 0.95, 0.85, 1.0}};
    for (int c = 0; c < 5; ++c) {
        text(4, V + c, vegetation[c]);
        for (int p = 0; p < 2; ++p) number(5 + p, V + c, vege[p][c]);
    }
    text(7, V, "Interception as a share of gross rainfall, typical of temperate forest, scrub and "
               "grass canopies; crop coefficients for full cover after FAO Irrigation and Drainage "
               "Paper 56. Adjust to your catchment.");

    // Monthly reference evapotranspiration: the mean daily value of each calendar month of
    // the record.
    std::array<double, 13> sum{};
    std::array<int, 13> count{};
    for (const Day& d : days) {
        const unsigned m = unsigned(tarn::dateFromDays(d.date).month());
        sum[m] += d.etref;
        ++count[m];
    }
    const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    text(4, AC, "Month");
    text(4, AD, "ETref (mm/day)");
    for (int m = 1; m <= 12; ++m) {
        text(4 + m, AC, months[m - 1]);
        number(4 + m, AD, count[std::size_t(m)] ? std::round(sum[std::size_t(m)] / count[std::size_t(m)] * 100) / 100 : 0);
    }

    text(20, A, "Data: CAMELS-GB (Coxon et al. 2020, doi:10.5285/8344e4f3-d2ea-44f5-8afa-86d2987543a9), "
                "daily catchment rainfall, Penman-Monteith reference evapotranspiration and measured "
                "streamflow of the River Coln at Bibury, 1999-2008. Open Government Licence. "
                "(c) UK Centre for Ecology & Hydrology, (c) University of Bristol; contains "
                "Environment Agency information.");

    // Daily series from row 25.
    text(24, C, "Measured flow (mm)");
    text(24, D, "Date");
    text(24, E, "Rainfall (mm)");
    text(24, F, "ETref (mm)");
    int row = 25;
    for (const Day& d : days) {
        number(row, C, d.flow);
        b.setDate(s, row, D, d.date);
        number(row, E, d.rain);
        number(row, F, d.etref);
        ++row;
    }
    b.setColumnWidth(s, A, 40);
    for (int c = C; c <= F; ++c) b.setColumnWidth(s, c, 14);
    b.save(target);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_example RECORD.csv TARGET.xlsx\n");
        return 2;
    }
    try {
        const auto days = readRecord(argv[1]);
        build(days, argv[2]);
        std::printf("%s: %zu days\n", argv[2], days.size());
        return 0;
    } catch (const tarn::InputError& e) {
        std::fprintf(stderr, "make_example: %s\n", e.what());
        return 1;
    }
}
