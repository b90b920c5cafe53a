// Reading workbooks written by other programs (openpyxl, LibreOffice) in both date systems
// and both file formats, and the input-workbook cell map over them.
#include <gtest/gtest.h>

#include <filesystem>

#include "fixture_values.h"
#include "model/errors.h"
#include "workbook/input_workbook.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

fs::path fixture(const std::string& name) { return fs::path(TARNFLOW_TEST_DATA_DIR) / name; }

class FixtureWorkbook : public ::testing::TestWithParam<const char*> {};

TEST_P(FixtureWorkbook, HeaderAndAreaSnapshotAreRead) {
    auto book = openWorkbook(fixture(GetParam()));
    Project p;
    readHeader(*book, p);
    EXPECT_EQ(p.PrjName, fixture::kProjectName);
    EXPECT_EQ(p.OperName, fixture::kOperator);
    EXPECT_EQ(p.LastRun, "never");
    EXPECT_EQ(p.TotalArea.text(), "1250");
    EXPECT_EQ(p.AreaInit(1, 0), Variant(50.0));
    EXPECT_EQ(p.AreaInit(2, 1), Variant(105.0));
    EXPECT_TRUE(p.AreaInit(4, 0).isEmpty());
    EXPECT_TRUE(p.AreaInit(10, 1).isEmpty());
}

TEST_P(FixtureWorkbook, ParametersAndClassTablesAreLoaded) {
    auto book = openWorkbook(fixture(GetParam()));
    Project p;
    loadParametersFromDataFile(*book, p);
    for (int s = 0; s < 3; ++s)
        for (int c = 0; c < 10; ++c)
            EXPECT_EQ(p.SubPara(s, paramAfter(para::Area, c)), Variant(fixture::kSubAreaTexts[std::size_t(s)][std::size_t(c)]))
                << "sub-area " << s + 1 << " parameter " << c;
    for (int s = 0; s < 10; ++s) {
        EXPECT_EQ(p.SubPara(s, para::BFI), Variant("0.6"));
        EXPECT_EQ(p.SubPara(s, para::K), Variant("0.97"));
    }
    EXPECT_TRUE(p.SubPara(3, para::TAW).isEmpty());
    for (int c = 0; c < 5; ++c) {
        for (int k = 0; k < 3; ++k) EXPECT_EQ(p.SoilData(c, k), fixture::kSoil[k][c]);
        EXPECT_EQ(p.SoilData(c, 3), 0.55);
        EXPECT_EQ(p.SoilData(c, 4), 0.95);
        EXPECT_EQ(p.VegeData(c, 0), Variant(fixture::kVege[0][c]));
        EXPECT_EQ(p.VegeData(c, 1), Variant(fixture::kVege[1][c]));
    }
}

TEST_P(FixtureWorkbook, DailySeriesAreReadWithIsoDates) {
    auto book = openWorkbook(fixture(GetParam()));
    EXPECT_EQ(countDays(*book), fixture::kDays);
    Project p;
    loadDailySeries(*book, p, {true, true, EtrefInput::Daily});
    ASSERT_EQ(p.NumDays, fixture::kDays);
    for (int d = 1; d <= fixture::kDays; ++d) {
        const auto i = std::size_t(d - 1);
        EXPECT_EQ(p.DayDate(d, 0), fixture::kDates[i]);
        EXPECT_EQ(p.Balance(tarn::slot::Inputs, d, tarn::qty::P), fixture::kRain[i]);
        EXPECT_EQ(p.Balance(tarn::slot::Inputs, d, tarn::qty::ETr), fixture::kEtref[i]);
        EXPECT_EQ(p.Balance(tarn::slot::FirstRun, d, tarn::qty::Measured), fixture::kFlow[i]);
    }
}

TEST_P(FixtureWorkbook, MonthlyEvapotranspirationIsSpreadByCalendarMonth) {
    auto book = openWorkbook(fixture(GetParam()));
    Project p;
    loadDailySeries(*book, p, {true, false, EtrefInput::Monthly});
    EXPECT_EQ(p.EtrefMonthly, 1);
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(p.MonthlyEtref[std::size_t(m)], fixture::kMonthlyEtref[std::size_t(m - 1)]);
        EXPECT_EQ(p.MonthLabel[std::size_t(m)], fixture::kMonthLabels[std::size_t(m - 1)]);
    }
    spreadMonthlyEtref(p);
    for (int d = 1; d <= 5; ++d) EXPECT_EQ(p.Balance(tarn::slot::Inputs, d, tarn::qty::ETr), 1.3);  // March
    for (int d = 6; d <= 10; ++d) EXPECT_EQ(p.Balance(tarn::slot::Inputs, d, tarn::qty::ETr), 2.1);  // April
    EXPECT_EQ(p.Balance(tarn::slot::FirstRun, 3, tarn::qty::Measured), 0.0);  // measured streamflow was not asked for
}

INSTANTIATE_TEST_SUITE_P(OtherProgramsFiles, FixtureWorkbook,
                         ::testing::Values("openpyxl_1900.xlsx", "openpyxl_1904.xlsx",
                                           "openpyxl_locale_dates.xlsx", "openpyxl_text_dates.xlsx",
                                           "openpyxl_serial_dates.xlsx", "libreoffice.xlsx",
                                           "libreoffice.xls", "libreoffice_1904.xls",
                                           "libreoffice_formulas.xls", "libreoffice_formulas.xlsx"),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

TEST(Workbook, DateSystemIsTakenFromTheFile) {
    EXPECT_FALSE(openWorkbook(fixture("openpyxl_1900.xlsx"))->date1904());
    EXPECT_TRUE(openWorkbook(fixture("openpyxl_1904.xlsx"))->date1904());
    EXPECT_TRUE(openWorkbook(fixture("libreoffice_1904.xls"))->date1904());
}

TEST(Workbook, CachedFormulaValuesAreRead) {
    auto book = openWorkbook(fixture("libreoffice.xlsx"));
    EXPECT_EQ(book->cell("AF3").toNumber(), 2500.0);
}

}  // namespace
}  // namespace tarn
