#include "input/vegetation_capture.h"

#include "input/class_choice.h"

namespace tarn {

namespace {

VegeGrid vegeBoxes(const Project& p) {
    VegeGrid grid;
    for (int s = 0; s < kSubAreas; ++s)
        for (int e = 0; e < 2; ++e) grid[std::size_t(s)][std::size_t(e)] = p.SubPara(s, paramAfter(para::IF, e)).text();
    return grid;
}

void storeGrid(Project& p, const VegeGrid& grid) {
    for (int s = 0; s < kSubAreas; ++s)
        for (int e = 0; e < 2; ++e) p.SubPara(s, paramAfter(para::IF, e)) = typedValue(grid[std::size_t(s)][std::size_t(e)]);
}

// ShowVegeParams: the grid from SubPara, stored back as the texts shown.
VegeGrid showVegeParams(Project& p) {
    VegeGrid grid = vegeBoxes(p);
    storeGrid(p, grid);
    return grid;
}

}  // namespace

VegeScreen vegeLoad(Project& p) {
    VegeGrid grid = showVegeParams(p);
    return {"  Active data file is  " + p.DataFile + "   Sheet 7  of 9 ", "Get vegetation parameters from " + p.DataFile,
            std::move(grid), {true, " Parameters used in the " + p.DataFile + " are loaded", {}, 0, {}}};
}

VegeGridResult vegeFromDataFile(Project& p) {
    return {{true, " Vegetation parameters are read from the input file", {}, 0, {}}, showVegeParams(p)};
}

StepResult vegeCapture(Project& p, const VegeGrid& grid) {
    storeGrid(p, grid);
    return {true, " Vegetation parameters saved ", {}, 0, {}};
}

StepResult vegeNext(Project& p, const VegeGrid& grid) {
    storeGrid(p, grid);
    return {true, {}, {}, 0, {}};
}

ClassChoiceScreen vegeClassesLoad(const Project& p) {
    return {"  Active data file is  " + p.DataFile + "  Sheet 7.1 of 9 ",
            " Select vegetation classes for each sub area and update"};
}

VegeGridResult vegeClassesApply(Project& p, const ClassChoice& choice) {
    applyClassChoice(p, choice, p.VegeSel, p.VegeData, para::IF, 2);
    return {{true, " Parameters reset ", {}, 0, {}}, vegeBoxes(p)};
}

VegeClassTableScreen vegeTableLoad(const Project& p) {
    VegeClassTableScreen screen{"  Active data file is  " + p.DataFile + "   Sheet 7.1.1  of 9 ",
                                " Edit the values and click on update", {}};
    for (int c = 0; c < 5; ++c)
        for (int e = 0; e < 2; ++e) screen.table[std::size_t(c)][std::size_t(e)] = p.VegeData(c, e).text();
    return screen;
}

StepResult vegeTableUpdate(Project& p, const VegeClassTable& table) {
    static constexpr const char* kParameter[] = {"interception fraction", "crop coefficient"};
    for (int c = 0; c < 5; ++c)
        for (int e = 0; e < 2; ++e) {
            const std::string& text = table[std::size_t(c)][std::size_t(e)];
            if (!Variant(text).toNumber())
                return {false,
                        std::string(kVegetationClassNames[std::size_t(c)]) + ": " + kParameter[e] + " '" + text +
                            "' is not a number !",
                        "txtVege" + std::to_string(c + 1) + "_" + std::to_string(e), 1, {}};
        }
    for (int c = 0; c < 5; ++c)
        for (int e = 0; e < 2; ++e) p.VegeData(c, e) = typedValue(table[std::size_t(c)][std::size_t(e)]);
    return {true, " Edit the values and click on update", {}, 0, {}};
}

}  // namespace tarn
