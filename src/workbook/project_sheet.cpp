#include "workbook/project_sheet.h"

#include <cmath>

#include "model/dates.h"
#include "model/errors.h"
#include "model/project.h"
#include "workbook/input_workbook.h"
#include "workbook/xlsx_builder.h"

namespace tarn {

SoilClassSheet defaultSoilClasses() {
    SoilClassSheet t;
    t.values = {{{80, 120, 180, 160, 150}, {40, 60, 90, 80, 75}, {12, 18, 27, 24, 22}}};
    t.bfi = 0.5;
    t.recession = 0.98;
    t.note = "Soil classes, rows 5 to 7: TAW, RAW and toplayer store (mm) of a 1 m root zone. TAW lies within "
             "the available water (field capacity less wilting point) that FAO Irrigation and Drainage Paper 56, "
             "Table 19, gives for the texture (silty clay loam for clay loam); RAW is half of TAW (depletion "
             "fraction p = 0.5); the toplayer is the upper 0.15 m. X17 and X18: baseflow index and recession "
             "coefficient of the classes. Adjust to the soil survey of your catchment.";
    return t;
}

VegetationClassSheet defaultVegetationClasses() {
    VegetationClassSheet t;
    t.values = {{{0.3, 0.2, 0.15, 0.1, 0.08}, {1.1, 1.0, 0.95, 0.85, 1.0}}};
    t.note = "Interception as a share of gross rainfall, typical of temperate forest, scrub and grass canopies; "
             "crop coefficients for full cover after FAO Irrigation and Drainage Paper 56. Adjust to your "
             "catchment.";
    return t;
}

std::array<double, 13> monthlyEtrefMeans(const DailyRecord& record) {
    std::array<double, 13> sum{};
    std::array<int, 13> count{};
    for (const DailyValues& d : record.days) {
        const auto m = std::size_t(unsigned(dateFromDays(d.date).month()));
        sum[m] += d.etref;
        ++count[m];
    }
    std::array<double, 13> mean{};
    for (std::size_t m = 1; m <= 12; ++m)
        mean[m] = count[m] ? std::round(sum[m] / count[m] * 100) / 100 : 0;
    return mean;
}

void writeProjectWorkbook(const ProjectSheet& sheet, const DailyRecord& record, const std::filesystem::path& target) {
    if (sheet.subAreas.empty() || int(sheet.subAreas.size()) > kSubAreas)
        throw InputError(target.string() + ": a project has 1 to " + std::to_string(kSubAreas) + " sub-areas, not " +
                         std::to_string(sheet.subAreas.size()));
    if (sheet.notes.size() > 4)
        throw InputError(target.string() + ": at most 4 notes fit above the daily series");
    if (int(record.days.size()) > kMaxDays)
        throw InputError(target.string() + ": more than " + std::to_string(kMaxDays) + " days");

    XlsxBuilder b;
    const int s = b.addSheet("Project");
    auto text = [&](int row, int column, const std::string& t) { b.setText(s, row, column, t); };
    auto number = [&](int row, int column, double x) { b.setNumber(s, row, column, x); };
    enum { A = 1, C = 3, D, E, F, G, P = 16, V = 22, W, X, AC = 29, AD };

    // Header.
    text(1, A, "Project name and location");
    text(1, F, sheet.name);
    text(2, A, "Operator");
    if (!sheet.operatorName.empty()) text(2, F, sheet.operatorName);
    text(2, G, "Last run on:");
    text(3, A, "Total catchment area (ha)");
    number(3, F, sheet.totalArea);
    text(4, A, "Sub-area");

    // Sub-area parameters, rows 5..14 of F onwards.
    static constexpr const char* kLabels[] = {
        "Share of the catchment area (%)",     "Rainfall scaling factor (%)",
        "Total available water TAW (mm)",      "Readily available water RAW (mm)",
        "Toplayer store (mm)",                 "Interception fraction",
        "Crop coefficient",                    "Initial toplayer water content (mm)",
        "Initial total water content (mm)",    "Initial baseflow content (mm)"};
    for (int p = 0; p < 10; ++p) text(5 + p, A, kLabels[p]);
    for (std::size_t i = 0; i < sheet.subAreas.size(); ++i) {
        const int column = F + int(i);
        text(4, column, sheet.subAreas[i].name);
        for (int p = 0; p < 10; ++p) number(5 + p, column, sheet.subAreas[i].values[std::size_t(p)]);
    }
    text(17, A, "Baseflow index (BFI)");
    number(17, F, sheet.bfi);
    text(18, A, "Recession coefficient (fraction kept per day)");
    number(18, F, sheet.recession);

    // Soil classes P..T and their baseflow pair X17:X18.
    for (int c = 0; c < 5; ++c) {
        text(4, P + c, kSoilClassNames[std::size_t(c)]);
        for (int p = 0; p < 3; ++p) number(5 + p, P + c, sheet.soil.values[std::size_t(p)][std::size_t(c)]);
    }
    text(8, P, sheet.soil.note);
    text(17, W, "Soil classes: BFI");
    number(17, X, sheet.soil.bfi);
    text(18, W, "Soil classes: recession");
    number(18, X, sheet.soil.recession);

    // Vegetation classes V..Z.
    for (int c = 0; c < 5; ++c) {
        text(4, V + c, kVegetationClassNames[std::size_t(c)]);
        for (int p = 0; p < 2; ++p) number(5 + p, V + c, sheet.vegetation.values[std::size_t(p)][std::size_t(c)]);
    }
    text(7, V, sheet.vegetation.note);

    // Monthly reference evapotranspiration.
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const auto monthly = monthlyEtrefMeans(record);
    text(4, AC, "Month");
    text(4, AD, "ETref (mm/day)");
    for (int m = 1; m <= 12; ++m) {
        text(4 + m, AC, kMonths[m - 1]);
        number(4 + m, AD, monthly[std::size_t(m)]);
    }

    for (std::size_t i = 0; i < sheet.notes.size(); ++i) text(20 + int(i), A, sheet.notes[i]);

    // Daily series from row 25.
    text(kFirstDayRow - 1, C, "Measured flow (mm)");
    text(kFirstDayRow - 1, D, "Date");
    text(kFirstDayRow - 1, E, "Rainfall (mm)");
    text(kFirstDayRow - 1, F, "ETref (mm)");
    int row = kFirstDayRow;
    for (const DailyValues& d : record.days) {
        if (d.flow) number(row, C, *d.flow);
        b.setDate(s, row, D, d.date);
        number(row, E, d.rain);
        number(row, F, d.etref);
        ++row;
    }
    b.setColumnWidth(s, A, 40);
    for (int c = C; c <= F; ++c) b.setColumnWidth(s, c, 14);
    b.save(target);
}

}  // namespace tarn
