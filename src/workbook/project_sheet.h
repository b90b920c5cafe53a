#pragma once
// A new input workbook written from scratch in the project layout: the header, the
// sub-area parameter block, the baseflow cells, the soil and vegetation class tables with
// their notes, the monthly evapotranspiration table and the daily series from row 25, each
// cell labelled for the reader. The bundled example and `tarnflow new` are both made so.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "model/class_names.h"
#include "workbook/daily_csv.h"

namespace tarn {

// One sub-area's column of F..O.
struct SubAreaSheetColumn {
    std::string name;                 // row 4, a caption only
    std::array<double, 10> values{};  // rows 5..14: share %, rainfall factor %, TAW mm, RAW mm,
                                      // toplayer store mm, interception fraction, crop
                                      // coefficient, initial toplayer, total and baseflow
                                      // contents mm
};

// The soil and vegetation class tables as a new workbook holds them. (The class tables'
// boxes on the screens are SoilClassTable and VegeClassTable of src/input.)
struct SoilClassSheet {
    std::array<std::array<double, 5>, 3> values{};  // [parameter][class]: TAW, RAW, toplayer store (mm), P5:T7
    double bfi = 0;                                  // X17
    double recession = 0;                            // X18, fraction kept per day
    std::string note;                                // P8
};

struct VegetationClassSheet {
    std::array<std::array<double, 5>, 2> values{};  // [parameter][class]: interception fraction, crop coefficient, V5:Z6
    std::string note;                                // V7
};

// The class tables a new project starts from; the README says where each value comes from.
// TAW of a 1 m root zone, RAW half of it, the toplayer the upper 0.15 m (P5:T7).
SoilClassSheet defaultSoilClasses();
// Interception fraction and crop coefficient of full cover (V5:Z6).
VegetationClassSheet defaultVegetationClasses();

struct ProjectSheet {
    std::string name;          // F1, project name and location
    std::string operatorName;  // F2
    double totalArea = 0;      // F3, ha
    std::vector<SubAreaSheetColumn> subAreas;  // F, G, ...: at most 10
    double bfi = 0;            // F17, baseflow index of every sub-area
    double recession = 0;      // F18, fraction of the baseflow store kept per day
    SoilClassSheet soil;
    VegetationClassSheet vegetation;
    std::vector<std::string> notes;  // A20 down: at most 4 (row 24 heads the daily series)
};

// The mean daily reference evapotranspiration of each calendar month of the record, mm/day
// rounded to 0.01 ([m] is month m; 0 for a month the record does not hold): AD5:AD16.
std::array<double, 13> monthlyEtrefMeans(const DailyRecord& record);

// Writes the workbook to `target` atomically (a temporary file renamed into place). Measured
// streamflow goes to column C on the days that have it; a day without stays an empty cell.
// Throws InputError naming `target` when it cannot be written.
void writeProjectWorkbook(const ProjectSheet& sheet, const DailyRecord& record, const std::filesystem::path& target);

}  // namespace tarn
