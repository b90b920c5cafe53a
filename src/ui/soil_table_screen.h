#pragma once
// The soil class table frmSoilDataStore, opened from the soil class choice: TAW, RAW,
// toplayer store, baseflow index and recession coefficient of the five soil classes, edited
// in memory. Update takes them when every box holds a number, and hands the first class's
// baseflow values to the soil step.
#include <QLineEdit>
#include <array>
#include <memory>

#include "ui/screen.h"

namespace Ui {
class SoilTableScreen;
}

namespace tarn::ui {

class SoilTableScreen : public SubordinateScreen {
    Q_OBJECT
public:
    explicit SoilTableScreen(Navigation& navigation);
    ~SoilTableScreen() override;

protected:
    void load() override;

private:
    void update();

    std::unique_ptr<::Ui::SoilTableScreen> ui_;
    std::array<std::array<QLineEdit*, 3>, 5> classes_{};  // txtSoil1..txtSoil5, elements 0..2
    std::array<QLineEdit*, 5> bfi_{};                       // txtSoilBFlow_0..4
    std::array<QLineEdit*, 5> recession_{};                 // txtSoilResCoef_0..4
};

}  // namespace tarn::ui
