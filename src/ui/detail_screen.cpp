#include "ui/detail_screen.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include "input/details.h"
#include "input/menu.h"
#include "ui/dialogs.h"
#include "ui/navigation.h"
#include "ui/qt_text.h"
#include "ui_detail_screen.h"

namespace tarn::ui {

DetailScreen::DetailScreen(Navigation& navigation)
    : Screen(navigation), ui_(std::make_unique<::Ui::DetailScreen>()), timer_(new QTimer(this)) {
    ui_->setupUi(this);
    ui_->txtTemplate->setMinimumWidth(fontMetrics().averageCharWidth() * 60);
    timer_->setObjectName("Timer1");
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &DetailScreen::tick);
    connect(ui_->cmdTemplt, &QPushButton::clicked, this, &DetailScreen::chooseFile);
    connect(ui_->cmdNext_2, &QPushButton::clicked, this, &DetailScreen::next);
    connect(ui_->cmdBack2, &QPushButton::clicked, this, &DetailScreen::back);
    connect(ui_->cmdExit3, &QPushButton::clicked, this, [this] { nav().exitProgram(); });
}

DetailScreen::~DetailScreen() = default;

void DetailScreen::load() {
    const DetailTexts texts = detailLoad(project());
    setCaption(texts.caption);
    ui_->cmdNext_2->setEnabled(true);
    ui_->cmdTemplt->setEnabled(true);
    showStatus(ui_->txtMessage, texts.status);
    ui_->txtPrjName->setText(toQ(texts.prjName));
    ui_->txtOperName->setText(toQ(texts.operName));
    showNames(false);
    tick();
    timer_->start();
    ui_->cmdTemplt->setFocus();
}

void DetailScreen::showNames(bool shown) {
    for (QWidget* w : {static_cast<QWidget*>(ui_->lblPrjName), static_cast<QWidget*>(ui_->txtPrjName),
                       static_cast<QWidget*>(ui_->lblOperName), static_cast<QWidget*>(ui_->txtOperName)})
        w->setVisible(shown);
}

void DetailScreen::chooseFile() {
    showNames(true);
    FileRequest request;
    request.title = "Select the input data file";
    request.filter = "Workbooks (*.xlsx *.xls *.XLSX *.XLS);;All files (*)";
    // The dialog opens on the active data file, else on the workbook given on the command line.
    const QString current = !project().DataFile.empty() ? toQ(project().DataFile) : nav().preselectedFile();
    if (!current.isEmpty()) {
        request.folder = QFileInfo(current).absolutePath();
        request.selected = QFileInfo(current).absoluteFilePath();
    } else {
        request.folder = QDir::currentPath();
    }
    const QString file = dialogs().openFile(this, request);
    if (file.isEmpty()) return;  // cancelled: everything stays as it was

    OpenedDataFile opened;
    {
        ProgressScope progress(nav().progress(), "Reading data from  " + file + "  Please Wait !!!!!");
        opened = detailChooseFile(project(), toPath(file), progress.callback());
    }
    if (!opened.result.ok) {
        showResult(opened.result, ui_->txtMessage);
        return;
    }
    nav().setWorkbook(std::move(opened.book));
    LoadingGuard guard(*this);
    const Project& p = project();
    ui_->txtTemplate->setText(toQ(p.DataFile));
    ui_->txtTemplate->setCursorPosition(0);
    ui_->txtPrjName->setText(toQ(p.PrjName));
    ui_->txtOperName->setText(toQ(p.OperName));
    ui_->txtlastrun->setText(toQ(p.LastRun));
    showResult(opened.result, ui_->txtMessage);
    ui_->cmdNext_2->setEnabled(true);
    ui_->cmdTemplt->setEnabled(false);  // one file per visit
    setCaption(detailCaption(p));
    ui_->txtPrjName->setFocus();
}

void DetailScreen::next() {
    const StepResult result = detailNext(project(), toStd(ui_->txtTemplate->text()), toStd(ui_->txtPrjName->text()),
                                         toStd(ui_->txtOperName->text()));
    if (!result.ok) {
        showResult(result, ui_->txtMessage);
        return;
    }
    nav().next(Step::Details);
}

void DetailScreen::back() {
    detailBack(project(), toStd(ui_->txtPrjName->text()), toStd(ui_->txtOperName->text()));
    nav().back(Step::Details);
}

void DetailScreen::tick() {
    const QString now = toQ(detailClockTick(project()));
    ui_->lblTimeNow->setText(now);
    // Assistive tools read the label by its name: it names the time shown.
    ui_->lblTimeNow->setAccessibleName("Time: " + now);
}

}  // namespace tarn::ui
