#pragma once
// A comma-separated file of daily series, the way a new project's record arrives: a header
// row naming the columns, then one line per day with the date (ISO yyyy-mm-dd), the
// rainfall (mm), the reference evapotranspiration (mm) and, when the header names a fourth
// column, the measured streamflow (mm; an empty field is a day without a measurement).
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarn {

struct DailyValues {
    int date = 0;                 // days since 1970-01-01
    double rain = 0;              // mm
    double etref = 0;             // mm
    std::optional<double> flow;   // mm; none on a day without a measurement
};

struct DailyRecord {
    std::vector<DailyValues> days;  // consecutive days, first to last
    bool hasFlowColumn = false;     // the header names a measured streamflow column
    int measuredDays = 0;           // days with a measured streamflow
};

// Reads the file at `path`. Throws InputError naming the file and the line
// ("DATA.csv, line 17: rainfall 'n/a' is not a number") for an empty file, a header with
// too few or too many columns, a line with another number of fields than the header, a
// date that is not yyyy-mm-dd or does not follow the day before (a gap or a repeat), an
// empty or non-numeric rainfall or evapotranspiration, a non-numeric streamflow, a negative
// rainfall or evapotranspiration, a depth above kMostDailyDepth, no days at all, or more
// days than a run can take, and for a file that is not UTF-8 text (UTF-16, NUL bytes).
// Field texts in messages are cut and made printable (quotedText).
// Blank lines are passed over; fields may be quoted ("1.5") and padded with blanks.
DailyRecord readDailyCsv(const std::filesystem::path& path);

}  // namespace tarn
