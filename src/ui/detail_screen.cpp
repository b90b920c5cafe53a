#include "ui/detail_screen.h"

#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QSettings>
#include <QTimer>
#include <QUrl>

#include "input/details.h"
#include "input/menu.h"
#include "ui/dialogs.h"
#include "ui/navigation.h"
#include "ui/new_project_screen.h"
#include "ui/qt_text.h"
#include "ui_detail_screen.h"

namespace tarn::ui {

namespace {

const QString kRecentKey = QStringLiteral("recentWorkbooks");
constexpr int kRecentCount = 5;

// Where the desktop program keeps what it remembers between sessions.
const QString kSettingsOrganization = QStringLiteral("TARNFLOW");
const QString kSettingsProgram = QStringLiteral("tarnflow-app");

// A local workbook among dropped URLs, or empty.
QString droppedWorkbook(const QMimeData* mime) {
    if (!mime || !mime->hasUrls()) return {};
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile()) continue;
        const QString suffix = QFileInfo(url.toLocalFile()).suffix().toLower();
        if (suffix == "xlsx" || suffix == "xls") return url.toLocalFile();
    }
    return {};
}

}  // namespace

DetailScreen::DetailScreen(Navigation& navigation)
    : Screen(navigation), ui_(std::make_unique<::Ui::DetailScreen>()), timer_(new QTimer(this)) {
    ui_->setupUi(this);
    ui_->txtTemplate->setMinimumWidth(fontMetrics().averageCharWidth() * 60);
    timer_->setObjectName("Timer1");
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &DetailScreen::tick);
    connect(ui_->cmdTemplt, &QPushButton::clicked, this, &DetailScreen::chooseFile);
    connect(ui_->cmbRecent, &QComboBox::activated, this, &DetailScreen::recentChosen);
    connect(ui_->cmdNewProject, &QPushButton::clicked, this, &DetailScreen::newProject);
    setAcceptDrops(true);
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
    showRecent();
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
    openDataFile(file);
}

bool DetailScreen::openDataFile(const QString& file) {
    if (!ui_->cmdTemplt->isEnabled()) return false;  // one file per visit
    showNames(true);

    OpenedDataFile opened;
    {
        ProgressScope progress(nav().progress(), "Reading data from  " + file + "  Please Wait !!!!!");
        opened = detailChooseFile(project(), toPath(file), progress.callback());
    }
    if (!opened.result.ok) {
        showResult(opened.result, ui_->txtMessage);
        return false;
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

    // The latest first, each once.
    QSettings settings(kSettingsOrganization, kSettingsProgram);
    QStringList recent = settings.value(kRecentKey).toStringList();
    const QString path = QFileInfo(file).absoluteFilePath();
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > kRecentCount) recent.removeLast();
    settings.setValue(kRecentKey, recent);
    showRecent();
    return true;
}

QStringList DetailScreen::recentWorkbooks() const {
    return QSettings(kSettingsOrganization, kSettingsProgram).value(kRecentKey).toStringList();
}

void DetailScreen::showRecent() {
    LoadingGuard guard(*this);
    ui_->cmbRecent->clear();
    for (const QString& file : recentWorkbooks()) ui_->cmbRecent->addItem(QFileInfo(file).fileName(), file);
    ui_->cmbRecent->setCurrentIndex(-1);
    ui_->cmbRecent->setEnabled(ui_->cmbRecent->count() > 0 && ui_->cmdTemplt->isEnabled());
    ui_->cmdNewProject->setEnabled(ui_->cmdTemplt->isEnabled());
    for (int i = 0; i < ui_->cmbRecent->count(); ++i)
        ui_->cmbRecent->setItemData(i, ui_->cmbRecent->itemData(i), Qt::ToolTipRole);
}

void DetailScreen::recentChosen(int index) {
    if (loading() || index < 0) return;
    openDataFile(ui_->cmbRecent->itemData(index).toString());
}

void DetailScreen::newProject() {
    auto* dialog = qobject_cast<NewProjectScreen*>(nav().show(QStringLiteral("frmNewProject"), form()));
    if (!dialog) return;
    // The dialog is loaded afresh unless it is open already, and then connected already.
    if (dialog->property("detailsConnected").toBool()) return;
    dialog->setProperty("detailsConnected", true);
    connect(dialog, &NewProjectScreen::created, this, [this](const QString& file) {
        nav().unload(QStringLiteral("frmNewProject"));
        openDataFile(file);
    });
}

void DetailScreen::dragEnterEvent(QDragEnterEvent* event) {
    if (ui_->cmdTemplt->isEnabled() && !droppedWorkbook(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void DetailScreen::dropEvent(QDropEvent* event) {
    const QString file = droppedWorkbook(event->mimeData());
    if (file.isEmpty()) return;
    event->acceptProposedAction();
    openDataFile(file);
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
