#pragma once
// The output screen frmOutput ("From data input file"): the output chart and every soil,
// vegetation and initial-condition parameter of each sub-area as a value to edit and rerun.
#include <QList>
#include <memory>

#include "ui/output_screen_base.h"

namespace Ui {
class OutputScreen;
}

namespace tarn::ui {

class OutputScreen : public OutputScreenBase {
    Q_OBJECT
public:
    explicit OutputScreen(Navigation& navigation);
    ~OutputScreen() override;

    // The grid of parameters (after a rerun on frmOutput_2: the parameters now held).
    void setGrid(const OutputValuesGrid& grid);
    OutputValuesGrid grid() const;

protected:
    void load() override;
    RerunOutcome rerunWith(const RerunInput& input, const RunRequest& run) override;

private:
    std::unique_ptr<::Ui::OutputScreen> ui_;
    QList<QList<QLineEdit*>> values_;  // [s - 1][e]: txtAp_<s>_<e>; elements 3 and 4 are null
};

}  // namespace tarn::ui
