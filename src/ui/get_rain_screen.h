#pragma once
// The rainfall and streamflow screen frmGetRain: hands the daily rainfall (and, when ticked,
// the measured streamflow) to the input series chart, and captures a rainfall scaling
// factor for each sub-area.
#include <QList>
#include <memory>

#include "ui/screen.h"

class QComboBox;

namespace Ui {
class GetRainScreen;
}

namespace tarn::ui {

class GetRainScreen : public Screen {
    Q_OBJECT
public:
    explicit GetRainScreen(Navigation& navigation);
    ~GetRainScreen() override;

protected:
    void load() override;

private:
    void capture();
    void next();
    void back();
    void factorsChanged();

    std::unique_ptr<::Ui::GetRainScreen> ui_;
    QList<QComboBox*> factors_;  // cmbRainScale_0..9
    bool loading_ = false;       // the boxes are being filled as the step opens
};

}  // namespace tarn::ui
