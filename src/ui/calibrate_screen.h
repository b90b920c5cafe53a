#pragma once
// The calibration window frmCalibrate, opened by Calibrate... on an output screen: the ten
// parameters with their form and bounds, the objective, the fit window and warm-up, the
// budget and the seed. Start searches on a worker thread, showing the evaluations done,
// the best objective so far and its curve; Stop ends the search keeping the best set;
// Apply puts the best set into the output screen's grid and reruns it there, as the last
// run; Close leaves everything as it was.
#include <QFutureWatcher>
#include <QList>
#include <QPointer>
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calibration/calibration_form.h"
#include "calibration/search.h"
#include "output/chart_data.h"
#include "ui/screen.h"

class QCheckBox;
class QComboBox;

namespace Ui {
class CalibrateScreen;
}

namespace tarn::ui {

class OutputScreenBase;

class CalibrateScreen : public SubordinateScreen {
    Q_OBJECT
public:
    explicit CalibrateScreen(Navigation& navigation);
    // Ends a running search and waits for it.
    ~CalibrateScreen() override;

    // The output screen that Apply writes into. On the class screen (frmOutput_2) the soil
    // and vegetation parameters are classes, so their rows cannot be ticked there. Ignored
    // while a search runs.
    void attach(OutputScreenBase* screen);

    bool searching() const { return watcher_.isRunning(); }

protected:
    void load() override;
    void closeRequested() override;

private:
    // What the worker hands back.
    struct Outcome {
        SearchResult result;
        std::string error;  // the search refused (empty: it ran)
    };
    // The search as it was started, kept for Apply.
    struct Run {
        std::unique_ptr<Project> inputs;  // the project's inputs when Start was pressed
        std::unique_ptr<Evaluator> evaluator;
        CalibrationRequest request;
    };

    void start();
    void stop();
    void apply();
    void closeWindow();
    void progressed(long done, long budget, std::optional<double> best);
    void finished();
    void formChosen(int row);
    void setRowsEnabled();
    CalibrationForm boxes() const;
    void setForm(const std::array<CalibrationRow, kCalibrationRows>& rows);
    void setSearching(bool on);

    std::unique_ptr<::Ui::CalibrateScreen> ui_;
    QList<QCheckBox*> tick_;
    QList<QComboBox*> formBox_, subArea_;
    QList<QLineEdit*> lo_, hi_;
    QPointer<OutputScreenBase> target_;
    bool classesOnly_ = false;
    std::atomic<bool> stop_{false};
    QFutureWatcher<Outcome> watcher_;
    std::optional<Run> run_;
    std::vector<double> best_;  // the best set of the last search; empty: none
    ChartData curve_;           // best objective against evaluations
};

}  // namespace tarn::ui
