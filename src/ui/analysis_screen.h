#pragma once
// The base of the analysis screens (monthly, annual, seven-day and period tables): screens
// opened from the run screen, to which their Back and their close box return. It also
// prepares their many output boxes and their paging arrows.
#include <QList>
#include <QString>
#include <array>
#include <string>

#include "analysis/pages.h"
#include "ui/qt_text.h"
#include "ui/screen.h"

class QLabel;
class QLineEdit;
class QToolButton;

namespace tarn::ui {

class AnalysisScreen : public Screen {
    Q_OBJECT
public:
    using Screen::Screen;
    // Shown again after a rerun, new input or a save, the tables show the current runs.
    bool reloadsWhenShown() const override { return true; }

protected:
    // Back: this screen is unloaded and the run screen shows.
    void backToRun();
    void closeRequested() override { backToRun(); }

    // Output boxes: read-only, reached by mouse and assistive tools but not by Tab (the
    // tables hold hundreds), wide enough for `widest` and wider as the window grows. A box
    // in a grid keeps its column that wide.
    static void prepareBoxes(const QList<QLineEdit*>& boxes, const QString& widest);
    // Names each box for assistive tools: "<prefix> <e + 1>".
    static void nameBoxes(const QList<QLineEdit*>& boxes, const QString& prefix);
    // A paging button (a painted arrow and its caption): its name as tool tip, as tall as
    // the push buttons.
    static void prepareArrow(QToolButton* arrow);
    // Column captions that wrap keep room for two lines.
    static void reserveTwoLines(const QList<QLabel*>& captions);

    template <std::size_t N>
    static void showTexts(const QList<QLineEdit*>& boxes, const std::array<std::string, N>& texts) {
        for (qsizetype e = 0; e < boxes.size() && std::size_t(e) < N; ++e) showText(boxes[e], texts[std::size_t(e)]);
    }
    static void showText(QLineEdit* box, const std::string& text);

    // The sub-area tables of the annual and seven-day screens: the area of each sub-area
    // and the total, then a first-run and a last-run table of eight year columns each,
    // with the year of each column over it.
    using SubAreaBoxes = QList<QList<QLineEdit*>>;  // [column][sub-area]
    static void prepareSubAreaTable(const QList<QLineEdit*>& areas, QLineEdit* total, const SubAreaBoxes& first,
                                    const SubAreaBoxes& last, const QList<QLabel*>& years, const QString& widest);
    static void showSubAreaTable(const SubAreaBoxes& boxes, const SubAreaTable& texts);
    // A year over a column; a water year "1999-2000" in two lines, to keep the column narrow.
    static void showSubAreaYear(QLabel* year, const std::string& text);
};

}  // namespace tarn::ui
