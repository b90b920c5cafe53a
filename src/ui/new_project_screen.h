#pragma once
// The dialog frmNewProject, opened from the project details step: a new project workbook
// from a CSV of daily series with the options of `tarnflow new` (its defaults, its
// refusals), written through the save dialog and then opened as the data file.
#include <memory>

#include "ui/screen.h"
#include "workbook/new_project.h"

namespace Ui {
class NewProjectScreen;
}

namespace tarn::ui {

class NewProjectScreen : public SubordinateScreen {
    Q_OBJECT
public:
    explicit NewProjectScreen(Navigation& navigation);
    ~NewProjectScreen() override;

signals:
    // The workbook was written; the details step opens it.
    void created(const QString& workbook);

protected:
    void load() override;

private:
    void chooseSeries();
    void create();
    // The options of the boxes; none when a box holds no value of its kind (the status line
    // then names it and it takes the focus).
    std::optional<NewProjectOptions> options();
    void refuse(QWidget* box, const QString& text);

    std::unique_ptr<::Ui::NewProjectScreen> ui_;
};

}  // namespace tarn::ui
