#include "input/menu.h"

#include <vector>

namespace tarn {

namespace {

struct StepInfo {
    Step step;
    std::string_view form;
    std::optional<Step> back;
};

constexpr std::array<StepInfo, 10> kSteps{{
    {Step::Welcome, "frmMain", std::nullopt},
    {Step::Menu, "frmAMain", std::nullopt},
    {Step::Details, "frmDetail", Step::Welcome},
    {Step::Catchment, "frmCatchment", Step::Details},
    {Step::Rainfall, "frmGetRain", Step::Catchment},
    {Step::Etref, "frmEtref", Step::Rainfall},
    {Step::Soil, "frmSoilPara", Step::Etref},
    {Step::Vegetation, "frmVege", Step::Soil},
    {Step::InitialConditions, "frmIniCond", Step::Vegetation},
    {Step::Run, "frmRunModel", Step::Menu},
}};

const StepInfo& info(Step step) { return kSteps[std::size_t(step)]; }

using B = MenuButton;

// What each step's Next enables on the menu, besides the buttons of its load state.
std::vector<MenuButton> enabledAfterNext(Step step) {
    switch (step) {
    case Step::Details: return {B::DefineArea};
    case Step::Catchment: return {B::InputRainData, B::DefineArea};
    case Step::Rainfall: return {B::InputEtrefData, B::DefineArea, B::InputRainData};
    case Step::Etref: return {B::InputEtrefData, B::SoilParameters, B::DefineArea, B::InputRainData};
    case Step::Soil:
        return {B::VegeParametsrs, B::InputEtrefData, B::SoilParameters, B::DefineArea, B::InputRainData};
    case Step::Vegetation:
        return {B::IniConditions, B::VegeParametsrs, B::InputEtrefData, B::SoilParameters, B::DefineArea,
                B::InputRainData};
    case Step::InitialConditions:
    case Step::Run:  // the run's Back returns with the buttons of the initial conditions
        return {B::IniConditions, B::VegeParametsrs, B::RunandDisplay, B::InputEtrefData, B::SoilParameters,
                B::DefineArea, B::InputRainData};
    case Step::Welcome:
    case Step::Menu: break;
    }
    return {};
}

}  // namespace

std::string_view formOf(Step step) { return info(step).form; }

std::optional<Step> stepOfForm(std::string_view form) {
    for (const StepInfo& s : kSteps)
        if (s.form == form) return s.step;
    return std::nullopt;
}

std::optional<Step> backTarget(Step step) { return info(step).back; }

void welcomeLoad(Project& p) {
    p.TestOnly = 0;
    p.RerunFlag = 0;
}

void welcomeNext(Project& p) {
    p.PrjName = " Enter the project name here";
    p.OperName = " Enter operators name here";
    p.EtrefMonthly = 0;
}

const std::array<MenuButtonInfo, kMenuButtonCount>& menuButtons() {
    static const std::array<MenuButtonInfo, kMenuButtonCount> buttons{{
        {B::InputDatafile, "cmdInputDatafile", Step::Details, 1},
        {B::DefineArea, "cmdDefineArea", Step::Catchment, 2},
        {B::InputRainData, "cmdInputRainData", Step::Rainfall, 3},
        {B::InputEtrefData, "CmdInputEtrefData", Step::Etref, 4},
        {B::SoilParameters, "cmdSoilParameters", Step::Soil, 5},
        {B::VegeParametsrs, "cmdVegeParametsrs", Step::Vegetation, 6},
        {B::IniConditions, "cmdIniConditions", Step::InitialConditions, 7},
        {B::RunandDisplay, "cmdRunandDisplay", Step::Run, -1},
        {B::Exit, "cmdExit", std::nullopt, -1},
    }};
    return buttons;
}

std::optional<MenuButton> menuButtonOf(Step step) {
    for (const MenuButtonInfo& b : menuButtons())
        if (b.opens == step) return b.button;
    return std::nullopt;
}

MenuState menuAtLoad() {
    MenuState menu;
    menu.enabled[std::size_t(B::InputDatafile)] = true;
    menu.enabled[std::size_t(B::Exit)] = true;
    menu.markers[0] = true;
    return menu;
}

void menuOpenStep(MenuState& menu, Step step) {
    menu = menuAtLoad();
    const auto button = menuButtonOf(step);
    if (!button) return;
    menu.markers[0] = false;
    const int marker = menuButtons()[std::size_t(*button)].marker;
    if (marker >= 0) menu.markers[std::size_t(marker)] = true;
}

void menuAfterNext(MenuState& menu, Step step) {
    const auto enables = enabledAfterNext(step);
    if (enables.empty()) return;
    menu.enabled = menuAtLoad().enabled;
    for (MenuButton b : enables) menu.enabled[std::size_t(b)] = true;
}

}  // namespace tarn
