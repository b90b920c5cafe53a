#include "input/initial_conditions.h"

namespace tarn {

namespace {

void storeGrid(Project& p, const IniGrid& grid) {
    for (int s = 0; s < kSubAreas; ++s)
        for (int e = 0; e < 3; ++e) p.SubPara(s, paramAfter(para::St0, e)) = typedValue(grid[std::size_t(s)][std::size_t(e)]);
}

}  // namespace

IniScreen initialLoad(const Project& p) {
    IniScreen screen{" Active data file is  " + p.DataFile + " Sheet 8 of 9", p.DataFile, {}, " Edit and capture data "};
    for (int s = 0; s < kSubAreas; ++s)
        for (int e = 0; e < 3; ++e) screen.grid[std::size_t(s)][std::size_t(e)] = p.SubPara(s, paramAfter(para::St0, e)).text();
    return screen;
}

StepResult initialCapture(Project& p, const IniGrid& grid) {
    storeGrid(p, grid);
    return {true, {}, {}, 0, {}};
}

StepResult initialNext(Project& p, const IniGrid& grid) {
    storeGrid(p, grid);
    return {true, {}, {}, 0, {}};
}

}  // namespace tarn
