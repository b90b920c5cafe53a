// A new project from a CSV of daily series: every refusal of the CSV names the file and the
// line, the workbook reads back with the default class tables, the chosen classes and the
// stated initial conditions, a missing measurement stays an empty cell, and the CSV is never
// the target.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>

#include "model/dates.h"
#include "model/errors.h"
#include "support/temp_dir.h"
#include "workbook/input_workbook.h"
#include "workbook/new_project.h"
#include "workbook/zip_archive.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

void writeFile(const fs::path& path, const std::string& content) { std::ofstream(path, std::ios::binary) << content; }

// The message of the InputError that f throws, or "" when it throws none.
template <class F>
std::string refusal(F&& f) {
    try {
        f();
    } catch (const InputError& e) {
        return e.what();
    }
    return "";
}

// `days` consecutive days from 2000-01-01 with rainfall 1, ETref 0.5 and streamflow 2.
std::string dailyLines(int days) {
    std::string s;
    for (int d = 0; d < days; ++d)
        s += dateText(dateFromDays(daysSinceEpoch(*parseDateText("2000-01-01")) + d)) + ",1,0.5,2\n";
    return s;
}

TEST(DailyCsv, EveryRefusalNamesTheFileAndTheLine) {
    TempDir dir;
    const fs::path csv = dir / "data.csv";
    const std::string head = "date,rain_mm,etref_mm,flow_mm\n";
    const std::string day1 = "2000-01-01,1,0.5,2\n", day2 = "2000-01-02,1,0.5,2\n";
    struct Case {
        const char* what;
        std::string content, says;
    } cases[] = {
        {"empty file", "", "line 1: the file is empty"},
        {"no header row", day1, "line 1: '2000-01-01' is a date; the first line must be the header row"},
        {"header of two columns", "date,rain\n2000-01-01,1\n", "line 1: the header row names 2 columns"},
        {"header only", head, "line 2: no daily values below the header row"},
        {"missing column", head + day1 + "2000-01-02,1,0.5\n",
         "line 3: 3 fields where the header row of line 1 names 4 columns"},
        {"one day missing", head + day1 + day2 + "2000-01-04,1,0.5,2\n",
         "line 4: 2000-01-04 does not follow 2000-01-02 of line 3: 2000-01-03 is missing"},
        {"days missing", head + day1 + "2000-01-05,1,0.5,2\n",
         "line 3: 2000-01-05 does not follow 2000-01-01 of line 2: 3 days from 2000-01-02 are missing"},
        {"repeated date", head + day1 + "\n" + day1, "line 4: 2000-01-01 repeats the date 2000-01-01 of line 2"},
        {"date going back", head + day2 + day1, "line 3: 2000-01-01 comes after 2000-01-02 of line 2"},
        {"date not ISO", head + "01/02/2000,1,0.5,2\n", "line 2: date '01/02/2000' is not a date in the form yyyy-mm-dd"},
        {"text in rainfall", head + day1 + "2000-01-02,n/a,0.5,2\n", "line 3: rainfall 'n/a' is not a number"},
        {"empty rainfall", head + "2000-01-01,,0.5,2\n", "line 2: the rainfall is empty"},
        {"text in streamflow", head + "2000-01-01,1,0.5,x\n", "line 2: measured streamflow 'x' is not a number"},
        {"negative rainfall", head + "2000-01-01,-0.2,0.5,2\n", "line 2: rainfall -0.2 mm is negative"},
        {"more than 40000 days", head + dailyLines(kMaxDays + 1),
         "line " + std::to_string(kMaxDays + 2) + ": more than 40000 days"},
    };
    for (const Case& c : cases) {
        writeFile(csv, c.content);
        const std::string message = refusal([&] { readDailyCsv(csv); });
        EXPECT_EQ(message.rfind(csv.string() + ", " + c.says, 0), 0u) << c.what << ": " << message;
    }
    EXPECT_EQ(refusal([&] { readDailyCsv(dir / "none.csv"); }), (dir / "none.csv").string() + ": no such file");
}

TEST(DailyCsv, ReadsQuotedPaddedWindowsLinesAndMissingMeasurements) {
    TempDir dir;
    writeFile(dir / "a.csv",
              "\xEF\xBB\xBF\"date\",\"rain\",\"etref\",\"flow\"\r\n2000-02-28, 1.5 ,0.5,\r\n\r\n"
              "\"2000-02-29\",0,0.25,0.75\r\n2000-03-01,2,0.5,\r\n,,,\r\n");
    const DailyRecord a = readDailyCsv(dir / "a.csv");
    ASSERT_EQ(a.days.size(), 3u);
    EXPECT_TRUE(a.hasFlowColumn);
    EXPECT_EQ(a.measuredDays, 1);
    EXPECT_EQ(dateText(dateFromDays(a.days[1].date)), "2000-02-29");
    EXPECT_EQ(a.days[0].rain, 1.5);
    EXPECT_EQ(a.days[1].etref, 0.25);
    EXPECT_FALSE(a.days[0].flow);
    EXPECT_EQ(a.days[1].flow, 0.75);
    EXPECT_FALSE(a.days[2].flow);

    writeFile(dir / "b.csv", "date,rain,etref\n2000-01-01,0,0\n");
    const DailyRecord b = readDailyCsv(dir / "b.csv");
    EXPECT_FALSE(b.hasFlowColumn);
    EXPECT_EQ(b.measuredDays, 0);
    EXPECT_FALSE(b.days[0].flow);
}

TEST(NewProject, WorkbookReadsBackWithDefaultClassesChosenClassesAndInitialConditions) {
    TempDir dir;
    // 40 days of 2 mm/day streamflow; days 3 and 35 have no measurement.
    std::string lines = dailyLines(40);
    auto blankFlow = [&](const std::string& date) {
        const auto at = lines.find(date + ",1,0.5,2\n");
        lines.replace(at, date.size() + 9, date + ",1,0.5,\n");
    };
    blankFlow("2000-01-03");
    blankFlow("2000-02-04");
    writeFile(dir / "beck.csv", "date,rain,etref,flow\n" + lines);
    NewProjectOptions o;
    o.target = dir / "beck.xlsx";
    o.series = dir / "beck.csv";
    o.area = 250.5;
    o.shares = {60, 40};
    o.soil = {2, 4};
    o.vegetation = {1, 5};
    const NewProjectReport report = createNewProject(o);
    EXPECT_EQ(report.days, 40);
    EXPECT_EQ(report.first, "2000-01-01");
    EXPECT_EQ(report.last, "2000-02-09");
    EXPECT_EQ(report.subAreas, 2);
    EXPECT_EQ(report.measuredDays, 38);

    auto book = openWorkbook(o.target);
    Project p;
    readHeader(*book, p);
    loadParametersFromDataFile(*book, p);
    EXPECT_EQ(p.PrjName, "beck");
    EXPECT_EQ(p.TotalArea.text(), "250.5");
    EXPECT_EQ(p.AreaInit(1, 0), Variant(60.0));
    EXPECT_EQ(p.AreaInit(2, 0), Variant(40.0));
    EXPECT_TRUE(p.AreaInit(3, 0).isEmpty());
    EXPECT_EQ(p.AreaInit(1, 1), Variant(100.0));

    const SoilClassSheet soil = defaultSoilClasses();
    const VegetationClassSheet vegetation = defaultVegetationClasses();
    for (int c = 0; c < 5; ++c) {
        for (int k = 0; k < 3; ++k) EXPECT_EQ(p.SoilData(c, k), soil.values[std::size_t(k)][std::size_t(c)]);
        EXPECT_EQ(p.SoilData(c, 3), 0.5);
        EXPECT_EQ(p.SoilData(c, 4), 0.98);
        for (int k = 0; k < 2; ++k)
            EXPECT_EQ(p.VegeData(c, k).toNumber(), vegetation.values[std::size_t(k)][std::size_t(c)]);
    }
    // A1: sandy loam under old forest; A2: clay loam under pasture. Toplayer and profile full;
    // baseflow store BFI x Q / (1 - K) = 0.5 x 2 / 0.02 = 50 mm.
    const double a1[] = {120, 60, 18, 0.3, 1.1, 18, 120, 50};
    const double a2[] = {160, 80, 24, 0.08, 1.0, 24, 160, 50};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(p.SubPara(0, paramAfter(para::TAW, k)).toNumber(), a1[k]) << "A1 parameter " << k;
        EXPECT_EQ(p.SubPara(1, paramAfter(para::TAW, k)).toNumber(), a2[k]) << "A2 parameter " << k;
    }
    EXPECT_EQ(p.SubPara(0, para::BFI).toNumber(), 0.5);
    EXPECT_EQ(p.SubPara(0, para::K).toNumber(), 0.98);
    EXPECT_TRUE(p.SubPara(2, para::TAW).isEmpty());

    // The daily series, with empty C cells on the days without a measurement.
    loadDailySeries(*book, p, {true, false, EtrefInput::Daily});
    EXPECT_EQ(p.NumDays, 40);
    EXPECT_EQ(p.DayDate(40, 0), "2000-02-09");
    EXPECT_TRUE(book->cell("C27").empty());
    EXPECT_TRUE(book->cell("C59").empty());
    EXPECT_EQ(book->cell("C28").toNumber(), 2.0);
    EXPECT_EQ(book->cell("AD5").toNumber(), 0.5);  // January's mean ETref
    EXPECT_EQ(book->cell("AD7").toNumber(), 0.0);  // March: no days
    EXPECT_NE(book->text("A22").find("= 50 mm"), std::string::npos) << book->text("A22");
}

TEST(NewProject, InitialBaseflowStoreFollowsTheFirstMonthsMeasurements) {
    DailyRecord r;
    for (int d = 0; d < 40; ++d) r.days.push_back({d, 0, 0, d < 30 ? std::optional<double>(d % 2 ? 1.0 : 3.0) : 100.0});
    EXPECT_DOUBLE_EQ(initialBaseflowStore(r, 0.5, 0.98), 50);  // mean 2 over the first 30 days only
    for (auto& day : r.days) day.flow.reset();
    EXPECT_EQ(initialBaseflowStore(r, 0.5, 0.98), 0);
    r.days[29].flow = 0.333;
    EXPECT_DOUBLE_EQ(initialBaseflowStore(r, 0.8, 0.97), 8.9);  // 0.8 x 0.333 / 0.03, to 0.1 mm
}

TEST(NewProject, OptionRefusalsSayWhatIsWrong) {
    DailyRecord r;
    r.days.push_back({0, 1, 1, {}});
    struct Case {
        const char* what;
        std::function<void(NewProjectOptions&)> edit;
        std::string says;
    } cases[] = {
        {"no area", [](NewProjectOptions& o) { o.area = 0; }, "The total catchment area must be above 0 ha, not 0"},
        {"area not a number", [](NewProjectOptions& o) { o.area = std::nan(""); }, "The total catchment area must be above 0 ha"},
        {"shares short of 100", [](NewProjectOptions& o) { o.shares = {60, 30}; },
         "The sub-area shares 60, 30 add up to 90 %; they must add up to 100"},
        {"share of 0", [](NewProjectOptions& o) { o.shares = {100, 0}; }, "A2: the share 0 % is not a whole number from 1 to 100"},
        {"eleven shares", [](NewProjectOptions& o) { o.shares = std::vector<int>(11, 9); },
         "A project has 1 to 10 sub-areas; 11 shares were given"},
        {"soil list too long", [](NewProjectOptions& o) { o.soil = {1, 2, 3}; },
         "The soil classes 1, 2, 3 are 3 for 2 sub-areas"},
        {"soil class 6", [](NewProjectOptions& o) { o.soil = {1, 6}; }, "A2: soil class 6 is not one of 1 (Sand) to 5 (Clay)"},
        {"vegetation class 0", [](NewProjectOptions& o) { o.vegetation = {0}; },
         "Every sub-area: vegetation class 0 is not one of 1 (Forest old) to 5 (Pasture)"},
        {"BFI above 1", [](NewProjectOptions& o) { o.bfi = 1.5; }, "The baseflow index must lie from 0 to 1, not 1.5"},
        {"recession of 1", [](NewProjectOptions& o) { o.recession = 1.0; }, "The recession coefficient must lie"},
    };
    for (const Case& c : cases) {
        NewProjectOptions o;
        o.series = "x.csv";
        o.area = 10;
        o.shares = {70, 30};
        c.edit(o);
        const std::string message = refusal([&] { newProjectSheet(o, r); });
        EXPECT_EQ(message.rfind(c.says, 0), 0u) << c.what << ": " << message;
    }
}

TEST(NewProject, TheCsvIsNeverTheTargetAndTheTargetIsAnXlsxFile) {
    // (An existing target kept without --force, and a refused CSV leaving nothing behind, are
    // checked through the command line.)
    TempDir dir;
    const fs::path csv = dir / "data.csv";
    writeFile(csv, "date,rain,etref\n2000-01-01,1,0.5\n");
    fs::create_symlink(csv, dir / "link.xlsx");
    NewProjectOptions o;
    o.series = csv;
    o.area = 10;
    o.replace = true;
    for (const fs::path& target : {fs::path(dir / "link.xlsx"), dir / "." / "data.csv"}) {
        o.target = target;
        EXPECT_NE(refusal([&] { createNewProject(o); }).find("is the CSV file"), std::string::npos) << target;
    }
    o.target = dir / "data.xls";
    EXPECT_NE(refusal([&] { createNewProject(o); }).find("is an .xlsx file"), std::string::npos);
    EXPECT_EQ(readWholeFile(csv), "date,rain,etref\n2000-01-01,1,0.5\n");
    EXPECT_FALSE(fs::exists(dir / "data.xls"));
}

}  // namespace
}  // namespace tarn
