// A capture step passes on only once the input series chart has read what it asked for.
#include <gtest/gtest.h>

#include <map>

#include "input/capture.h"
#include "input/etref_capture.h"
#include "input/input_chart.h"
#include "input/series_read.h"
#include "model/dates.h"
#include "support/temp_dir.h"
#include "workbook/xlsx_builder.h"

namespace tarn {
namespace {

using namespace std::chrono;
using testing::TempDir;

// Ten days from 2001-01-01: rain d in E, ETref 10 + d in F, the monthly table in AD5:AD16;
// `badRainDay` puts a text in the rainfall of that day; `measured` holds the days that
// have a measured streamflow in C (day, value).
void writeBook(const std::filesystem::path& file, int badRainDay = 0,
               const std::map<int, double>& measured = {}) {
    XlsxBuilder b;
    b.addSheet("Inputs");
    const int first = daysSinceEpoch(year{2001} / 1 / 1);
    for (int d = 1; d <= 10; ++d) {
        if (measured.count(d)) b.setNumber(0, 24 + d, 3, measured.at(d));
        b.setDate(0, 24 + d, 4, first + d - 1);
        if (d == badRainDay)
            b.setText(0, 24 + d, 5, "n/a");
        else
            b.setNumber(0, 24 + d, 5, d);
        b.setNumber(0, 24 + d, 6, 10 + d);
    }
    for (int m = 1; m <= 12; ++m) {
        b.setText(0, 4 + m, 29, "M" + std::to_string(m));
        b.setNumber(0, 4 + m, 30, m);
    }
    b.save(file);
}

enum class Kind { Rain, Etref };

struct Case {
    const char* name;
    Kind kind;
    bool capture;       // the step's Capture was pressed
    bool chartOpened;   // the chart opened and tried to read
    bool badWorkbook;   // ... on a rainfall with a text cell, or a workbook gone since
    bool passes;
    const char* status;  // the start of the refusal
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class SeriesReadTest : public ::testing::TestWithParam<Case> {};

TEST_P(SeriesReadTest, a_step_passes_only_once_its_series_is_read) {
    const Case& c = GetParam();
    TempDir dir;
    Project p;
    p.DataFile = (dir / "book.xlsx").string();
    writeBook(p.DataFile, c.kind == Kind::Rain && c.badWorkbook ? 4 : 0);

    // The steps open and capture; the chart reads, or fails to.
    rainLoad(p);
    SubAreaBoxes factors{"90", "110"};
    if (c.kind == Kind::Rain && c.capture) rainCapture(p, false);
    if (c.kind == Kind::Etref) {
        rainCapture(p, false);
        ASSERT_TRUE(loadInputChart(p, "").ok);
        ASSERT_TRUE(rainNextWhenRead(p, factors).ok);
        etrefLoad(p);
        if (c.capture) etrefCapture(p, EtrefChoice::Daily);
        if (c.badWorkbook) std::filesystem::remove(p.DataFile);
    }
    if (c.chartOpened) EXPECT_EQ(loadInputChart(p, "").ok, c.passes);

    const StepResult r = c.kind == Kind::Rain ? rainNextWhenRead(p, factors) : etrefNextWhenRead(p);
    EXPECT_EQ(r.ok, c.passes);
    EXPECT_EQ(r.status.rfind(c.status, 0), 0u) << r.status;
    if (c.passes) return;
    EXPECT_EQ(r.focus, c.kind == Kind::Rain ? "cmdCapRain" : "cmdCapEtrefData");
    // Refused: the step counts as not captured, and Next stays refused until it is.
    EXPECT_EQ(c.kind == Kind::Rain ? p.RainDone : p.EtrefDone, 0);
    if (c.kind == Kind::Rain) EXPECT_TRUE(p.SubPara(0, para::RainScale).text().empty());
    const StepResult again = c.kind == Kind::Rain ? rainNextWhenRead(p, factors) : etrefNextWhenRead(p);
    EXPECT_FALSE(again.ok);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, SeriesReadTest,
    ::testing::Values(
        Case{"rain_read", Kind::Rain, true, true, false, true, ""},
        Case{"rain_not_captured", Kind::Rain, false, false, false, false, " Capture Rainfall data first"},
        Case{"rain_chart_never_read", Kind::Rain, true, false, false, false, "The rainfall data were not read from "},
        Case{"rain_cell_not_a_number", Kind::Rain, true, true, true, false, "The rainfall data were not read from "},
        Case{"etref_read", Kind::Etref, true, true, false, true, ""},
        Case{"etref_not_captured", Kind::Etref, false, false, false, false,
             " Capture reference evapotranspiration data first"},
        Case{"etref_workbook_gone", Kind::Etref, true, true, true, false,
             "The reference evapotranspiration data were not read from "}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(RainReadStatus, SaysWhichMeasuredDaysAreMissingOrNegative) {
    std::map<int, double> whole;
    for (int d = 1; d <= 10; ++d) whole[d] = 0.5;
    std::map<int, double> gappy = whole;
    gappy.erase(3);
    gappy.erase(4);
    gappy[9] = -0.3;
    struct Case {
        const char* name;
        std::map<int, double> measured;
        bool streamflow;  // the box was checked at capture
        std::string status;
        SubAreaBoxes factors{};  // the factor boxes at capture (empty: the file's factors)
    } cases[] = {
        {"whole", whole, true, " Data read OK !"},
        {"not asked for", {}, false, " Data read OK !"},
        {"nothing measured", {}, true, " Data read OK ! C25 and 9 more days have no measured streamflow"},
        {"gaps and a negative", gappy, true,
         " Data read OK ! C27 and 1 more day have no measured streamflow; "
         "C33: the measured streamflow -0.3 is negative"},
        {"a sub-area without rain", {}, true,
         " Data read OK ! A2 gets no rain: its rainfall factor is empty or 0; C25 and 9 more days have no "
         "measured streamflow",
         {"100", "0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        Project p;
        p.DataFile = (dir / "book.xlsx").string();
        writeBook(p.DataFile, 0, c.measured);
        rainLoad(p);
        if (!c.factors[0].empty()) p.SubArea[1] = p.SubArea[2] = 50.0;  // two sub-areas, ha
        const RainCapture captured = rainCapture(p, c.streamflow);
        ASSERT_TRUE(loadInputChart(p, "").ok);
        EXPECT_EQ(rainReadStatus(p, captured.result.status, c.factors), c.status);
    }
}

}  // namespace
}  // namespace tarn
