#pragma once
// The reference evapotranspiration screen frmEtref: the choice between the daily series and
// the twelve monthly values, handed to the input series chart.
#include <memory>

#include "ui/screen.h"

namespace Ui {
class EtrefScreen;
}

namespace tarn::ui {

class EtrefScreen : public Screen {
    Q_OBJECT
public:
    explicit EtrefScreen(Navigation& navigation);
    ~EtrefScreen() override;

protected:
    void load() override;

private:
    void capture();
    void next();

    std::unique_ptr<::Ui::EtrefScreen> ui_;
};

}  // namespace tarn::ui
