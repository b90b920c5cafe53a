#pragma once
// The soil class choice frmSoilParaSet, opened by the soil step: one row of five options per
// sub-area (Sand .. Clay); Update gives each sub-area with a chosen class that class's
// values and shows them on the soil step.
#include <QRadioButton>
#include <array>
#include <memory>

#include "ui/screen.h"

namespace Ui {
class SoilClassesScreen;
}

namespace tarn::ui {

class SoilClassesScreen : public SubordinateScreen {
    Q_OBJECT
public:
    explicit SoilClassesScreen(Navigation& navigation);
    ~SoilClassesScreen() override;

protected:
    void load() override;

private:
    void update();

    std::unique_ptr<::Ui::SoilClassesScreen> ui_;
    std::array<std::array<QRadioButton*, 5>, 10> options_{};  // optA1_S..optA10_S, elements 0..4
};

}  // namespace tarn::ui
