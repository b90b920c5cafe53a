#pragma once
// The input workbook's cell map: where the project header, the sub-area parameters, the
// soil and vegetation class tables, the monthly evapotranspiration table and the daily
// series stand on the first worksheet, and how they enter the project state.
//
// Sub-areas are the columns F..O (sub-area 1 is F); the daily series start on row 25
// (row 24 + d holds day d): C measured streamflow, D date, E rainfall, F evapotranspiration.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/project.h"
#include "workbook/workbook.h"

namespace tarn {

inline constexpr int kFirstDayRow = 25;

// Column letters of sub-area s = 1..10 ("F".."O").
std::string subAreaColumn(int s);

// F1 (value as text) -> PrjName, F2 -> OperName, H2 -> LastRun, F3 -> TotalArea (displayed
// texts), and the area shares and rainfall factors of rows 5 and 6, F..O, into AreaInit.
void readHeader(const Workbook& book, Project& project);

// The parameters as the file has them: rows 5..14 of F..O into SubPara (as text), F17 and
// F18 (baseflow index, recession coefficient) to every sub-area, the soil class table
// P5:T7 as numbers with X17/X18 given to all five classes, the vegetation classes V5:Z6.
// Throws InputError naming the cell when a soil class value is not a number.
void loadParametersFromDataFile(const Workbook& book, Project& project);

// The number of days: consecutive non-empty cells of `column` from row 25 down. Throws
// InputError when there are more than the system can run.
int countDays(const Workbook& book, std::string_view column = "D");

enum class EtrefInput { None, Daily, Monthly };

struct SeriesRequest {
    bool rain = true;                       // column E
    bool measured = false;                  // column C
    EtrefInput etref = EtrefInput::Daily;   // column F, or AD5:AD16 by calendar month
};

// Reads the period and the daily series into the project: sizes the daily tables anew,
// DayDate from column D ("YYYY-MM-DD"; date cells, date serials or date texts), rainfall
// into Balance(0, d, 1), measured streamflow into Balance(11, d, 16) (an empty cell is a
// missing day: 0 there, marked in MeasMissing; negative days in MeasNegative), daily ETref into
// Balance(Inputs, d, ETr), or the twelve monthly values into MonthlyEtref with their labels
// from AC5:AC16 in MonthLabel (EtrefMonthly = 1; spreadMonthlyEtref makes them daily).
// Throws InputError naming the cell for a value that is not a number, a daily depth that is
// not plausible (rainfall or ETref below 0, any of them above kMostDailyDepth: "E1043: the
// rainfall 1E+308 mm is not plausible (0..10000 mm a day)"; a negative measured streamflow
// is read), a date that is not a date, or dates that are not consecutive days; the project
// is left as it was then.
void loadDailySeries(const Workbook& book, Project& project, const SeriesRequest& request);

// Every day receives the monthly ETref of its calendar month: Balance(0, d, 2) =
// MonthlyEtref of the month of day d.
void spreadMonthlyEtref(Project& project);

// The date of a cell of the date column as "YYYY-MM-DD": a date cell, a number read as a
// date serial of the workbook's date system, or a text "YYYY-MM-DD" or "YYYY/M/D". Throws
// InputError naming the cell otherwise.
std::string dateOfCell(const Workbook& book, int row, std::string_view column);

// The number of a cell: numbers as they are, number texts read, empty as 0. Throws
// InputError naming the cell for anything else ("E1043: 'n/a' is not a number").
double numberOfCell(const Workbook& book, int row, std::string_view column);

// Reads of one series at a time, for the input series chart; day d stands on row 24 + d and
// index 0 of each result is unused. Each throws InputError naming the first bad cell.

// The dates of days 1..days of `column`, as dateOfCell gives them; they must be
// consecutive days.
std::vector<std::string> readDayDates(const Workbook& book, int days, std::string_view column);

// The numbers of days 1..days of `column`, as numberOfCell gives them; the depths of the
// daily columns (E rainfall, F ETref) must be plausible, as loadDailySeries has them.
std::vector<double> readDayNumbers(const Workbook& book, int days, std::string_view column);

// The measured streamflow of days 1..days of column C ([0] unused): numbers as
// numberOfCell reads them, and missing[d] = 1 for a day whose cell is empty or holds
// blanks only (a missing day, whose value is 0). Throws InputError naming the first bad
// cell.
struct MeasuredRead {
    std::vector<double> values;
    std::vector<unsigned char> missing;
};
MeasuredRead readMeasuredStreamflow(const Workbook& book, int days);

// Refuses a series of `column` that goes on below the last of `days` dates of
// `dateColumn`: such values would have no day. `what` names the series in the message
// ("the rainfall").
void checkSeriesEndsWithDates(const Workbook& book, int days, std::string_view dateColumn,
                              std::string_view column, std::string_view what);

// The twelve monthly values of rows 5..16 of `column` ([m] is month m) and their labels,
// the texts of AC5:AC16. The values of AD (ETref, mm a day) must be plausible.
struct MonthlyTable {
    std::array<double, 13> values{};
    std::array<std::string, 13> labels{};
};
MonthlyTable readMonthlyTable(const Workbook& book, std::string_view column);

}  // namespace tarn
