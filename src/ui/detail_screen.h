#pragma once
// The project details screen frmDetail: the choice of the input workbook, the project and
// operator names, the last run and the running clock Timer1.
#include <memory>

#include "ui/screen.h"

class QDragEnterEvent;
class QDropEvent;
class QTimer;

namespace Ui {
class DetailScreen;
}

namespace tarn::ui {

class DetailScreen : public Screen {
    Q_OBJECT
public:
    explicit DetailScreen(Navigation& navigation);
    ~DetailScreen() override;

    // Opens `file` as the data file, as a choice in the file dialog does; false when it was
    // refused (the status line says why) or a file was opened on this visit already.
    bool openDataFile(const QString& file);
    // The workbooks last opened, the latest first (at most five, kept between sessions).
    QStringList recentWorkbooks() const;

protected:
    void load() override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void chooseFile();
    void recentChosen(int index);
    void showRecent();
    void newProject();
    void next();
    void back();
    void tick();
    void showNames(bool shown);

    std::unique_ptr<::Ui::DetailScreen> ui_;
    QTimer* timer_;
};

}  // namespace tarn::ui
