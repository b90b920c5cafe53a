#pragma once
// The seven-day minimum flows screen frmMiniFlows: for every calendar or water year the
// lowest seven-day mean streamflow of the first run, the last run and the measured
// streamflow, the day it begins, and each sub-area's seven-day flow on that day; eight
// years a page.
#include <QList>
#include <memory>
#include <optional>

#include "analysis/seven_day.h"
#include "ui/analysis_screen.h"

class QLabel;
class QLineEdit;

namespace Ui {
class SevenDayScreen;
}

namespace tarn::ui {

class SevenDayScreen : public AnalysisScreen {
    Q_OBJECT
public:
    explicit SevenDayScreen(Navigation& navigation);
    ~SevenDayScreen() override;

protected:
    void load() override;

private:
    void showMe();
    void showHeader();
    void showPage(const YearColumns& columns, bool page);

    std::unique_ptr<::Ui::SevenDayScreen> ui_;
    QList<QLineEdit*> years_, depths_;       // txtYear, txtFlowTotal (0..15)
    QList<QLineEdit*> dates_, minima_;       // txtFlow1A, txtFlow2A (0..32; 16 is not a box)
    SubAreaBoxes first_, last_;              // txtflow3A.., txtflow11A..
    QList<QLineEdit*> areas_;                // txtSubArea
    QList<QLabel*> subYears_;
    SevenDayPager pager_;
    // The year type of the last search: the pages show its years, whose boundaries, dates
    // and days belong together, whichever option is selected when a page is turned.
    std::optional<YearType> searched_;
};

}  // namespace tarn::ui
