#pragma once
// NOT BUILT YET: the stand-in for a wizard step whose screen does not exist yet. It says so
// and offers Back, Next and Exit, so that the wizard can be walked meanwhile. Navigation
// shows it for a step's form that has no registered screen; registering the real screen
// (src/ui/screens.cpp) replaces it.
#include "input/menu.h"
#include "ui/screen.h"

namespace tarn::ui {

class NotBuiltScreen : public Screen {
    Q_OBJECT
public:
    NotBuiltScreen(Navigation& navigation, Step step);

private:
    Step step_;
};

}  // namespace tarn::ui
