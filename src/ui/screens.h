#pragma once
// Registers every screen of the program with the Navigation: the one list to extend when
// a screen is added.
namespace tarn::ui {

class Navigation;

void registerScreens(Navigation& navigation);

}  // namespace tarn::ui
