// make_example: builds the bundled example project workbook from the River Coln record, and
// its land-use scenario in which the grassland is planted with woodland.
//   make_example examples/data/coln_bibury.csv examples/coln_bibury.xlsx
//   make_example examples/data/coln_bibury.csv examples/coln_bibury_woodland.xlsx --woodland
#include <cstdio>
#include <string>

#include "model/errors.h"
#include "workbook/daily_csv.h"
#include "workbook/project_sheet.h"

namespace {

tarn::ProjectSheet colnSheet(bool woodland) {
    tarn::ProjectSheet sheet;
    sheet.name = "River Coln at Bibury, Gloucestershire, England";
    sheet.operatorName = "TARNFLOW example";
    sheet.totalArea = 10697;
    // Thin soils over oolitic limestone: modest stores, drainage mostly to groundwater.
    // Rows 5..14: share, rainfall factor, TAW, RAW, toplayer, interception, crop coefficient,
    // initial toplayer, total and baseflow contents.
    sheet.subAreas = {{"Arable", {50, 100, 110, 55, 20, 0.03, 0.8, 10, 90, 80}},
                      {"Grassland", {35, 100, 100, 50, 20, 0.05, 0.85, 10, 85, 80}},
                      {"Woodland", {15, 102, 150, 75, 25, 0.2, 0.95, 12, 120, 80}}};
    if (woodland) {
        // The scenario: the grassland's 35 % becomes woodland like the existing woodland
        // (deeper roots, a rougher and wetter canopy) on the grassland's own rainfall.
        sheet.name = "River Coln at Bibury: grassland turned to woodland";
        auto& [name, values] = sheet.subAreas[1];
        name = "Woodland (was grassland)";
        values = {35, 100, 150, 75, 25, 0.2, 0.95, 12, 120, 80};
    }
    sheet.bfi = 0.85;
    sheet.recession = 0.975;

    // The default class tables with this catchment's baseflow pair and the example's own words.
    sheet.soil = tarn::defaultSoilClasses();
    sheet.soil.bfi = 0.8;
    sheet.soil.recession = 0.97;
    sheet.soil.note = "Soil classes, rows 5 to 7: TAW, RAW and toplayer store (mm). Typical available water of each "
                      "texture for a 1 m root zone (FAO Irrigation and Drainage Paper 56, Table 19, mid-range); RAW "
                      "is half of TAW; the toplayer is the upper 0.15 m. Adjust to the soil survey of your catchment.";
    sheet.vegetation = tarn::defaultVegetationClasses();

    sheet.notes = {"Data: CAMELS-GB (Coxon et al. 2020, doi:10.5285/8344e4f3-d2ea-44f5-8afa-86d2987543a9), "
                   "daily catchment rainfall, Penman-Monteith reference evapotranspiration and measured "
                   "streamflow of the River Coln at Bibury, 1999-2008. Open Government Licence. "
                   "(c) UK Centre for Ecology & Hydrology, (c) University of Bristol; contains "
                   "Environment Agency information."};
    return sheet;
}

}  // namespace

int main(int argc, char** argv) {
    const bool woodland = argc == 4 && std::string(argv[3]) == "--woodland";
    if (argc != 3 && !woodland) {
        std::fprintf(stderr, "usage: make_example RECORD.csv TARGET.xlsx [--woodland]\n");
        return 2;
    }
    try {
        const tarn::DailyRecord record = tarn::readDailyCsv(argv[1]);
        tarn::writeProjectWorkbook(colnSheet(woodland), record, argv[2]);
        std::printf("%s: %zu days\n", argv[2], record.days.size());
        return 0;
    } catch (const tarn::InputError& e) {
        std::fprintf(stderr, "make_example: %s\n", e.what());
        return 1;
    }
}
