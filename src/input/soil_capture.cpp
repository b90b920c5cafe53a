#include "input/soil_capture.h"

#include <memory>

#include "input/class_choice.h"
#include "model/errors.h"
#include "workbook/input_workbook.h"
#include "workbook/workbook.h"

namespace tarn {

namespace {

// The reason a read of `file` failed, naming the file once.
StepResult readFailure(const std::string& file, const InputError& e) {
    return {false, namingFile(file, e.what()), {}, 1, {}};
}

void storeGrid(Project& p, const SoilGrid& grid) {
    for (int s = 0; s < kSubAreas; ++s)
        for (int e = 0; e < 3; ++e) p.SubPara(s, paramAfter(para::TAW, e)) = typedValue(grid.subAreas[std::size_t(s)][std::size_t(e)]);
    for (int s = 0; s < kSubAreas; ++s) {
        p.SubPara(s, para::BFI) = typedValue(grid.bfi);
        p.SubPara(s, para::K) = typedValue(grid.recession);
    }
}

SubAreaGrid<3> subAreaRows(const Project& p) {
    SubAreaGrid<3> rows;
    for (int s = 0; s < kSubAreas; ++s)
        for (int e = 0; e < 3; ++e) rows[std::size_t(s)][std::size_t(e)] = p.SubPara(s, paramAfter(para::TAW, e)).text();
    return rows;
}

}  // namespace

SoilGrid soilBoxes(const Project& p) {
    return {subAreaRows(p), p.SubPara(0, para::BFI).text(), p.SubPara(0, para::K).text()};
}

SoilGridResult soilFromDataFile(Project& p, const Workbook& book) {
    try {
        loadParametersFromDataFile(book, p);
    } catch (const InputError& e) {
        return {readFailure(book.path().string(), e), soilBoxes(p)};
    }
    return {{true, "Soil parameters shown are from the Input Data file", {}, 0, {}}, soilBoxes(p)};
}

SoilGridResult soilFromDataFile(Project& p) {
    std::unique_ptr<Workbook> book;
    try {
        book = openWorkbook(p.DataFile);
    } catch (const InputError& e) {
        return {readFailure(p.DataFile, e), soilBoxes(p)};
    }
    return soilFromDataFile(p, *book);
}

namespace {

SoilScreen soilScreen(const Project& p, SoilGridResult read) {
    SoilScreen screen{"  Active data file is  " + p.DataFile + "  Sheet 6 of 9 ", "Get data from :    " + p.DataFile,
                      p.DataFile, std::move(read.grid), std::move(read.result)};
    if (screen.result.ok) screen.result.status = "  Active data file is  " + p.DataFile + " Page 1 of 10";
    return screen;
}

}  // namespace

SoilScreen soilLoad(Project& p, const Workbook& book) {
    p.ChartFile = p.DataFile;
    return soilScreen(p, soilFromDataFile(p, book));
}

SoilScreen soilLoad(Project& p) {
    p.ChartFile = p.DataFile;
    return soilScreen(p, soilFromDataFile(p));
}

StepResult soilCapture(Project& p, const SoilGrid& grid) {
    storeGrid(p, grid);
    return {true, " New parameters saved", {}, 0, {}};
}

StepResult soilNext(Project& p, const SoilGrid& grid) {
    p.ModelRun = 0;
    storeGrid(p, grid);
    return {true, {}, {}, 0, {}};
}

ClassChoiceScreen soilClassesLoad(const Project& p) {
    return {" Active data file is  " + p.DataFile + "     Sheet 6.1 of 9",
            "   Active data file for the  " + p.PrjName + "  project is  " + p.DataFile};
}

ClassChoiceResult soilClassesApply(Project& p, const ClassChoice& choice) {
    applyClassChoice(p, choice, p.SoilSel, p.SoilData, para::TAW, 3);
    return {{true, " Reset the soil parameters OK !", {}, 0, {}}, subAreaRows(p)};
}

SoilClassTableScreen soilTableLoad(const Project& p) {
    SoilClassTableScreen screen;
    screen.caption = "  Active data file is  " + p.DataFile + " Sheet 6.1.1 of 9 ";
    screen.status = "   Active data file is  " + p.DataFile;
    for (int c = 0; c < 5; ++c) {
        const auto i = std::size_t(c);
        for (int e = 0; e < 3; ++e) screen.table.classes[i][std::size_t(e)] = generalNumberText(p.SoilData(c, e));
        screen.table.bfi[i] = generalNumberText(p.SoilData(c, 3));
        screen.table.recession[i] = generalNumberText(p.SoilData(c, 4));
    }
    return screen;
}

SoilTableUpdate soilTableUpdate(Project& p, const SoilClassTable& table) {
    static constexpr const char* kParameter[] = {"TAW (mm)", "RAW (mm)", "toplayer store (mm)", "baseflow index (BFI)",
                                                 "recession coefficient"};
    Grid<double> values(5, 5);
    for (int c = 0; c < 5; ++c) {
        const auto i = std::size_t(c);
        for (int e = 0; e < 5; ++e) {
            const std::string& text = e < 3 ? table.classes[i][std::size_t(e)] : e == 3 ? table.bfi[i] : table.recession[i];
            const auto x = Variant(text).toNumber();
            if (!x) {
                const std::string box = e < 3   ? "txtSoil" + std::to_string(c + 1) + "_" + std::to_string(e)
                                        : e == 3 ? "txtSoilBFlow_" + std::to_string(c)
                                                 : "txtSoilResCoef_" + std::to_string(c);
                return {{false, std::string(kSoilClassNames[i]) + ": " + kParameter[e] + " '" + text + "' is not a number !",
                         box, 1, {}},
                        {},
                        {}};
            }
            values(c, e) = *x;
        }
    }
    p.SoilData = values;
    return {{true, "   Active data file is  " + p.DataFile, {}, 0, {}},
            generalNumberText(values(0, 3)),
            generalNumberText(values(0, 4))};
}

}  // namespace tarn
