#pragma once
// The main menu frmAMain: one button per input step, the markers beside them, Exit. It
// shows the menu state the Navigation keeps and asks it to open the step of a button.
#include <memory>

#include "ui/screen.h"

namespace Ui {
class MainMenuScreen;
}

namespace tarn::ui {

class MainMenuScreen : public Screen {
    Q_OBJECT
public:
    explicit MainMenuScreen(Navigation& navigation);
    ~MainMenuScreen() override;

protected:
    void load() override;

private:
    std::unique_ptr<::Ui::MainMenuScreen> ui_;
};

}  // namespace tarn::ui
