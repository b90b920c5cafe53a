#include <gtest/gtest.h>

#include "model/cell_address.h"
#include "model/dates.h"
#include "model/variant.h"

namespace tarn {

TEST(Variant, EmptyCountsAsZeroAndTextIsReadAsNumber) {
    EXPECT_EQ(Variant().toNumber(), 0.0);
    EXPECT_EQ(Variant("").toNumber(), 0.0);
    EXPECT_EQ(Variant("  ").toNumber(), 0.0);
    EXPECT_EQ(Variant(" 12.5 ").toNumber(), 12.5);
    EXPECT_EQ(Variant("-3e2").toNumber(), -300.0);
    EXPECT_EQ(Variant("+7").toNumber(), 7.0);
    EXPECT_EQ(Variant(4.25).toNumber(), 4.25);
}

TEST(Variant, TextThatIsNoNumberHasNone) {
    for (const char* text : {"n/a", "12,5", "1.2.3", "inf", "nan", "12 mm", "0x10", "--1"})
        EXPECT_FALSE(Variant(text).toNumber().has_value()) << text;
}

TEST(Variant, GeneralTextOfNumbers) {
    EXPECT_EQ(Variant(3.0).text(), "3");
    EXPECT_EQ(Variant(0.25).text(), "0.25");
    EXPECT_EQ(Variant(-150.0).text(), "-150");
    EXPECT_EQ(Variant(0.1 + 0.2).text(), "0.3");  // 15 significant digits
    EXPECT_EQ(Variant(1e20).text(), "1E+20");
    EXPECT_EQ(Variant(123456789012.0).text(), "123456789012");
    EXPECT_EQ(Variant().text(), "");
    EXPECT_EQ(Variant("abc").text(), "abc");
}

TEST(Variant, WholeNumberConversionRoundsTiesToEven) {
    EXPECT_EQ(roundHalfEven(2.5), 2.0);
    EXPECT_EQ(roundHalfEven(3.5), 4.0);
    EXPECT_EQ(roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(roundHalfEven(2.4999), 2.0);
    EXPECT_EQ(roundHalfEven(2.5001), 3.0);
    EXPECT_EQ(roundHalfEven(0.5), 0.0);
    EXPECT_EQ(roundHalfEven(1.5), 2.0);
}

TEST(Dates, IsoAndSlashedFormsAreRead) {
    using namespace std::chrono;
    EXPECT_EQ(parseDateText("2000-02-29"), year{2000} / 2 / 29);
    EXPECT_EQ(parseDateText("1999/1/5"), year{1999} / 1 / 5);
    EXPECT_EQ(parseDateText("1999/12/31"), year{1999} / 12 / 31);
    EXPECT_EQ(dateText(year{1999} / 1 / 5), "1999-01-05");
}

TEST(Dates, OtherTextsAndImpossibleDaysAreNoDates) {
    for (const char* text : {"2001-02-29", "1999-1-5", "1999-13-01", "1999/01-05", "99-01-05",
                             "1999-01-05x", "", "5/1/1999", "1999-00-10"})
        EXPECT_FALSE(parseDateText(text).has_value()) << text;
}

TEST(CellAddress, LettersAndNumbersRoundTrip) {
    EXPECT_EQ(columnLetters(1), "A");
    EXPECT_EQ(columnLetters(26), "Z");
    EXPECT_EQ(columnLetters(27), "AA");
    EXPECT_EQ(columnLetters(85), "CG");
    EXPECT_EQ(columnNumber("AD"), 30);
    EXPECT_EQ(columnNumber("bm"), 65);
    auto ref = parseCellAddress("AD16");
    ASSERT_TRUE(ref);
    EXPECT_EQ(ref->column, 30);
    EXPECT_EQ(ref->row, 16);
    EXPECT_FALSE(parseCellAddress("16"));
    EXPECT_FALSE(parseCellAddress("A0"));
    EXPECT_FALSE(parseCellAddress("A1B"));
}

}  // namespace tarn
