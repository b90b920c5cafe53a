#pragma once
// What the two output screens (frmOutput, frmOutput_2) share: the output chart chtSample
// with its point events, the status line, the date window, the series boxes, the area and
// rainfall-scale boxes, the baseflow boxes, and Rerun, Back and Exit. Each screen adds its
// own parameter grid: values on frmOutput, soil and vegetation classes on frmOutput_2.
// They are opened beside the run screen by Show me, which hands them the chart to draw.
// Beside the chart, the panel grpFit shows the fit of the runs to the measured streamflow
// over its own window of dates, and chkDuration puts the flow duration curves in the
// chart's place.
#include <QList>
#include <QString>

#include "analysis/fit.h"
#include "output/output_display.h"
#include "ui/screen.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QStackedWidget;

namespace tarn::ui {

class ChartControl;
class DurationChart;

class OutputScreenBase : public SubordinateScreen {
    Q_OBJECT
public:
    // Draws `chart` (the table of the series ticked over the window of days) and shows its
    // first and last day in the date window.
    void showChart(const OutputChart& chart);
    const OutputChart& shownChart() const { return chart_; }
    ChartControl* chart() const { return chtSample_; }
    DurationChart* durationChart() const { return chtDuration_; }
    // The chart type chosen on the run screen.
    void setChartType(int code);
    // The fit panel and, while it is shown, the duration chart, from the project as it is.
    void refreshFit();

    QSize sizeHint() const override;

protected:
    // `pointUnit`: the point-selected status ends in " mm/day"; `rerunCaption`: the
    // progress window's caption during a rerun.
    OutputScreenBase(Navigation& navigation, bool pointUnit, QString rerunCaption);

    // Finds the shared controls and connects them; called once the form is set up.
    void bindCommon();
    // Fills the shared controls as the screen loads, all but the boxes of the grid: the
    // screen's own setGrid fills those.
    void loadCommon(const OutputScreenTexts& texts);
    void setCommonBoxes(const OutputCommonBoxes& boxes);
    OutputCommonBoxes commonBoxes() const;
    // The series the run screen has ticked (modelled streamflow when it is not open).
    SeriesTicks runScreenSeries() const;

    // The screen's own rerun: its grid into the project, the run, the chart.
    virtual RerunOutcome rerunWith(const RerunInput& input, const RunRequest& run) = 0;
    // After a rerun or its refusal, before the result is shown.
    virtual void afterRerun(const RerunOutcome&) {}

    QLineEdit* status() const { return txtMessage_; }
    void closeRequested() override;
    void showEvent(QShowEvent* event) override;

private:
    void rerun();
    void back();
    void pointSelected(int column, int row);
    void pointActivated(int column, int row);
    // The dates typed into txtFitFrom and txtFitTo, when they changed.
    void fitDatesEdited();
    void showDuration(bool on);
    // Calibrate...: the calibration window, applying to this screen.
    void calibrate();
    // Save chart...: the chart shown (the daily series or the duration curves).
    void saveShownChart();

    bool pointUnit_;
    bool sized_ = false;  // given its full size on first show
    QString rerunCaption_;
    OutputChart chart_;
    ChartControl* chtSample_ = nullptr;
    QLineEdit* txtMessage_ = nullptr;
    QComboBox* cmbLowerLimit_ = nullptr;
    QComboBox* cmbUpperLimit_ = nullptr;
    QComboBox* cmbDaystoSee_ = nullptr;
    QLineEdit* txtMaxNoDays_ = nullptr;
    QList<QCheckBox*> series_;
    QList<QLineEdit*> area_;
    QList<QLineEdit*> rainScale_;
    QLineEdit* txtBFlow_ = nullptr;
    QLineEdit* txtResCoef_ = nullptr;
    QStackedWidget* stkChart_ = nullptr;
    DurationChart* chtDuration_ = nullptr;
    QCheckBox* chkDuration_ = nullptr;
    QLineEdit* txtFitFrom_ = nullptr;
    QLineEdit* txtFitTo_ = nullptr;
    QLabel* lblFitFirst_ = nullptr;
    QLabel* lblFitLastRun_ = nullptr;
    QLabel* lblFitLast_ = nullptr;
    QLabel* lblFitMissing_ = nullptr;
    DayRange fitRange_;        // the days the panel's figures cover
    QString fitFrom_, fitTo_;  // the box texts last looked at
};

}  // namespace tarn::ui
