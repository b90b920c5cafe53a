#pragma once
// The vegetation step frmVege: interception fraction and crop coefficient of the ten
// sub-areas, from the sub-area block the soil step read, or from a vegetation class per
// sub-area chosen on frmVegeParaSet.
#include <QLineEdit>
#include <array>
#include <memory>

#include "input/vegetation_capture.h"
#include "ui/screen.h"

namespace Ui {
class VegetationScreen;
}

namespace tarn::ui {

class VegetationScreen : public Screen {
    Q_OBJECT
public:
    explicit VegetationScreen(Navigation& navigation);
    ~VegetationScreen() override;

    // The class choice hands over the grid it set and its status (" Parameters reset ").
    void showClassChoice(const VegeGridResult& applied);

protected:
    void load() override;

private:
    VegeGrid grid() const;
    void showGrid(const VegeGrid& grid);
    void selectSource();
    void capture();
    void next();

    std::unique_ptr<::Ui::VegetationScreen> ui_;
    std::array<std::array<QLineEdit*, 2>, 10> boxes_{};  // txtVege1..txtVege10, elements 0..1
};

}  // namespace tarn::ui
