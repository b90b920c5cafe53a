#pragma once
// A new project from a CSV of daily series: a complete input workbook whose class tables
// hold the documented defaults, whose sub-areas take their soil and vegetation parameters
// from the chosen classes, and whose initial conditions and baseflow cells follow stated
// rules (written into the workbook's notes and the README).
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "workbook/daily_csv.h"
#include "workbook/project_sheet.h"

namespace tarn {

inline constexpr int kDefaultSoilClass = 3;        // Silt loam
inline constexpr int kDefaultVegetationClass = 5;  // Pasture
// Days at the start of the record whose mean measured streamflow sets the initial baseflow
// store.
inline constexpr int kInitialBaseflowDays = 30;

struct NewProjectOptions {
    std::filesystem::path target;  // the new workbook, .xlsx
    std::filesystem::path series;  // the CSV of daily series
    double area = 0;               // total catchment area, ha
    std::vector<int> shares{100};  // whole per cent of each sub-area, adding up to 100
    std::vector<int> soil;         // soil class 1..5 of each sub-area; one for all; empty: the default
    std::vector<int> vegetation;   // vegetation class 1..5 likewise
    std::string name;              // F1; empty: the CSV's file name without its extension
    std::optional<double> bfi;        // baseflow index; none: the soil class table's
    std::optional<double> recession;  // fraction kept per day; none: the soil class table's
    bool replace = false;          // replace an existing target
};

struct NewProjectReport {
    std::filesystem::path target;
    int days = 0;
    std::string first, last;  // "YYYY-MM-DD"
    int subAreas = 0;
    int measuredDays = 0;
};

// The workbook's content from checked options and the record. Throws InputError for an
// area that is not above 0, shares that are not whole numbers 1..100 adding up to 100 or
// more than ten of them, class lists of another length than one or the number of
// sub-areas, a class outside 1..5, a baseflow index outside 0..1 or a recession
// coefficient outside 0..1 (1 excluded).
ProjectSheet newProjectSheet(const NewProjectOptions& options, const DailyRecord& record);

// The initial baseflow store of every sub-area, mm: BFI x Q / (1 - K), where Q is the mean
// measured streamflow of the measured days among the first kInitialBaseflowDays days, so
// that the first day's baseflow is the BFI share of the streamflow the record starts with;
// 0 without such days. Rounded to 0.1 mm.
double initialBaseflowStore(const DailyRecord& record, double bfi, double recession);

// Checks the paths (the target must be an .xlsx file that is not the CSV and does not exist
// unless options.replace), reads the CSV and writes the workbook atomically. Throws
// InputError naming the file (and the CSV's line) for anything refused; nothing is written
// then.
NewProjectReport createNewProject(const NewProjectOptions& options);

}  // namespace tarn
