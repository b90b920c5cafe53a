#pragma once
// The comparison window frmCompare, opened from the run screen: the data file as the base
// and any number of scenario workbooks, run as `tarnflow compare` runs them (in parallel,
// off the screen's thread), with the table of their changes against the base, the change of
// each sub-area's volume, the mean annual streamflow as bars and the flow duration curves.
#include <QFutureWatcher>
#include <QStringList>
#include <atomic>
#include <memory>
#include <vector>

#include "output/compare.h"
#include "ui/screen.h"

namespace Ui {
class CompareScreen;
}

namespace tarn::ui {

class CompareScreen : public SubordinateScreen {
    Q_OBJECT
public:
    explicit CompareScreen(Navigation& navigation);
    // Stops a comparison under way and waits for its workbook runs to end.
    ~CompareScreen() override;

    // The workbooks compared: the base, then the scenarios in the list's order.
    QStringList workbooks() const;
    void addScenario(const QString& workbook);
    // Starts the comparison (cmdCompareRun); false when it cannot start.
    bool compare();
    bool busy() const { return watcher_.isRunning(); }
    // Stops a comparison under way: the workbooks running finish, no other starts; returns
    // once it has ended, the screens repainting meanwhile.
    void stopWork() override;
    // The figures of the last comparison that ended well.
    const std::vector<ScenarioFigures>& figures() const { return figures_; }

signals:
    // The comparison ended: its tables and charts are filled (`ok`) or the status line says why not.
    void compared(bool ok);

protected:
    void load() override;
    // Close stops a comparison under way first.
    void closeRequested() override;

private:
    struct Outcome {
        std::vector<ScenarioFigures> figures;
        QString error;
        bool stopped = false;
    };
    void chooseScenarios();
    void removeScenarios();
    void finished();
    void showFigures();
    void saveTable();
    void saveChartOf(QWidget* chart);
    void setStatus(const QString& text);
    void setRunning(bool running);

    std::unique_ptr<::Ui::CompareScreen> ui_;
    QFutureWatcher<Outcome> watcher_;
    std::atomic<bool> stop_{false};
    std::vector<ScenarioFigures> figures_;
};

}  // namespace tarn::ui
