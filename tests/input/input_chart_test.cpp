// The input series chart: per-request reading of the daily series, rows to show, the
// point texts and edits, and BACK.
#include <gtest/gtest.h>

#include <filesystem>

#include "input/input_chart.h"
#include "model/dates.h"
#include "model/measured_days.h"
#include "support/temp_dir.h"
#include "workbook/xlsx_builder.h"

namespace tarn {
namespace {

using namespace std::chrono;
using testing::TempDir;

constexpr int kDays = 40;  // 2001-01-25 .. 2001-03-05

// Day d: measured 100 + d in C, date in D, rain d in E, ETref 10 + d in F; the monthly
// table AC5:AD16 holds "M1".."M12" and 1.5 * m.
XlsxBuilder seriesBook(int days = kDays) {
    XlsxBuilder b;
    b.addSheet("Inputs");
    const int first = daysSinceEpoch(year{2001} / 1 / 25);
    for (int d = 1; d <= days; ++d) {
        b.setNumber(0, 24 + d, 3, 100 + d);
        b.setDate(0, 24 + d, 4, first + d - 1);
        b.setNumber(0, 24 + d, 5, d);
        b.setNumber(0, 24 + d, 6, 10 + d);
    }
    for (int m = 1; m <= 12; ++m) {
        b.setText(0, 4 + m, 29, "M" + std::to_string(m));
        b.setNumber(0, 4 + m, 30, 1.5 * m);
    }
    return b;
}

ChartRequest rainRequest(bool measured) {
    ChartRequest r;
    r.colDate = "D";
    r.colData = "E";
    r.title = "Rainfall  (mm/day)";
    r.series = 1;
    r.fromRain = true;
    r.loadDates = r.loadRain = true;
    r.measured = measured;
    return r;
}

ChartRequest etrefRequest(bool monthly) {
    ChartRequest r;
    r.colDate = "D";
    r.colData = monthly ? "AD" : "F";
    r.title = monthly ? "Monthly reference evapotranspiration   (mm/day)"
                      : "Daily reference evapotranspiration   (mm/day)";
    r.series = 2;
    r.loadEtref = true;
    return r;
}

struct InputChart : ::testing::Test {
    TempDir dir;
    Project p;
    std::filesystem::path file = dir / "inputs.xlsx";

    void SetUp() override {
        seriesBook().save(file);
        p.DataFile = file.string();
    }
    InputChartView openFromRain(bool measured, std::string_view rows = "") {
        restartInputChart(p);
        requestInputChart(p, rainRequest(measured));
        return loadInputChart(p, rows);
    }
    InputChartView openFromEtref(bool monthly) {
        p.EtrefMonthly = monthly ? 1 : 0;
        requestInputChart(p, etrefRequest(monthly));
        return loadInputChart(p, "");
    }
};

TEST_F(InputChart, RainfallWithMeasuredStreamflowIsReadAndCharted) {
    const auto v = openFromRain(true);
    ASSERT_TRUE(v.ok) << v.status;
    EXPECT_EQ(v.status, "Click on data series to edit data");
    EXPECT_EQ(p.NumDays, kDays);
    EXPECT_EQ(p.DaysOut, kDays);
    EXPECT_EQ(v.rowsBox, "40");
    EXPECT_EQ(v.maxRowsBox, "40");
    ASSERT_EQ(v.rowsItems.size(), std::size_t(kDays - 4));
    EXPECT_EQ(v.rowsItems.front(), "5");
    EXPECT_EQ(v.rowsItems.back(), "40");
    ASSERT_EQ(v.table.rows(), kDays);
    ASSERT_EQ(v.table.columnCount(), 2);
    EXPECT_EQ(v.table.names, (std::vector<std::string>{"Rainfall  (mm/day)", "Measured streamflow  (mm/day)"}));
    // Row r of the chart is day r + 1.
    EXPECT_EQ(v.table.labels[0], "2001-01-25");
    EXPECT_EQ(p.DayDate(1, 0), "2001-01-25");
    EXPECT_EQ(v.table.value(1, 0), 1);
    EXPECT_EQ(v.table.value(2, 39), 140);
    EXPECT_EQ(p.Balance(tarn::slot::Inputs, 40, tarn::qty::P), 40);
    EXPECT_EQ(p.Balance(tarn::slot::FirstRun, 40, tarn::qty::Measured), 140);
    EXPECT_EQ(p.LoadDates + p.LoadRain + p.ChartRedim, 0);
    EXPECT_EQ(p.ChartLoaded, 1);
    EXPECT_EQ(inputChartCaption(p), "Active File:" + file.string() + " Edit Rainfall or Etref Data");
}

TEST_F(InputChart, EvapotranspirationReadKeepsRainfallMeasuredFlowAndEdits) {
    ASSERT_TRUE(openFromRain(true).ok);
    EXPECT_EQ(editInputChartPoint(p, 1, 2, "77").kind, PointEdit::Kind::Changed);   // day 3 rain
    EXPECT_EQ(editInputChartPoint(p, 2, 4, "0.5").kind, PointEdit::Kind::Changed);  // day 5 flow
    EXPECT_TRUE(inputChartBack(p));
    EXPECT_EQ(p.ChartMeas, 0);

    const auto v = openFromEtref(false);
    ASSERT_TRUE(v.ok) << v.status;
    EXPECT_EQ(p.Balance(tarn::slot::Inputs, 3, tarn::qty::P), 77);
    EXPECT_EQ(p.Balance(tarn::slot::FirstRun, 5, tarn::qty::Measured), 0.5);
    EXPECT_EQ(p.Balance(tarn::slot::Inputs, 4, tarn::qty::P), 4);
    EXPECT_EQ(p.Balance(tarn::slot::FirstRun, 40, tarn::qty::Measured), 140);
    for (int d : {1, 20, 40}) EXPECT_EQ(p.Balance(tarn::slot::Inputs, d, tarn::qty::ETr), 10 + d);
    EXPECT_EQ(v.table.columnCount(), 1);
    EXPECT_EQ(v.table.value(1, 0), 11);
    EXPECT_EQ(v.table.names[0], "Daily reference evapotranspiration   (mm/day)");
    EXPECT_FALSE(inputChartBack(p));  // back to the evapotranspiration step
}

TEST_F(InputChart, SeriesAreReadForEveryDayWhateverTheRowsShown) {
    ASSERT_TRUE(openFromRain(false).ok);
    const auto few = loadInputChart(p, "10");  // New settings
    EXPECT_EQ(p.DaysOut, 10);
    EXPECT_EQ(few.table.rows(), 10);
    const auto v = openFromEtref(false);
    ASSERT_TRUE(v.ok);
    EXPECT_EQ(p.Balance(tarn::slot::Inputs, 40, tarn::qty::ETr), 50);
}

TEST_F(InputChart, RowsToShowAreCappedAndCheckedAgainstTheBox) {
    ASSERT_TRUE(openFromRain(false).ok);
    struct Case {
        const char* box;
        int daysOut;
        const char* shown;
        bool message;
    } cases[] = {{"10", 10, "10", false}, {"999", 40, "40", false}, {"", 40, "40", false},
                 {"7.5", 8, "8", false},   {"abc", 8, "8", true},    {"0", 8, "8", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        const auto v = loadInputChart(p, c.box);
        EXPECT_TRUE(v.ok);
        EXPECT_EQ(p.DaysOut, c.daysOut);
        EXPECT_EQ(v.rowsBox, c.shown);
        EXPECT_EQ(v.table.rows(), c.daysOut);
        if (c.message)
            EXPECT_EQ(v.status,
                      std::string("Columns to show: '") + c.box + "' is not a number of rows from 1 to 40");
        else
            EXPECT_EQ(v.status, "Click on data series to edit data");
    }
    // A first read shows every day, whatever the box held.
    EXPECT_EQ(openFromRain(false, "12").table.rows(), kDays);
}

TEST_F(InputChart, NewSettingsDoNotReadTheWorkbookAgain) {
    ASSERT_TRUE(openFromRain(false).ok);
    std::filesystem::remove(file);
    const auto v = loadInputChart(p, "6");
    EXPECT_TRUE(v.ok);
    EXPECT_EQ(v.table.rows(), 6);
}

TEST_F(InputChart, MonthlyTableHasTwelveLabelledRowsAndIsSpreadOverTheDays) {
    ASSERT_TRUE(openFromRain(false).ok);
    const auto v = openFromEtref(true);
    ASSERT_TRUE(v.ok) << v.status;
    EXPECT_EQ(v.table.rows(), 12);
    EXPECT_EQ(v.maxRowsBox, "12");
    EXPECT_EQ(v.rowsBox, "12");
    EXPECT_EQ(v.rowsItems.size(), 12u);
    EXPECT_EQ(v.table.labels[1], "M2");
    EXPECT_EQ(v.table.value(1, 1), 3.0);
    EXPECT_EQ(p.MonthlyEtref[std::size_t(12)], 18.0);
    // Every day already holds its month's value, however the chart is left.
    EXPECT_EQ(p.Balance(tarn::slot::Inputs, 7, tarn::qty::ETr), 1.5);   // 2001-01-31
    EXPECT_EQ(p.Balance(tarn::slot::Inputs, 8, tarn::qty::ETr), 3.0);   // 2001-02-01
    EXPECT_EQ(p.Balance(tarn::slot::Inputs, 40, tarn::qty::ETr), 4.5);  // 2001-03-05

    EXPECT_EQ(pointSelectedText(p, v.table, 1, 1),
              "Value of Monthly reference evapotranspiration   (mm/day), for the month M2 = 3    "
              "double click to change the value");
    EXPECT_EQ(editInputChartPoint(p, 1, 1, "2.25").kind, PointEdit::Kind::Changed);
    EXPECT_EQ(p.MonthlyEtref[std::size_t(2)], 2.25);
    EXPECT_EQ(p.Balance(tarn::slot::Inputs, 8, tarn::qty::ETr), 2.25);
    EXPECT_EQ(p.Balance(tarn::slot::Inputs, 35, tarn::qty::ETr), 2.25);  // 2001-02-28
    EXPECT_EQ(p.Balance(tarn::slot::Inputs, 36, tarn::qty::ETr), 4.5);
    EXPECT_FALSE(inputChartBack(p));
    EXPECT_EQ(p.Balance(tarn::slot::Inputs, 36, tarn::qty::ETr), 4.5);
    EXPECT_EQ(p.Balance(tarn::slot::Inputs, 1, tarn::qty::P), 1);  // the rainfall stays
}

TEST_F(InputChart, PointTextsAndEdits) {
    const auto v = openFromRain(true);
    ASSERT_TRUE(v.ok);
    EXPECT_EQ(pointSelectedText(p, v.table, 2, 0),
              "Value of Rainfall  (mm/day), on 2001-01-25 = 101    double click to change the value");
    EXPECT_EQ(pointSelectedText(p, v.table, 3, 0), "");
    EXPECT_EQ(pointSelectedText(p, v.table, 1, 40), "");

    struct Case {
        int column, row;
        const char* answer;
        PointEdit::Kind kind;
    } cases[] = {{1, 0, "", PointEdit::Kind::Unchanged},
                 {1, 0, "abc", PointEdit::Kind::Invalid},
                 {1, 0, "1,5", PointEdit::Kind::Invalid},
                 {1, 40, "3", PointEdit::Kind::Unchanged},
                 {3, 0, "3", PointEdit::Kind::Unchanged},
                 {1, -1, "3", PointEdit::Kind::Unchanged}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        const auto e = editInputChartPoint(p, c.column, c.row, c.answer);
        EXPECT_EQ(e.kind, c.kind);
        EXPECT_EQ(e.message, c.kind == PointEdit::Kind::Invalid ? "That's not a valid data point!" : "");
    }
    EXPECT_EQ(p.Balance(tarn::slot::Inputs, 1, tarn::qty::P), 1);
    const auto e = editInputChartPoint(p, 1, 39, " 2.5 ");
    EXPECT_EQ(e.kind, PointEdit::Kind::Changed);
    EXPECT_EQ(e.value, 2.5);
    EXPECT_EQ(p.Balance(tarn::slot::Inputs, 40, tarn::qty::P), 2.5);
    EXPECT_EQ(inputChartTable(p).value(1, 39), 2.5);
}

TEST_F(InputChart, EmptyMeasuredCellsStayMissingUntilEditedOrReadWhole) {
    auto gappy = seriesBook();
    gappy.set(0, 27, 3, Cell());      // day 3
    gappy.setText(0, 30, 3, " ");     // day 6
    gappy.setNumber(0, 31, 3, -0.3);  // day 7
    gappy.save(file);
    ASSERT_TRUE(openFromRain(true).ok);
    EXPECT_EQ(missingMeasuredText(p), "C27 and 1 more day have no measured streamflow");
    EXPECT_EQ(negativeMeasuredText(p), "C31: the measured streamflow -0.3 is negative");
    EXPECT_EQ(p.Balance(tarn::slot::FirstRun, 6, tarn::qty::Measured), 0.0);
    EXPECT_EQ(inputChartTable(p).value(2, 2), 0.0);

    // Edited points are measured: day 3 and 6 given values, day 7 no longer negative, day 8 now.
    for (const auto& [row, answer] : {std::pair{2, "0.4"}, {5, "0"}, {6, "0.1"}, {7, "-1"}})
        EXPECT_EQ(editInputChartPoint(p, 2, row, answer).kind, PointEdit::Kind::Changed);
    EXPECT_EQ(missingMeasuredText(p), "");
    EXPECT_TRUE(p.MeasMissing.empty());
    EXPECT_EQ(negativeMeasuredText(p), "C32: the measured streamflow -1 is negative");

    // Read again, the gaps are back; read from a whole column, none is left.
    requestInputChart(p, rainRequest(true));
    ASSERT_TRUE(loadInputChart(p, "").ok);
    EXPECT_EQ(missingMeasuredDays(p), 2);
    seriesBook().save(file);
    requestInputChart(p, rainRequest(true));
    ASSERT_TRUE(loadInputChart(p, "").ok);
    EXPECT_EQ(missingMeasuredText(p) + negativeMeasuredText(p), "");
}

TEST_F(InputChart, ReadErrorsNameTheFileAndCellAndChangeNothing) {
    ASSERT_TRUE(openFromRain(true).ok);
    editInputChartPoint(p, 1, 0, "9");

    // An ETref column with a text cell: the rainfall, its edit and the flags stay.
    auto bad = seriesBook();
    bad.setText(0, 30, 6, "n/a");
    bad.save(file);
    auto v = openFromEtref(false);
    EXPECT_FALSE(v.ok);
    EXPECT_EQ(v.status, file.string() + ": F30: 'n/a' is not a number");
    EXPECT_EQ(p.Balance(tarn::slot::Inputs, 1, tarn::qty::P), 9);
    EXPECT_EQ(p.Balance(tarn::slot::Inputs, 6, tarn::qty::ETr), 0);
    EXPECT_EQ(p.LoadEtref, 1);

    // A fresh read of a shorter record with a bad rainfall cell keeps the old period.
    auto shortBad = seriesBook(20);
    shortBad.setText(0, 27, 5, "x");
    shortBad.save(file);
    v = openFromRain(false);
    EXPECT_FALSE(v.ok);
    EXPECT_EQ(v.status, file.string() + ": E27: 'x' is not a number");
    EXPECT_EQ(p.NumDays, kDays);
    EXPECT_EQ(p.Balance(tarn::slot::Inputs, 1, tarn::qty::P), 9);
    EXPECT_EQ(p.ChartLoaded, 0);  // the next opening tries afresh

    // Rainfall that goes on below the last date has no day.
    auto longer = seriesBook(20);
    longer.setNumber(0, 45, 5, 3);
    longer.save(file);
    v = openFromRain(false);
    EXPECT_FALSE(v.ok);
    EXPECT_EQ(v.status, file.string() +
                            ": D45 is empty while E45 holds the rainfall '3'; the dates must go on as "
                            "long as the rainfall does");

    // No dates at all, a missing file.
    XlsxBuilder empty;
    empty.addSheet("S");
    empty.save(file);
    v = openFromRain(false);
    EXPECT_EQ(v.status, file.string() + ": D25: there are no dates from row 25 down in column D");
    std::filesystem::remove(file);
    v = openFromRain(false);
    EXPECT_EQ(v.status, file.string() + ": no such file");
    EXPECT_EQ(p.NumDays, kDays);
    EXPECT_TRUE(v.table.labels.empty());

    // The period reads again once the file is sound.
    seriesBook().save(file);
    EXPECT_TRUE(openFromRain(false).ok);
    EXPECT_EQ(p.Balance(tarn::slot::Inputs, 1, tarn::qty::P), 1);
}

}  // namespace
}  // namespace tarn
