#pragma once
// The soil step frmSoilPara: TAW, RAW and toplayer store of the ten sub-areas, the two
// baseflow parameters, and where they come from (the input workbook, or a soil class per
// sub-area chosen on frmSoilParaSet).
#include <QLineEdit>
#include <array>
#include <memory>
#include <string>

#include "input/soil_capture.h"
#include "ui/screen.h"

namespace Ui {
class SoilScreen;
}

namespace tarn::ui {

class SoilScreen : public Screen {
    Q_OBJECT
public:
    explicit SoilScreen(Navigation& navigation);
    ~SoilScreen() override;

    // The class choice hands over the sub-area rows it set (the baseflow boxes stay).
    void showSubAreas(const SubAreaGrid<3>& rows);
    // The class table's Update hands over its first class's baseflow values.
    void showBaseflow(const std::string& bfi, const std::string& recession);

protected:
    void load() override;

private:
    SoilGrid grid() const;
    void showGrid(const SoilGrid& grid);
    void selectSource();
    void capture();
    void next();

    std::unique_ptr<::Ui::SoilScreen> ui_;
    std::array<std::array<QLineEdit*, 3>, 10> boxes_{};  // txtSoil1..txtSoil10, elements 0..2
};

}  // namespace tarn::ui
