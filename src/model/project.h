#pragma once
// The one shared project state. Every screen, the command line and the core routines work
// on one Project, handed on by reference. Members keep the names and index ranges the whole
// system uses; where a table is indexed by day its size follows the loaded period.
#include <array>
#include <string>
#include <vector>

#include "model/tables.h"
#include "model/variant.h"

namespace tarn {

// The longest record the system accepts, in days.
inline constexpr int kMaxDays = 40000;
// Sub-areas of a project, numbered s = 1..10.
inline constexpr int kSubAreas = 10;

// Quantities k of Balance(slot, day, k) for the sub-areas and the catchment slots.
namespace qty {
inline constexpr int P = 1;     // rainfall on the sub-area, mm/day
inline constexpr int ETr = 2;   // reference evapotranspiration, mm/day
inline constexpr int PET = 3;   // energy-limited maximum evaporation, mm/day
inline constexpr int Ei = 4;    // interception loss, mm/day
inline constexpr int Tt = 5;    // transpiration from the toplayer, mm/day
inline constexpr int Tw = 6;    // transpiration from the whole profile, mm/day
inline constexpr int Ta = 7;    // actual transpiration, mm/day
inline constexpr int St = 8;    // toplayer water store, mm
inline constexpr int Sw = 9;    // whole-profile water store, mm
inline constexpr int Fi = 10;   // drainage surplus, mm/day
inline constexpr int R = 11;    // recharge to the baseflow store, mm/day
inline constexpr int B = 12;    // baseflow store content, mm
inline constexpr int BF = 13;   // baseflow, mm/day
inline constexpr int QF = 14;   // surplus quickflow, mm/day
inline constexpr int Q = 15;    // total discharge, mm/day
inline constexpr int Measured = 16;  // measured streamflow (slot 11 only), mm/day
}  // namespace qty

// Slots of Balance.
namespace slot {
inline constexpr int Inputs = 0;    // catchment rainfall (k = 1) and ETref (k = 2)
inline constexpr int FirstRun = 11; // first-run catchment series; k = 16 measured streamflow
inline constexpr int LastRun = 12;  // last-run catchment series
}  // namespace slot

// Columns of SubPara(s - 1, column).
namespace para {
inline constexpr int Area = 0;
inline constexpr int RainScale = 1;
inline constexpr int TAW = 2;      // total available water, mm
inline constexpr int RAW = 3;      // readily available water, mm
inline constexpr int TopMax = 4;   // toplayer store capacity, mm
inline constexpr int IF = 5;       // interception fraction
inline constexpr int Kc = 6;       // crop coefficient
inline constexpr int St0 = 7;      // initial toplayer water, mm
inline constexpr int Sw0 = 8;      // initial total water, mm
inline constexpr int B0 = 9;       // initial baseflow store, mm
inline constexpr int BFI = 10;     // baseflow index
inline constexpr int K = 11;       // recession coefficient, fraction kept per day
}  // namespace para

// The two kinds of year of the annual and seven-day analyses. The value is the column of
// the seven-day tables (MinFlowFirst(column, year)) that holds that kind.
enum class YearType { Water = 1, Calendar = 2 };

// The years a table of one year type holds: how many, and the year that labels each (1..).
// A water year is labelled with the calendar year of its July.
struct YearList {
    int count = 0;
    std::vector<float> years;  // (0..count)
};

// Daily discharge volumes, litres: FlowTable(column, day, s), column 0..7, day 0..NumDays,
// s 0..11. Columns 1/2: sub-area s, first/last run; 3/4 at s = 11: the catchment.
using FlowTableT = DaySeriesTable<double>;

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
    DaySeriesTable<double> Balance;  // (slot 0..18, day 0..N+15, k 0..20), mm/day
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
    Grid<Variant> SubPara{20, 31};          // (sub-area 0..19, parameter 0..30)
    Grid<Variant> AreaInit{11, 2};          // (column 1..10, row 0..1) as found in the file
    Grid<double> SoilData{5, 5};            // (class 0..4, parameter 0..4)
    Grid<Variant> VegeData{5, 2};           // (class 0..4, parameter 0..1)
    std::array<int, 11> SoilSel{};          // (1..10) soil class 1..5 chosen for sub-area s, 0 none
    std::array<int, 11> VegeSel{};          // (1..10) vegetation class 1..5 chosen for sub-area s, 0 none
    std::array<std::string, 13> MonthLabel{};  // (1..12) labels of the monthly ETref table

    // Monthly totals of the runs (sized to the period).
    int NumMonths = 0;
    std::vector<float> MonYear;    // (0..M) calendar year of month m
    std::vector<float> MonMonth;   // (0..M) month number 1..12 of month m
    Grid<double> MonTotal;         // (0..5, 0..M): 1/2 last/first volume (1000 m3),
                                   // 3 measured (mm), 4/5 first/last depth (mm)
    Grid<double> MonSub;           // (0..47, 0..M): 12+s last run, 24+s first run (1000 m3)
    int NumYears = 0;
    std::vector<float> AnnYear;    // (0..Y)
    double MaxMonFirst = 0;        // 1000 m3

    // Monthly table display.
    double MonScale = 1;
    std::string MonthName;

    // Annual totals (sized to the record's years). NumYears and AnnYear hold the years of
    // the last table built; AnnYearsOf keeps each year type's own years.
    Grid<double> AnnTotal;            // (0..29, 0..Y): fields listed with buildAnnualTotals
    Table3<Variant> SubAnnual;        // (sub-area 0..11, block 0..24, year 0..Y), 1000 m3
    std::array<YearList, 3> AnnYearsOf{};  // [Water], [Calendar]
    double AnnScale = 1;
    std::string AnnUnit;

    // Seven-day minima (sized to the record's years).
    SevenDayMeans SevenDay;
    DaySeriesTable<double> SubFlow7;  // (run 1..2, day 0..N, sub-area 0..10)
    Grid<double> MinFlowFirst, MinFlowLast, MinFlowMeas;        // (column 0..2, year 0..Y)
    Grid<std::string> MinDateFirst, MinDateLast, MinDateMeas;   // date texts, same layout
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
