#pragma once
// The initial conditions screen frmIniCond: the toplayer water, total water and baseflow
// store contents with which each sub-area starts the daily water balance.
#include <QList>
#include <memory>

#include "input/initial_conditions.h"
#include "ui/screen.h"

class QLineEdit;

namespace Ui {
class IniCondScreen;
}

namespace tarn::ui {

class IniCondScreen : public Screen {
    Q_OBJECT
public:
    explicit IniCondScreen(Navigation& navigation);
    ~IniCondScreen() override;

protected:
    void load() override;

private:
    void capture();
    void next();
    IniGrid grid() const;

    std::unique_ptr<::Ui::IniCondScreen> ui_;
    QList<QList<QLineEdit*>> boxes_;  // [s - 1][e]: txtIni<s>_<e>
};

}  // namespace tarn::ui
