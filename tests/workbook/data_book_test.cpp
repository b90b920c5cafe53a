#include <gtest/gtest.h>

#include <chrono>

#include "model/errors.h"
#include "support/temp_dir.h"
#include "workbook/data_book.h"
#include "workbook/xlsx_builder.h"

namespace tarn {
namespace {

TEST(DataBook, CountsTheDaysOfTheGivenColumn) {
    testing::TempDir dir;
    XlsxBuilder b;
    b.addSheet("S");
    for (int d = 1; d <= 7; ++d) b.setNumber(0, 24 + d, 4, 36000 + d);
    b.setNumber(0, 33, 4, 1);  // after the gap at row 32: not counted
    b.setNumber(0, 24, 5, 1);  // row 24 is above the series
    b.save(dir / "b.xlsx");
    Project p;
    auto book = OpenDataBook(p, dir / "b.xlsx", "D");
    EXPECT_EQ(p.NumDays, 7);
    OpenDataBook(p, dir / "b.xlsx", "E");
    EXPECT_EQ(p.NumDays, 0);  // row 25 of column E is empty
    CloseWorkbooks(book);
    EXPECT_EQ(book, nullptr);
    EXPECT_THROW(OpenDataBook(p, dir / "missing.xlsx", "D"), InputError);
}

TEST(DataBook, WaitKeepsPumpingAndZeroReturnsAtOnce) {
    int pumps = 0;
    const auto start = std::chrono::steady_clock::now();
    WaitMs(0, [&] { ++pumps; });
    EXPECT_EQ(pumps, 0);
    WaitMs(20, [&] { ++pumps; });
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20));
    EXPECT_GT(pumps, 0);
}

}  // namespace
}  // namespace tarn
