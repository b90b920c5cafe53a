#pragma once
// The catchment sub-areas screen frmCatchment: the total catchment area and the share of
// each of the ten sub-areas in whole per cent, which must add up to 100.
#include <QList>
#include <memory>

#include "input/step_result.h"
#include "ui/screen.h"

class QComboBox;

namespace Ui {
class CatchmentScreen;
}

namespace tarn::ui {

class CatchmentScreen : public Screen {
    Q_OBJECT
public:
    explicit CatchmentScreen(Navigation& navigation);
    ~CatchmentScreen() override;

protected:
    void load() override;

private:
    void totalAreaChanged();
    void capture();
    void next();
    void back();

    std::unique_ptr<::Ui::CatchmentScreen> ui_;
    QList<QComboBox*> shares_;  // cmbArea_0..9
};

}  // namespace tarn::ui
