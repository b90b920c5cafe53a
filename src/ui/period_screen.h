#pragma once
// The period minimum screen frmMiniFlow: the lowest seven-day mean streamflow depth between
// two days picked from the record, for the first run, the last run and the measured
// streamflow, with the day each seven-day period begins.
#include <memory>

#include "ui/analysis_screen.h"

class QComboBox;
class QStringListModel;

namespace Ui {
class PeriodScreen;
}

namespace tarn::ui {

class PeriodScreen : public AnalysisScreen {
    Q_OBJECT
public:
    explicit PeriodScreen(Navigation& navigation);
    ~PeriodScreen() override;

protected:
    void load() override;

private:
    void showMe();
    void clearMinima();

    std::unique_ptr<::Ui::PeriodScreen> ui_;
    QStringListModel* dates_;  // the dates of the record, listed by both date boxes
};

}  // namespace tarn::ui
