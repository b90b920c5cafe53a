#pragma once
// The wizard: its screens in sheet order, where each Back leads, the welcome screen's rules,
// and the main menu with its step buttons, its step markers and the buttons each step's
// Next leaves enabled.
#include <array>
#include <optional>
#include <string_view>

#include "model/project.h"

namespace tarn {

// The screens of the wizard, in sheet order.
enum class Step { Welcome, Menu, Details, Catchment, Rainfall, Etref, Soil, Vegetation, InitialConditions, Run };

// The form name of a step's screen: "frmMain", "frmAMain", "frmDetail", ...
std::string_view formOf(Step step);

// The step whose screen has this form name, if it is one of the wizard's.
std::optional<Step> stepOfForm(std::string_view form);

// Where Back leads: project details to the welcome screen, each later step to the one
// before it, the run to the menu. The welcome screen and the menu have no Back.
std::optional<Step> backTarget(Step step);

// ---- Welcome screen (frmMain) ----

inline constexpr std::string_view kWelcomeCaption = " Sheet 1 of 9";

// Load: a session starts without reruns and without the testing-only substitution.
void welcomeLoad(Project& project);

// Next (cmdNext_1): the default project and operator names; ETref is daily until a monthly
// capture says otherwise.
void welcomeNext(Project& project);

// ---- Main menu (frmAMain) ----

inline constexpr std::string_view kMenuCaption = "  Sheet 1.1 of 9 ";

// The menu's buttons, top to bottom.
enum class MenuButton {
    InputDatafile, DefineArea, InputRainData, InputEtrefData, SoilParameters,
    VegeParametsrs, IniConditions, RunandDisplay, Exit
};
inline constexpr int kMenuButtonCount = 9;
// Markers lbl_button_0..7: marker i sits beside the i-th step button and points at it.
inline constexpr int kMenuMarkerCount = 8;

struct MenuButtonInfo {
    MenuButton button;
    std::string_view name;      // object name ("cmdInputDatafile")
    std::optional<Step> opens;  // the step it opens; none for Exit
    int marker;                 // the marker shown once its step is open; -1 for none
};

// Every menu button, in MenuButton order.
const std::array<MenuButtonInfo, kMenuButtonCount>& menuButtons();

// The button that opens a step, if the menu has one for it.
std::optional<MenuButton> menuButtonOf(Step step);

struct MenuState {
    std::array<bool, kMenuButtonCount> enabled{};  // by MenuButton
    std::array<bool, kMenuMarkerCount> markers{};  // lbl_button_0..7 shown
    bool isEnabled(MenuButton button) const { return enabled[std::size_t(button)]; }
    bool operator==(const MenuState&) const = default;
};

// The menu as it loads: only "Input data file" and "Exit" enabled, only marker 0 shown.
MenuState menuAtLoad();

// A step button was pressed: the menu goes back to its load state, with the marker beside
// the following step shown instead of marker 0 (the run shows no marker).
void menuOpenStep(MenuState& menu, Step step);

// A step's Next (or the run's Back) shows the menu again: the buttons of its load state and
// those that step enables; the markers stay as they are. Steps that enable nothing (the
// welcome screen) leave the menu as it is.
void menuAfterNext(MenuState& menu, Step step);

}  // namespace tarn
