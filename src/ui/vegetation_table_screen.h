#pragma once
// The vegetation class table frmVegeDataStore, opened from the vegetation class choice: the
// interception fraction and crop coefficient of the five vegetation classes, edited in
// memory; a later class choice uses them.
#include <QLineEdit>
#include <array>
#include <memory>

#include "ui/screen.h"

namespace Ui {
class VegetationTableScreen;
}

namespace tarn::ui {

class VegetationTableScreen : public SubordinateScreen {
    Q_OBJECT
public:
    explicit VegetationTableScreen(Navigation& navigation);
    ~VegetationTableScreen() override;

protected:
    void load() override;

private:
    void update();

    std::unique_ptr<::Ui::VegetationTableScreen> ui_;
    std::array<std::array<QLineEdit*, 2>, 5> classes_{};  // txtVege1..txtVege5, elements 0..1
};

}  // namespace tarn::ui
