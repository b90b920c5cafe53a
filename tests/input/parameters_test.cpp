// The soil, vegetation and initial conditions steps on the example workbook: reading the
// parameters, class choices per sub-area, the class tables' Update and the captures.
#include <gtest/gtest.h>

#include "input/initial_conditions.h"
#include "input/soil_capture.h"
#include "input/vegetation_capture.h"
#include "workbook/workbook.h"

namespace tarn {
namespace {

const std::string kExample = std::string(TARNFLOW_EXAMPLES_DIR) + "/coln_bibury.xlsx";

Project exampleProject() {
    Project p;
    p.DataFile = kExample;
    p.PrjName = "Coln";
    EXPECT_TRUE(soilLoad(p).result.ok);
    return p;
}

TEST(Soil, OpensWithTheWorkbookValues) {
    Project p;
    p.DataFile = kExample;
    p.SubPara(0, para::St0) = "captured earlier";
    const SoilScreen s = soilLoad(p);
    ASSERT_TRUE(s.result.ok) << s.result.status;
    EXPECT_EQ(s.result.status, "  Active data file is  " + kExample + " Page 1 of 10");
    EXPECT_EQ(s.grid.subAreas[0], (std::array<std::string, 3>{"110", "55", "20"}));
    EXPECT_EQ(s.grid.subAreas[3], (std::array<std::string, 3>{"", "", ""}));
    EXPECT_EQ(s.grid.bfi + " " + s.grid.recession, "0.85 0.975");
    EXPECT_EQ(p.SubPara(0, para::St0).text(), "10");  // every entry starts from the file
    EXPECT_EQ(soilFromDataFile(p).result.status, "Soil parameters shown are from the Input Data file");
}

TEST(Soil, AWorkbookThatCannotBeReadNamesFileAndCellAndChangesNothing) {
    Project p = exampleProject();
    p.SubPara(2, para::TAW) = "typed";
    auto book = openWorkbook(kExample);
    book->write("Q6", "n/a");
    SoilScreen s = soilLoad(p, *book);
    EXPECT_FALSE(s.result.ok);
    EXPECT_EQ(s.result.status, kExample + ": Q6: 'n/a' is not a number");
    EXPECT_EQ(p.SubPara(2, para::TAW).text(), "typed");
    EXPECT_EQ(s.grid.subAreas[2][0], "typed");

    p.DataFile = kExample + ".missing.xlsx";
    s = soilLoad(p);
    EXPECT_FALSE(s.result.ok);
    EXPECT_EQ(s.result.status.rfind(p.DataFile, 0), 0u) << s.result.status;
    EXPECT_EQ(p.SubPara(2, para::TAW).text(), "typed");
}

TEST(Soil, ClassChoiceFillsOnlyTheChosenSubAreas) {
    Project p = exampleProject();
    ClassChoice choice{};
    choice[2] = 5;  // "Clay" for A3
    const ClassChoiceResult r = soilClassesApply(p, choice);
    EXPECT_EQ(kSoilClassNames[4], std::string("Clay"));
    EXPECT_EQ(r.result.status, " Reset the soil parameters OK !");
    EXPECT_EQ(r.subAreas[2], (std::array<std::string, 3>{"150", "75", "22"}));
    EXPECT_EQ(r.subAreas[0], (std::array<std::string, 3>{"110", "55", "20"}));
    EXPECT_EQ(p.SubPara(2, para::RAW).numberOr0(), 75);
    EXPECT_EQ(p.SubPara(2, para::BFI).text(), "0.85");  // baseflow stays
    EXPECT_EQ(p.SoilSel[3], 5);
    EXPECT_EQ(p.SoilSel[1], 0);
    EXPECT_EQ(soilClassesLoad(p).status, "   Active data file for the  Coln  project is  " + kExample);
}

TEST(Soil, CaptureStoresTheGridAsTypedAndNextClearsTheRun) {
    Project p = exampleProject();
    SoilGrid grid = soilBoxes(p);
    grid.subAreas[1] = {"200", "", "x"};
    grid.bfi = "0.5";
    EXPECT_EQ(soilCapture(p, grid).status, " New parameters saved");
    EXPECT_EQ(p.SubPara(1, para::TAW).text(), "200");
    EXPECT_TRUE(p.SubPara(1, para::RAW).isEmpty());
    EXPECT_EQ(p.SubPara(1, para::TopMax).text(), "x");
    for (int s = 0; s < kSubAreas; ++s) EXPECT_EQ(p.SubPara(s, para::BFI).text(), "0.5");
    p.ModelRun = 1;
    EXPECT_TRUE(soilNext(p, grid).ok);
    EXPECT_EQ(p.ModelRun, 0);
}

TEST(ClassTables, UpdateRefusesAValueThatIsNoNumberNamingItsBox) {
    Project p = exampleProject();
    struct Case {
        int cls, element;  // element 3 BFI, 4 recession
        std::string status, focus;
    };
    for (const Case& c : {Case{4, 1, "Clay: RAW (mm) 'abc' is not a number !", "txtSoil5_1"},
                          Case{2, 3, "Silt loam: baseflow index (BFI) 'abc' is not a number !", "txtSoilBFlow_2"},
                          Case{0, 4, "Sand: recession coefficient 'abc' is not a number !", "txtSoilResCoef_0"}}) {
        SoilClassTable t = soilTableLoad(p).table;
        t.classes[0][0] = "99";
        (c.element < 3 ? t.classes[std::size_t(c.cls)][std::size_t(c.element)]
                       : c.element == 3 ? t.bfi[std::size_t(c.cls)] : t.recession[std::size_t(c.cls)]) = "abc";
        const SoilTableUpdate u = soilTableUpdate(p, t);
        EXPECT_FALSE(u.result.ok);
        EXPECT_EQ(u.result.status, c.status);
        EXPECT_EQ(u.result.focus, c.focus);
        EXPECT_EQ(p.SoilData(0, 0), 80);  // nothing changed
    }
    VegeClassTable v = vegeTableLoad(p).table;
    v[0][0] = "0.5";
    v[4][1] = "1,0";
    const StepResult r = vegeTableUpdate(p, v);
    EXPECT_EQ(r.status, "Pasture: crop coefficient '1,0' is not a number !");
    EXPECT_EQ(r.focus, "txtVege5_1");
    EXPECT_EQ(p.VegeData(0, 0).text(), "0.3");
}

TEST(ClassTables, UpdatedValuesReachTheNextClassChoice) {
    Project p = exampleProject();
    SoilClassTable t = soilTableLoad(p).table;
    EXPECT_EQ(t.classes[4], (std::array<std::string, 3>{"150", "75", "22"}));
    t.classes[4][0] = "155.5";
    t.bfi[0] = "0.7";
    const SoilTableUpdate u = soilTableUpdate(p, t);
    ASSERT_TRUE(u.result.ok);
    EXPECT_EQ(u.bfi, "0.7");  // class 1's values for the soil step's baseflow boxes
    EXPECT_EQ(u.recession, "0.97");
    EXPECT_EQ(p.SubPara(0, para::BFI).text(), "0.85");  // not yet in the sub-areas
    EXPECT_EQ(soilClassesApply(p, {0, 0, 5}).subAreas[2][0], "155.5");

    VegeClassTable v = vegeTableLoad(p).table;
    v[4] = {" 0.12 ", ""};
    ASSERT_TRUE(vegeTableUpdate(p, v).ok);
    const VegeGridResult r = vegeClassesApply(p, {0, 5});  // "Pasture" for A2
    EXPECT_EQ(r.grid[1], (std::array<std::string, 2>{" 0.12 ", ""}));  // as typed
    EXPECT_EQ(p.VegeSel[2], 5);
}

TEST(Vegetation, ClassChoiceFillsTheSubAreaAndTheStepShowsIt) {
    Project p = exampleProject();
    const VegeScreen s = vegeLoad(p);
    EXPECT_EQ(s.grid[0], (std::array<std::string, 2>{"0.03", "0.8"}));
    EXPECT_EQ(s.result.status, " Parameters used in the " + kExample + " are loaded");
    const VegeGridResult r = vegeClassesApply(p, {0, 5});  // "Pasture" for A2
    EXPECT_EQ(r.result.status, " Parameters reset ");
    EXPECT_EQ(r.grid[1], (std::array<std::string, 2>{"0.08", "1"}));
    EXPECT_EQ(r.grid[0], s.grid[0]);
    EXPECT_EQ(p.SubPara(1, para::IF).numberOr0(), 0.08);
    EXPECT_EQ(vegeCapture(p, {{{"0.2", ""}}}).status, " Vegetation parameters saved ");
    EXPECT_TRUE(p.SubPara(0, para::Kc).isEmpty());
}

TEST(InitialConditions, ShowsAndStoresTheThreeStores) {
    Project p = exampleProject();
    IniScreen s = initialLoad(p);
    EXPECT_EQ(s.grid[2], (std::array<std::string, 3>{"12", "120", "80"}));
    EXPECT_EQ(s.status, " Edit and capture data ");
    EXPECT_EQ(s.caption, " Active data file is  " + kExample + " Sheet 8 of 9");
    s.grid[2] = {"5", "60.5", ""};
    EXPECT_TRUE(initialCapture(p, s.grid).ok);
    EXPECT_EQ(p.SubPara(2, para::Sw0).text(), "60.5");
    EXPECT_TRUE(p.SubPara(2, para::B0).isEmpty());
    EXPECT_EQ(p.SubPara(2, para::TopMax).text(), "25");  // other parameters untouched
}

}  // namespace
}  // namespace tarn
