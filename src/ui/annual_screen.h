#pragma once
// The annual totals screens: frmAnnual (volumes of the catchment and of each sub-area) and
// frmAnnualTotmm (depths of the catchment, mm), by calendar or water year, eight years a
// page. Both page through the one set of annual tables in the project, so a page turned on
// one continues where the other left off.
#include <QList>
#include <memory>

#include "analysis/annual.h"
#include "ui/analysis_screen.h"

class QLabel;
class QLineEdit;

namespace Ui {
class AnnualScreen;
class AnnualDepthScreen;
}

namespace tarn::ui {

class AnnualScreen : public AnalysisScreen {
    Q_OBJECT
public:
    explicit AnnualScreen(Navigation& navigation);
    ~AnnualScreen() override;

protected:
    void load() override;

private:
    YearType yearType() const;
    int buildTable();
    YearColumns subAreaYears() const;
    void showMe();
    void next();
    void previous();
    void showPage(const YearColumns& columns, const YearColumns& subYears, bool page);
    void clear();

    std::unique_ptr<::Ui::AnnualScreen> ui_;
    QList<QLineEdit*> years_, volumes_, measured_;  // txtFlow1A, txtFlow2A, txtYearlyMeas (0..15)
    QList<QList<QLineEdit*>> first_, last_;         // [column][sub-area]: txtflow3A.., txtflow11A..
    QList<QLineEdit*> areas_;                       // txtAreasub
    QList<QLabel*> subYears_;                       // year over each sub-area column
};

class AnnualDepthScreen : public AnalysisScreen {
    Q_OBJECT
public:
    explicit AnnualDepthScreen(Navigation& navigation);
    ~AnnualDepthScreen() override;

protected:
    void load() override;

private:
    YearType yearType() const;
    void showPage(const YearColumns& columns);

    std::unique_ptr<::Ui::AnnualDepthScreen> ui_;
    QList<QLineEdit*> years_, depths_, measured_;  // txtAnTotYear, txtAnTotmm, txtAnTotMeasmm (0..15)
};

}  // namespace tarn::ui
