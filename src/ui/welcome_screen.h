#pragma once
// The welcome screen frmMain: the model's picture, Next to the main menu, Exit.
#include <memory>

#include "ui/screen.h"

namespace Ui {
class WelcomeScreen;
}

namespace tarn::ui {

class WelcomeScreen : public Screen {
    Q_OBJECT
public:
    explicit WelcomeScreen(Navigation& navigation);
    ~WelcomeScreen() override;

protected:
    void load() override;

private:
    void next();

    std::unique_ptr<::Ui::WelcomeScreen> ui_;
};

}  // namespace tarn::ui
