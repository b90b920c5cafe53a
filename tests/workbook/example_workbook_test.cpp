// The bundled example workbook loads as a whole project and runs to a plausible water yield.
#include <gtest/gtest.h>

#include "model/run_model.h"
#include "workbook/input_workbook.h"

namespace tarn {
namespace {

TEST(ExampleWorkbook, LoadsAndRunsCloseToTheMeasuredWaterYield) {
    auto book = openWorkbook(std::string(TARNFLOW_EXAMPLES_DIR) + "/coln_bibury.xlsx");
    Project p;
    readHeader(*book, p);
    EXPECT_EQ(p.PrjName, "River Coln at Bibury, Gloucestershire, England");
    EXPECT_EQ(p.TotalArea.text(), "10697");
    loadParametersFromDataFile(*book, p);
    loadDailySeries(*book, p, {true, true, EtrefInput::Daily});
    ASSERT_EQ(p.NumDays, 3653);
    EXPECT_EQ(p.DayDate(1, 0), "1999-01-01");
    EXPECT_EQ(p.DayDate(3653, 0), "2008-12-31");
    const double total = *p.TotalArea.toNumber();
    for (int s = 1; s <= 10; ++s) {
        const double pct = p.AreaInit(s, 0).numberOr0();
        p.SubAreaPct[std::size_t(s)] = int(pct);
        p.SubArea[std::size_t(s)] = total * pct / 100;
        p.RainFactor[std::size_t(s)] = p.AreaInit(s, 1).isEmpty() ? Variant("0") : p.AreaInit(s, 1);
    }
    RunModel(p);
    double rain = 0, modelled = 0, measured = 0;
    for (int d = 1; d <= p.NumDays; ++d) {
        rain += p.Balance(tarn::slot::FirstRun, d, tarn::qty::P);
        modelled += p.Balance(tarn::slot::FirstRun, d, tarn::qty::Q);
        measured += p.Balance(tarn::slot::FirstRun, d, tarn::qty::Measured);
    }
    const double years = p.NumDays / 365.25;
    EXPECT_NEAR(rain / years, 929, 10);
    EXPECT_NEAR(measured / years, 473, 10);
    EXPECT_NEAR(modelled / measured, 1.0, 0.15) << "modelled " << modelled / years << " mm/yr";
}

}  // namespace
}  // namespace tarn
