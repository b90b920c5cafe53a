#pragma once
// The monthly totals screen frmTotalflows: the catchment's monthly streamflow volume of the
// first run, the last run and the measured streamflow, twelve months a page.
#include <QList>
#include <memory>

#include "analysis/monthly.h"
#include "ui/analysis_screen.h"

class QLineEdit;

namespace Ui {
class MonthlyScreen;
}

namespace tarn::ui {

class MonthlyScreen : public AnalysisScreen {
    Q_OBJECT
public:
    explicit MonthlyScreen(Navigation& navigation);
    ~MonthlyScreen() override;

protected:
    void load() override;

private:
    void showPage(const MonthPage& page);

    std::unique_ptr<::Ui::MonthlyScreen> ui_;
    QList<QLineEdit*> month_, year_, first_, last_, measured_;  // txtMonth, txtYear1, txtFlow1, txtFlow2, txtMeasured
    MonthPager pager_;
};

}  // namespace tarn::ui
