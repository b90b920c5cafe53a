#pragma once
// The vegetation class choice frmVegeParaSet, opened by the vegetation step: one row of five
// options per sub-area (Forest old .. Pasture); Update gives each sub-area with a chosen
// class that class's values and shows them on the vegetation step.
#include <QRadioButton>
#include <array>
#include <memory>

#include "ui/screen.h"

namespace Ui {
class VegetationClassesScreen;
}

namespace tarn::ui {

class VegetationClassesScreen : public SubordinateScreen {
    Q_OBJECT
public:
    explicit VegetationClassesScreen(Navigation& navigation);
    ~VegetationClassesScreen() override;

protected:
    void load() override;

private:
    void update();

    std::unique_ptr<::Ui::VegetationClassesScreen> ui_;
    std::array<std::array<QRadioButton*, 5>, 10> options_{};  // optVege1..optVege10, elements 0..4
};

}  // namespace tarn::ui
