#include <gtest/gtest.h>

#include "analysis/display.h"

namespace tarn {
namespace {

TEST(DigitPatterns, RequiredAndOptionalDigits) {
    EXPECT_EQ(formatPattern(7, "###00"), "07");
    EXPECT_EQ(formatPattern(0, "###00"), "00");
    EXPECT_EQ(formatPattern(12345.4, "###00"), "12345");
    EXPECT_EQ(formatPattern(1995, "####"), "1995");
    EXPECT_EQ(formatPattern(0, "####"), "");
    EXPECT_EQ(formatPattern(0.4, "#"), "");
    EXPECT_EQ(formatPattern(0, "##0"), "0");
    EXPECT_EQ(formatPattern(42.7, "##0"), "43");
    EXPECT_EQ(formatPattern(3.14159, "###00.00"), "03.14");
    EXPECT_EQ(formatPattern(0, "###00.000"), "00.000");
    EXPECT_EQ(formatPattern(0.0004, "###00.000"), "00.000");
}

TEST(DigitPatterns, RoundsHalvesAwayFromZeroOnTheDecimalDigits) {
    EXPECT_EQ(formatPattern(2.5, "###00"), "03");
    EXPECT_EQ(formatPattern(0.5, "#"), "1");
    EXPECT_EQ(formatPattern(2.675, "###00.00"), "02.68");  // 2.67499999... in binary
    EXPECT_EQ(formatPattern(0.0005, "###00.000"), "00.001");
    EXPECT_EQ(formatPattern(99.995, "###00.00"), "100.00");
    EXPECT_EQ(formatPattern(999999.6, "#"), "1000000");
    EXPECT_EQ(formatPattern(1.23e-20, "###00.00"), "00.00");
}

TEST(DigitPatterns, NegativeValuesKeepTheirSignUnlessTheyRoundToZero) {
    EXPECT_EQ(formatPattern(-7.4, "###00"), "-07");
    EXPECT_EQ(formatPattern(-0.4, "#"), "");
    EXPECT_EQ(formatPattern(-0.004, "###00.00"), "00.00");
    EXPECT_EQ(formatPattern(-1.5, "##0"), "-2");
}

TEST(DisplayScale, ChosenFromTheLargestFirstRunMonth) {
    EXPECT_EQ(scaleStepOf(9.99), ScaleStep::Cubm);
    EXPECT_EQ(scaleStepOf(-1), ScaleStep::Cubm);
    EXPECT_EQ(scaleStepOf(10), ScaleStep::Thousand);
    EXPECT_EQ(scaleStepOf(1000), ScaleStep::Thousand);
    EXPECT_EQ(scaleStepOf(1000.01), ScaleStep::TenThousand);
    EXPECT_EQ(scaleStepOf(10000), ScaleStep::Thousand);  // between the two upper ranges
    EXPECT_EQ(scaleStepOf(10000.5), ScaleStep::HundredThousand);
    EXPECT_EQ(scaleDivisor(ScaleStep::Cubm), 0.001);
    EXPECT_EQ(scaleDivisor(ScaleStep::HundredThousand), 100);
    EXPECT_EQ(monthlyScaleLabel(ScaleStep::TenThousand), "cubm x 10,000");
    EXPECT_EQ(annualSubAreaScaleLabel(ScaleStep::TenThousand), "cubm x    10,000");
    EXPECT_EQ(annualSubAreaScaleLabel(ScaleStep::Thousand), "cubm x 1000");
    // Seven-day volumes are m3/day before the divisor: the label names what is shown.
    EXPECT_EQ(minFlowScaleLabel(ScaleStep::Cubm), "litres/day");
    EXPECT_EQ(minFlowScaleLabel(ScaleStep::Thousand), "cubm/day");
    EXPECT_EQ(minFlowScaleLabel(ScaleStep::TenThousand), "cubm x 10 / day");
    EXPECT_EQ(minFlowScaleLabel(ScaleStep::HundredThousand), "cubm x 100 / day");
}

TEST(MonthNames, AsTheMonthlyTableShowsThem) {
    EXPECT_EQ(monthName(1), "January");
    EXPECT_EQ(monthName(2), "Feb");
    EXPECT_EQ(monthName(9), "Sept");
    EXPECT_EQ(monthName(12), "Dec");
    EXPECT_EQ(monthName(0), " ");
    EXPECT_EQ(monthName(13), "");
}

}  // namespace
}  // namespace tarn
