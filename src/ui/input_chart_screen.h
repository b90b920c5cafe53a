#pragma once
// The input series chart frmChartP: opened beside the rainfall and evapotranspiration steps,
// it reads the series their capture asked for from the workbook into the project, charts
// the chosen number of rows and lets the user correct a value by double-clicking its point.
// BACK returns to the step that opened it.
#include <memory>

#include "ui/screen.h"

namespace Ui {
class InputChartScreen;
}

namespace tarn {
struct InputChartView;
}

namespace tarn::ui {

class InputChartScreen : public SubordinateScreen {
    Q_OBJECT
public:
    explicit InputChartScreen(Navigation& navigation);
    ~InputChartScreen() override;

    QSize sizeHint() const override;

protected:
    void load() override;
    // The close box leaves as BACK does.
    void closeRequested() override;

private:
    // LoadInputChart: reads what the capture steps asked for (under the progress window) and
    // draws the rows chosen in cmbRowsRain.
    void loadChart();
    void showView(const InputChartView& view);
    void typeChosen(int index);
    void pointSelected(int column, int row);
    void pointActivated(int column, int row);
    void back();

    std::unique_ptr<::Ui::InputChartScreen> ui_;
};

}  // namespace tarn::ui
