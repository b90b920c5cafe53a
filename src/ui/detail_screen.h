#pragma once
// The project details screen frmDetail: the choice of the input workbook, the project and
// operator names, the last run and the running clock Timer1.
#include <memory>

#include "ui/screen.h"

class QTimer;

namespace Ui {
class DetailScreen;
}

namespace tarn::ui {

class DetailScreen : public Screen {
    Q_OBJECT
public:
    explicit DetailScreen(Navigation& navigation);
    ~DetailScreen() override;

protected:
    void load() override;

private:
    void chooseFile();
    void next();
    void back();
    void tick();
    void showNames(bool shown);

    std::unique_ptr<::Ui::DetailScreen> ui_;
    QTimer* timer_;
};

}  // namespace tarn::ui
