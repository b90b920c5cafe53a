#pragma once
// The one shared project state. Every screen, the command line and the core routines work
// on one Project, handed on by reference. Members keep the names and index ranges the whole
// system uses; where a table is indexed by day its size follows the loaded period.
#include <array>
#include <string>
#include <vector>

#include "model/axes.h"
#include "model/tables.h"
#include "model/units.h"
#include "model/variant.h"

namespace tarn {

// The longest record the system accepts, in days.
inline constexpr int kMaxDays = 40000;
// The years a table of one year type holds: how many, and the year that labels each (1..).
// A water year is labelled with the calendar year of its July.
struct YearList {
    int count = 0;
    std::vector<float> years;  // (0..count)
};

// Daily discharge volumes, litres: FlowTable(column, day, s), day 0..NumDays, s 1..10 and
// kCatchment.
using FlowTableT = TypedDaySeries<double, FlowColumn, int>;

// The sub-areas' monthly volumes of each run, thousand m3: MonSub(run, s, m).
class MonthlySubAreaVolumes {
public:
    void grow(int months) { g_.grow(2 * kSubAreas + 1, months); }
    double& operator()(Run r, int s, int m) { return g_(row(r, s), m); }
    double operator()(Run r, int s, int m) const { return g_(row(r, s), m); }
    int cols() const { return g_.cols(); }

private:
    static int row(Run r, int s) { return (r == Run::First ? kSubAreas : 0) + s; }
    Grid<double> g_;
};

// Seven-day means looking forward from each day d = 1..NumDays (index d), of the runs as
// they are when the analysis that reads them computes them; days past the record count as
// zero. One meaning each: the yearly minima read these, the period minima their own.
struct SevenDayMeans {
    std::vector<double> firstVolume, lastVolume;               // m3/day: the window's litres / 7000
    std::vector<double> firstDepth, lastDepth, measuredDepth;  // mm/day
};

struct Project {
    // Workbook and project identity.
    std::string DataFile;
    std::string PrjName;
    std::string OperName;
    std::string LastRun;
    std::string TimeNow;
    Variant TotalArea;  // ha

    // Period and daily tables. NumDays changes only through resizeDays, together with the
    // sizes of the daily tables, so every table holds the days 1..NumDays. Readers that ask
    // by an index a shorter record may not have use the tables' value() accessors.
    int NumDays = 0;
    Grid<std::string> DayDate;  // (0..N+1, 0..1): column 0 the date text of day d
    TypedDaySeries<double, Slot, Qty> Balance;  // (slot, day 0..N+15, k), mm/day
    FlowTableT FlowTable;            // litres
    // Measured streamflow (Balance(FirstRun, d, Measured)) of a day whose cell was empty is
    // missing: it is stored as 0 for the monthly and annual tables, and MeasMissing(d) = 1.
    // Empty when no day is missing. MeasNegative lists the days with a negative value.
    std::vector<unsigned char> MeasMissing;  // (0..NumDays)
    std::vector<int> MeasNegative;
    int DaysOut = 0;   // last day the output chart shows
    int StartDay = 0;  // first day the output chart shows after a rerun
    int StopDay = 0;   // day of the output screens' upper date limit

    // Sub-areas and parameters.
    std::array<Variant, 12> SubArea{};      // (0..11), 1..10 used: ha
    std::array<int, 11> SubAreaPct{};       // (0..10): whole percent of the total area
    int SumPct = 0;
    std::array<Variant, 21> RainFactor{};   // (0..20): percent
    Variant SumScale;
    TypedGrid<Variant, int, Param> SubPara{20, kParams};  // (sub-area s - 1, parameter)
    Grid<Variant> AreaInit{11, 2};          // (column 1..10, row 0..1) as found in the file
    Grid<double> SoilData{5, 5};            // (class 0..4, parameter 0..4)
    Grid<Variant> VegeData{5, 2};           // (class 0..4, parameter 0..1)
    std::array<int, 11> SoilSel{};          // (1..10) soil class 1..5 chosen for sub-area s, 0 none
    std::array<int, 11> VegeSel{};          // (1..10) vegetation class 1..5 chosen for sub-area s, 0 none
    std::array<std::string, 13> MonthLabel{};  // (1..12) labels of the monthly ETref table
    std::array<double, 13> MonthlyEtref{};     // (1..12) the monthly ETref table, mm/day

    // Monthly totals of the runs (sized to the period).
    int NumMonths = 0;
    std::vector<float> MonYear;    // (0..M) calendar year of month m
    std::vector<float> MonMonth;   // (0..M) month number 1..12 of month m
    TypedGrid<double, MonthField, int> MonTotal;  // (field, month 0..M)
    MonthlySubAreaVolumes MonSub;                 // (run, s, month 0..M), 1000 m3
    int NumYears = 0;
    std::vector<float> AnnYear;    // (0..Y)
    double MaxMonFirst = 0;        // 1000 m3

    // Monthly table display.
    double MonScale = 1;
    std::string MonthName;

    // Annual totals (sized to the record's years). NumYears and AnnYear hold the years of
    // the last table built; AnnYearsOf keeps each year type's own years.
    TypedGrid<double, AnnualRow, int> AnnTotal;                // (row, year 0..Y)
    TypedTable3<Variant, int, AnnualBlock, int> SubAnnual;     // (sub-area, block, year 0..Y), 1000 m3
    std::array<YearList, 3> AnnYearsOf{};  // [Water], [Calendar]
    double AnnScale = 1;
    std::string AnnUnit;

    // Seven-day minima (sized to the record's years).
    SevenDayMeans SevenDay;
    TypedDaySeries<double, Run, int> SubFlow7;  // (run, day 0..N, sub-area 1..10), m3/day
    TypedGrid<double, YearType, int> MinFlowFirst, MinFlowLast, MinFlowMeas;       // (year type, year 0..Y)
    TypedGrid<std::string, YearType, int> MinDateFirst, MinDateLast, MinDateMeas;  // date texts, same layout
    std::vector<int> MinDayFirst, MinDayLast, MinDayMeas;       // day index, latest search
    std::vector<int> YearStart;            // (0..) day index of each year boundary, from 1
    std::vector<std::string> YearStartText;
    std::vector<int> YearNum;              // calendar year over year column k
    int YearBounds = 0;
    int PageYears = 0;
    std::array<int, 3> MinYearsOf{};       // years found by the last search of each type
    double FlowScale = 1;
    std::string MinFlowUnit;

    // Minimum over a period: the seven-day mean depths of the first and the last run,
    // mm/day (index d = 1..NumDays), and the minima found.
    std::vector<double> PeriodMeanFirst, PeriodMeanLast;
    double PerMinLast = 0;
    std::string PerDateLast;
    double PerMinMeas = 0;
    std::string PerDateMeas;

    // Flags and run bookkeeping.
    int RerunFlag = 0;
    int AreaError = 0;  // 1: the last refresh of an output screen found shares not adding to 100
    int ModelRun = 0;
    int RunDone = 0;
    int TestOnly = 0;
    int ShowNames = 0;
    int MeasFlow = 0;
    int RainDone = 0;
    int EtrefDone = 0;
    int EtrefMonthly = 0;

    // Input series chart: what the capture steps ask it to read from the workbook and how
    // it shows it (src/input/input_chart.h reads and charts by these).
    std::string ChartFile;          // workbook the chart reads (the capture step's DataFile)
    std::string ColDate = "D";      // date column
    std::string ColData = "E";      // column of the requested series ("E", "F" or "AD")
    std::string ChartTitle;         // title of the requested series
    int ChartSeries = 1;            // 1 rainfall, 2 reference evapotranspiration
    int ChartLoaded = 0;            // 1 once the period has been read from ChartFile
    int ChartRedim = 0;             // 1: the next read sizes the daily tables anew
    int LoadDates = 0;              // the next read takes the dates
    int LoadRain = 0;               // ... the rainfall
    int LoadEtref = 0;              // ... the reference evapotranspiration
    int ChartMeas = 0;              // 1: measured streamflow is read and charted
    int ChartFromRain = 0;          // 1: the chart was opened from the rainfall step
    int MaxRows = 0;                // rows the chart can show

    // Sizes the daily tables for a period of numDays days, all values zero, and sets
    // NumDays. Throws InputError for more than kMaxDays days. The results of both runs go
    // with the old period (RunDone, ModelRun and RerunFlag are cleared).
    void resizeDays(int numDays);

    // Makes the monthly tables hold months 0..months and the year table years 0..years,
    // keeping what they hold.
    void reserveMonths(int months);

    // Makes the annual and seven-day tables hold years 0..years, keeping what they hold.
    void reserveYears(int years);
};

}  // namespace tarn
