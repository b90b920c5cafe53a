// The wizard's order and the main menu: which buttons each step's Next leaves enabled, which
// marker each step shows, where Back leads, and what the welcome screen resets.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "input/menu.h"

namespace tarn {
namespace {

std::set<std::string> enabledButtons(const MenuState& menu) {
    std::set<std::string> names;
    for (const MenuButtonInfo& b : menuButtons())
        if (menu.isEnabled(b.button)) names.insert(std::string(b.name));
    return names;
}

std::set<int> shownMarkers(const MenuState& menu) {
    std::set<int> shown;
    for (int i = 0; i < kMenuMarkerCount; ++i)
        if (menu.markers[std::size_t(i)]) shown.insert(i);
    return shown;
}

TEST(Menu, loads_with_only_the_data_file_and_exit) {
    const MenuState menu = menuAtLoad();
    EXPECT_EQ(enabledButtons(menu), (std::set<std::string>{"cmdInputDatafile", "cmdExit"}));
    EXPECT_EQ(shownMarkers(menu), std::set<int>{0});
}

TEST(Menu, each_next_enables_the_steps_up_to_the_following_one) {
    const std::set<std::string> always{"cmdInputDatafile", "cmdExit"};
    const struct {
        Step step;
        std::set<std::string> enables;
    } rows[] = {
        {Step::Details, {"cmdDefineArea"}},
        {Step::Catchment, {"cmdInputRainData", "cmdDefineArea"}},
        {Step::Rainfall, {"CmdInputEtrefData", "cmdDefineArea", "cmdInputRainData"}},
        {Step::Etref, {"CmdInputEtrefData", "cmdSoilParameters", "cmdDefineArea", "cmdInputRainData"}},
        {Step::Soil,
         {"cmdVegeParametsrs", "CmdInputEtrefData", "cmdSoilParameters", "cmdDefineArea", "cmdInputRainData"}},
        {Step::Vegetation,
         {"cmdIniConditions", "cmdVegeParametsrs", "CmdInputEtrefData", "cmdSoilParameters", "cmdDefineArea",
          "cmdInputRainData"}},
        {Step::InitialConditions,
         {"cmdIniConditions", "cmdVegeParametsrs", "cmdRunandDisplay", "CmdInputEtrefData", "cmdSoilParameters",
          "cmdDefineArea", "cmdInputRainData"}},
        {Step::Run,
         {"cmdIniConditions", "cmdVegeParametsrs", "cmdRunandDisplay", "CmdInputEtrefData", "cmdSoilParameters",
          "cmdDefineArea", "cmdInputRainData"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(formOf(row.step)));
        // Opened from a menu on which a later step had left more enabled.
        MenuState menu = menuAtLoad();
        menuAfterNext(menu, Step::InitialConditions);
        menuOpenStep(menu, row.step);
        const std::set<int> markers = shownMarkers(menu);
        menuAfterNext(menu, row.step);
        std::set<std::string> expected = row.enables;
        expected.insert(always.begin(), always.end());
        EXPECT_EQ(enabledButtons(menu), expected);
        EXPECT_EQ(shownMarkers(menu), markers) << "the marker of the step opened stays";
    }
}

TEST(Menu, rainfall_next_enables_evapotranspiration_but_not_soil) {
    MenuState menu = menuAtLoad();
    menuOpenStep(menu, Step::Rainfall);
    menuAfterNext(menu, Step::Rainfall);
    EXPECT_TRUE(menu.isEnabled(MenuButton::InputEtrefData));
    EXPECT_FALSE(menu.isEnabled(MenuButton::SoilParameters));
}

TEST(Menu, a_step_button_shows_the_marker_beside_the_following_step) {
    const struct {
        Step step;
        std::set<int> markers;
    } rows[] = {
        {Step::Details, {1}},    {Step::Catchment, {2}}, {Step::Rainfall, {3}},          {Step::Etref, {4}},
        {Step::Soil, {5}},       {Step::Vegetation, {6}}, {Step::InitialConditions, {7}}, {Step::Run, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(formOf(row.step)));
        MenuState menu = menuAtLoad();
        menuOpenStep(menu, Step::Vegetation);
        menuAfterNext(menu, Step::Vegetation);
        menuOpenStep(menu, row.step);
        EXPECT_EQ(shownMarkers(menu), row.markers);
        EXPECT_EQ(enabledButtons(menu), enabledButtons(menuAtLoad())) << "back in its load state";
    }
}

TEST(Menu, the_welcome_next_shows_the_menu_as_it_is) {
    MenuState menu = menuAtLoad();
    menuOpenStep(menu, Step::Details);
    const MenuState before = menu;
    menuAfterNext(menu, Step::Welcome);
    EXPECT_EQ(menu, before);
}

TEST(Wizard, back_leads_to_the_step_before) {
    const struct {
        Step step;
        std::optional<Step> back;
    } rows[] = {
        {Step::Welcome, std::nullopt},
        {Step::Menu, std::nullopt},
        {Step::Details, Step::Welcome},
        {Step::Catchment, Step::Details},
        {Step::Rainfall, Step::Catchment},
        {Step::Etref, Step::Rainfall},
        {Step::Soil, Step::Etref},
        {Step::Vegetation, Step::Soil},
        {Step::InitialConditions, Step::Vegetation},
        {Step::Run, Step::Menu},
    };
    for (const auto& row : rows) EXPECT_EQ(backTarget(row.step), row.back) << formOf(row.step);
}

TEST(Welcome, load_clears_the_run_options_and_next_sets_the_default_names) {
    Project p;
    p.RerunFlag = 1;
    p.TestOnly = 1;
    p.EtrefMonthly = 1;
    welcomeLoad(p);
    EXPECT_EQ(p.RerunFlag, 0);
    EXPECT_EQ(p.TestOnly, 0);
    EXPECT_EQ(p.EtrefMonthly, 1) << "only Next clears it";
    welcomeNext(p);
    EXPECT_EQ(p.PrjName, " Enter the project name here");
    EXPECT_EQ(p.OperName, " Enter operators name here");
    EXPECT_EQ(p.EtrefMonthly, 0);
}

}  // namespace
}  // namespace tarn
