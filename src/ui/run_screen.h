#pragma once
// The run screen frmRunModel, the last step of the wizard: runs the model, charts the
// results on an output screen (Show me), opens the analysis screens and saves the results
// to a copy of the input workbook and a text file.
#include <QList>
#include <memory>

#include "output/run_screen.h"
#include "ui/screen.h"

class QCheckBox;

namespace Ui {
class RunScreen;
}

namespace tarn::ui {

class RunScreen : public Screen {
    Q_OBJECT
public:
    explicit RunScreen(Navigation& navigation);
    ~RunScreen() override;

    // What the output screens take from this screen: the series ticked (chkSeriesOut_1..5),
    // the chart type chosen and whether runs are for testing only.
    SeriesTicks seriesTicks() const;
    int chartTypeCode() const;
    bool testingOnly() const;

protected:
    void load() override;

private:
    void run();
    void showMe();
    void chartTypeChosen(int index);
    // Opens an analysis screen; `closeThis`: this screen closes (all but the seven-day
    // minima); `alsoLoad`: a screen loaded, not shown, first.
    void openAnalysis(const QString& form, bool closeThis, const QString& alsoLoad = {});
    // Compare scenarios...: the comparison window, with the data file as its base.
    void openCompare();
    void save();
    void applyControls(const std::vector<ControlState>& controls);
    void showDays(const DaysList& days);

    std::unique_ptr<::Ui::RunScreen> ui_;
    QList<QCheckBox*> series_;  // chkSeriesOut_1..5
};

}  // namespace tarn::ui
