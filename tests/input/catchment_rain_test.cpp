// The catchment, rainfall and evapotranspiration steps: what each button accepts, refuses
// and stores, with the exact status texts.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "input/capture.h"
#include "input/etref_capture.h"
#include "input/rain_warning.h"

namespace tarn {
namespace {

SubAreaBoxes shares(std::initializer_list<const char*> first) {
    SubAreaBoxes boxes;
    boxes.fill("0");
    std::size_t k = 0;
    for (const char* text : first) boxes[k++] = text;
    return boxes;
}

struct Refusal {
    const char* total;
    SubAreaBoxes boxes;
    std::string status, focus, cell;
    int beeps;
};

std::string badShare(int s, const std::string& text) {
    return "The share of A" + std::to_string(s) + " must be a number from 0 to 100 (%), not '" + text + "' !";
}

TEST(Catchment, RefusalsNameTheBoxAndTheCellAndChangeNothing) {
    const std::string noBlanks = "No blanks in total area entry please !";
    const std::string noNumber = "The total area must be a number of hectares greater than 0, not '";
    const SubAreaBoxes good = shares({"60", "40"});
    const std::vector<Refusal> cases = {
        {"", good, noBlanks, "txtTotalArea", "F3", 3},
        {"   ", good, noBlanks, "txtTotalArea", "F3", 3},
        {"1,250 ha", good, noNumber + "1,250 ha' !", "txtTotalArea", "F3", 1},
        {"0", good, noNumber + "0' !", "txtTotalArea", "F3", 1},
        {"1e307", good, noNumber + "1e307' !", "txtTotalArea", "F3", 1},  // areas would overflow
        {"2000", shares({"100", "40000"}), badShare(2, "40000"), "cmbArea_1", "G5", 1},
        {"2000", shares({"110", "-10"}), badShare(1, "110"), "cmbArea_0", "F5", 1},
        {"2000", shares({"60", "4o"}), badShare(2, "4o"), "cmbArea_1", "G5", 1},
        {"2000", {"0", "0", "0", "0", "0", "0", "0", "0", "0", "100.6"}, badShare(10, "100.6"), "cmbArea_9", "O5", 1},
    };
    for (const auto& c : cases) {
        Project p;
        ASSERT_TRUE(catchmentCapture(p, "10697", good).ok);
        const Project before = p;
        for (bool next : {false, true}) {
            const StepResult r = next ? catchmentNext(p, c.total, c.boxes) : catchmentCapture(p, c.total, c.boxes);
            EXPECT_EQ(std::make_tuple(r.ok, r.status, r.focus, r.cell, r.beeps),
                      std::make_tuple(false, c.status, c.focus, c.cell, c.beeps));
            EXPECT_EQ(p.SumPct, 0);
            EXPECT_EQ(p.TotalArea, before.TotalArea);
            EXPECT_EQ(p.SubAreaPct, before.SubAreaPct);
            EXPECT_EQ(p.SubArea, before.SubArea);
        }
    }
}

TEST(Catchment, EachButtonHasItsOwnTexts) {
    Project p;
    EXPECT_EQ(catchmentCapture(p, "10697", shares({"60", "40"})).status, "Data reset OK ...Click on Next button!");
    EXPECT_TRUE(catchmentNext(p, "10697", shares({"60", "40"})).ok);
    EXPECT_EQ(catchmentCapture(p, "10697", shares({"60", "30"})).status, "Total area does not add up to 100% !");
    const StepResult r = catchmentNext(p, "10697", shares({"60", "30"}));
    EXPECT_EQ(r.status, "Sum of sub areas NE to Total area !");
    EXPECT_EQ(r.cell, "F5:O5");
    EXPECT_EQ(p.SumPct, 90);  // what was captured stays
    EXPECT_EQ(p.SubAreaPct[2], 30);
}

TEST(Catchment, SharesBecomeWholePercentsAreasAndRowFive) {
    struct Case {
        SubAreaBoxes boxes;
        std::array<int, 3> pct;
    };
    // Ties go to the even number: 2.5 + 97.5 is 2 + 98, while rounding away from zero
    // would make 101 %.
    for (const Case& c : {Case{shares({"60", "40"}), {60, 40, 0}}, Case{shares({"33.6", "66.4"}), {34, 66, 0}},
                          Case{shares({"2.5", "97.5"}), {2, 98, 0}}, Case{shares({"3.5", "96.5", ""}), {4, 96, 0}},
                          Case{shares({" 50 ", "+25", "2.5e1"}), {50, 25, 25}}}) {
        Project p;
        p.SubAreaPct[3] = 77;  // an empty box counts as 0; nothing stale survives
        ASSERT_TRUE(catchmentNext(p, "10697", c.boxes).ok) << c.boxes[0];
        for (int s = 1; s <= 3; ++s) {
            EXPECT_EQ(p.SubAreaPct[std::size_t(s)], c.pct[std::size_t(s - 1)]);
            EXPECT_DOUBLE_EQ(*p.SubArea[std::size_t(s)].toNumber(), c.pct[std::size_t(s - 1)] * 10697.0 / 100);
            EXPECT_DOUBLE_EQ(*p.SubPara(s - 1, para::Area).toNumber(), c.pct[std::size_t(s - 1)]);
        }
        EXPECT_EQ(p.SumPct, 100);
        EXPECT_EQ(p.TotalArea.text(), "10697");
    }
}

TEST(Catchment, ACatchmentWithoutAnyAreaIsRefused) {
    Project p;
    SubAreaBoxes tenths;
    tenths.fill("10");
    const StepResult r = catchmentNext(p, "5e-324", tenths);  // every area rounds to 0 ha
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.status, "No sub area has an area: check the total area and the shares !");
    EXPECT_EQ(r.cell, "F5:O5");
}

TEST(Catchment, BackRefusesABlankOrBadTotalAndStoresAGoodOne) {
    Project p;
    p.TotalArea = "100";
    EXPECT_EQ(catchmentBack(p, " ").beeps, 1);
    EXPECT_FALSE(catchmentBack(p, "abc").ok);
    EXPECT_EQ(p.TotalArea.text(), "100");
    EXPECT_TRUE(catchmentBack(p, "2500").ok);
    EXPECT_EQ(p.TotalArea.text(), "2500");
}

TEST(Catchment, OpensWithTheFileSharesAndZeroForEmptyOnes) {
    Project p;
    p.DataFile = "/d/x.xlsx";
    p.AreaInit(1, 0) = 60.0;
    p.AreaInit(2, 0) = "40";
    p.AreaInit(3, 1) = 100.0;  // a factor without a share
    const CatchmentScreen s = catchmentLoad(p);
    EXPECT_EQ(s.caption, " Active data file is  /d/x.xlsx     Sheet 3 of 9");
    EXPECT_EQ(s.shares, shares({"60", "40"}));
    EXPECT_EQ(rainFactorBoxes(p)[2], "0");
}

TEST(Rainfall, NextNeedsACaptureOnThisVisitAndStoresTheFactors) {
    Project p;
    p.RainDone = p.MeasFlow = 1;
    (void)rainLoad(p);
    EXPECT_EQ(p.RainDone + p.MeasFlow, 0);
    const StepResult r = rainNext(p, shares({"100"}));
    EXPECT_EQ(r.status, " Capture Rainfall data first");
    EXPECT_EQ(r.focus, "cmdCapRain");
    for (bool checked : {false, true}) {
        (void)rainLoad(p);
        EXPECT_EQ(rainCapture(p, checked).result.status, " Data read OK !");
        EXPECT_EQ(p.MeasFlow, checked ? 1 : 0);
        EXPECT_EQ(p.ChartMeas, checked ? 1 : 0);
    }
    p.RainFactor[4] = 90;
    p.SubPara(3, para::RainScale) = 90;
    ASSERT_TRUE(rainNext(p, {"100.5", "101.5", "-2.5", "", "abc", "40000", "0", "0", "0", "0"}).ok);
    const std::array<double, 4> expected = {100, 102, -2, 90};  // ties to even; skipped boxes keep theirs
    for (int s = 1; s <= 4; ++s) {
        EXPECT_EQ(p.RainFactor[std::size_t(s)].numberOr0(), expected[std::size_t(s - 1)]) << s;
        EXPECT_EQ(p.SubPara(s - 1, para::RainScale).numberOr0(), expected[std::size_t(s - 1)]) << s;
    }
    EXPECT_EQ(p.SumScale.numberOr0(), 200);
}

TEST(Rainfall, BackAcceptsFactorsUpToAThousandAndLeavesRowSix) {
    Project p;
    SubAreaBoxes factors;
    factors.fill("100");
    EXPECT_TRUE(rainBack(p, factors).ok);
    EXPECT_TRUE(p.SubPara(0, para::RainScale).isEmpty());
    factors.fill("101");
    const StepResult r = rainBack(p, factors);
    EXPECT_EQ(r.status, "Check the Scaling factors !");
    EXPECT_EQ(r.focus, "cmbRainScale_0");
}

TEST(Etref, CaptureChoosesTheColumnAndTheFlags) {
    Project p;
    p.EtrefDone = 1;
    (void)etrefLoad(p);
    EXPECT_EQ(etrefNext(p).status, " Capture reference evapotranspiration data first");
    EXPECT_EQ(etrefCapture(p, EtrefChoice::None).result.status, "");
    EXPECT_FALSE(etrefNext(p).ok);

    EtrefCapture c = etrefCapture(p, EtrefChoice::Monthly);
    EXPECT_EQ(c.result.status, "Monthly reference evapotranspiration data read OK!");
    EXPECT_EQ(c.chart.colData, "AD");
    EXPECT_EQ(p.EtrefMonthly, 1);
    EXPECT_TRUE(etrefNext(p).ok);
    // A daily capture after a monthly one reads column F as days, not as a monthly table.
    c = etrefCapture(p, EtrefChoice::Daily);
    EXPECT_EQ(c.result.status, "Daily reference evapotranspiration data read OK!");
    EXPECT_EQ(c.chart.title, "Daily reference evapotranspiration   (mm/day)");
    EXPECT_EQ(p.EtrefMonthly, 0);
    EXPECT_EQ(p.ColData, "F");
}

TEST(Rainfall, SubAreasOfTheCatchmentWithoutRainAreNamed) {
    const struct {
        std::vector<std::pair<double, Variant>> areaAndFactor;  // sub-areas 1..
        std::string warning;
    } cases[] = {
        {{{60, 100.0}, {40, 95.0}}, ""},
        {{{60, 100.0}, {40, Variant()}}, "A2 gets no rain: its rainfall factor is empty or 0"},
        {{{60, 0.0}, {0, 0.0}, {40, 0.0}}, "A1 and A3 get no rain: their rainfall factors are empty or 0"},
        {{{50, 0.0}, {30, 1.0}, {10, Variant()}, {10, 0.0}}, "A1, A3 and A4 get no rain: their rainfall factors are empty or 0"},
    };
    for (const auto& c : cases) {
        Project p;
        for (std::size_t s = 0; s < c.areaAndFactor.size(); ++s) {
            p.SubArea[s + 1] = c.areaAndFactor[s].first;
            p.RainFactor[s + 1] = c.areaAndFactor[s].second;
        }
        EXPECT_EQ(noRainWarning(p), c.warning);
    }
}

}  // namespace
}  // namespace tarn
