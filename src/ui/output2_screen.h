#pragma once
// The output screen frmOutput_2 ("Use generic parameter values"): the output chart, the
// soil and vegetation class of each sub-area as a choice, and the initial conditions as
// values to edit and rerun.
#include <QList>
#include <memory>

#include "ui/output_screen_base.h"

class QButtonGroup;

namespace Ui {
class Output2Screen;
}

namespace tarn::ui {

class Output2Screen : public OutputScreenBase {
    Q_OBJECT
public:
    explicit Output2Screen(Navigation& navigation);
    ~Output2Screen() override;

    void setGrid(const OutputClassGrid& grid);
    OutputClassGrid grid() const;

protected:
    void load() override;
    RerunOutcome rerunWith(const RerunInput& input, const RunRequest& run) override;
    // frmOutput, when it is open, shows the parameters the rerun stored.
    void afterRerun(const RerunOutcome& outcome) override;

private:
    std::unique_ptr<::Ui::Output2Screen> ui_;
    QList<QList<QLineEdit*>> initial_;  // [s - 1][e]: txtAp_<s>_<e>
    QList<QButtonGroup*> soil_;         // [s - 1]: optA<s>_SR_0..4, ids 0..4
    QList<QButtonGroup*> vege_;         // [s - 1]: optvege<s>R_0..4, ids 0..4
};

}  // namespace tarn::ui
