#include "ui/run_screen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <filesystem>
#include <functional>

#include "analysis/result_tables.h"
#include "input/menu.h"
#include "output/run_save.h"
#include "ui/busy_pointer.h"
#include "ui/dialogs.h"
#include "ui/navigation.h"
#include "ui/output_screen_base.h"
#include "ui/progress_window.h"
#include "ui/qt_text.h"
#include "ui_run_screen.h"

namespace tarn::ui {

namespace {

const QString kDialogTitle = QStringLiteral("TARNFLOW");
const QString kValuesForm = QStringLiteral("frmOutput");
const QString kClassesForm = QStringLiteral("frmOutput_2");
// The analysis screens.
const QString kMonthlyForm = QStringLiteral("frmTotalflows");
const QString kAnnualForm = QStringLiteral("frmAnnual");
const QString kAnnualMmForm = QStringLiteral("frmAnnualTotmm");
const QString kSevenDayForm = QStringLiteral("frmMiniFlows");
const QString kPeriodForm = QStringLiteral("frmMiniFlow");

constexpr int kSeries = 5;

// Enables the button again when the save ends, however it ends.
class ReenableOnExit {
public:
    explicit ReenableOnExit(QWidget* widget) : widget_(widget) { widget_->setEnabled(false); }
    ~ReenableOnExit() { widget_->setEnabled(true); }
    ReenableOnExit(const ReenableOnExit&) = delete;
    ReenableOnExit& operator=(const ReenableOnExit&) = delete;

private:
    QWidget* widget_;
};

}  // namespace

RunScreen::RunScreen(Navigation& navigation) : Screen(navigation), ui_(std::make_unique<::Ui::RunScreen>()) {
    ui_->setupUi(this);
    for (int i = 1; i <= kSeries; ++i) series_.append(control<QCheckBox>("chkSeriesOut_" + QString::number(i)));
    const QFontMetrics fm = fontMetrics();
    ui_->txtRunComplete->setMinimumWidth(fm.averageCharWidth() * 60);
    ui_->txtMaxDaysOut->setMaximumWidth(fm.horizontalAdvance(QStringLiteral("0000000")) + fm.averageCharWidth() * 3);
    ui_->cmdMiniFlow->setAccessibleName(ui_->cmdMiniFlow->words().remove('&'));
    // The days list runs to the number of days (up to 40000): a plain string model fills fast.
    ui_->cmbDaysOut->setModel(new QStringListModel(ui_->cmbDaysOut));

    connect(ui_->cmdRunModel, &QPushButton::clicked, this, &RunScreen::run);
    connect(ui_->cmdShowMe, &QPushButton::clicked, this, &RunScreen::showMe);
    connect(ui_->cmbChartType, &QComboBox::currentIndexChanged, this, &RunScreen::chartTypeChosen);
    connect(ui_->cmdNext_9, &QPushButton::clicked, this, [this] { openAnalysis(kMonthlyForm, true); });
    connect(ui_->cmdAnTot, &QPushButton::clicked, this, [this] { openAnalysis(kAnnualForm, true); });
    connect(ui_->cmdAnnualTotmmm, &QPushButton::clicked, this,
            [this] { openAnalysis(kAnnualMmForm, true, kMonthlyForm); });
    connect(ui_->cmdMiniFlow, &QPushButton::clicked, this, [this] { openAnalysis(kPeriodForm, true); });
    connect(ui_->cmdMinFlows10, &QPushButton::clicked, this, [this] { openAnalysis(kSevenDayForm, false); });
    connect(ui_->cmdCompare, &QPushButton::clicked, this, &RunScreen::openCompare);
    connect(ui_->cmdSaveOut, &QPushButton::clicked, this, &RunScreen::save);
    connect(ui_->cmdBack9, &QPushButton::clicked, this, [this] { nav().back(Step::Run); });
    connect(ui_->cmdExit6, &QPushButton::clicked, this, [this] { nav().exitProgram(); });
}

RunScreen::~RunScreen() = default;

SeriesTicks RunScreen::seriesTicks() const {
    SeriesTicks ticks{};
    for (int i = 0; i < kSeries; ++i) ticks[std::size_t(i)] = series_[i]->isChecked();
    return ticks;
}

int RunScreen::chartTypeCode() const { return outputChartCode(ui_->cmbChartType->currentIndex()); }

bool RunScreen::testingOnly() const { return ui_->OptTest->isChecked(); }

void RunScreen::load() {
    const RunScreenLoad texts = runScreenLoad(project());
    setCaption(texts.caption);
    showStatus(ui_->txtRunComplete, texts.status);
    for (int i = 0; i < kSeries; ++i) series_[i]->setChecked(texts.series[std::size_t(i)]);
    ui_->cmbChartType->clear();
    for (const std::string& name : texts.chartTypes) ui_->cmbChartType->addItem(toQ(name));
    ui_->cmbChartType->setCurrentIndex(texts.chartType);
    ui_->Opttext->setChecked(true);
    applyControls(texts.controls);
    // Back after a run: the outputs are still there to show.
    if (project().ModelRun == 1) showDays(daysList(project().NumDays));
    ui_->cmdRunModel->setFocus();
}

void RunScreen::applyControls(const std::vector<ControlState>& controls) {
    for (const ControlState& c : controls) control(toQ(c.name))->setEnabled(c.enabled);
}

void RunScreen::showDays(const DaysList& days) {
    auto* model = static_cast<QStringListModel*>(ui_->cmbDaysOut->model());
    const QStringList items = toQList(days.items);
    if (model->stringList() != items) model->setStringList(items);
    ui_->cmbDaysOut->setCurrentIndex(days.selected);
    ui_->txtMaxDaysOut->setText(toQ(days.maxDays));
}

void RunScreen::run() {
    RunOutcome outcome;
    {
        BusyPointer busy;
        ProgressScope progress(nav().progress(), toQ(kRunProgressCaption));
        outcome = runScreenRun(project(), {testingOnly(), nav().workbook(), progress.callback()});
    }
    if (outcome.result.ok) showDays(outcome.days);
    applyControls(outcome.controls);
    showResult(outcome.result, ui_->txtRunComplete);
}

void RunScreen::showMe() {
    ShowMeInput input;
    input.optNames = ui_->optNames->isChecked();
    input.optValues = ui_->optValues->isChecked();
    input.daysOut = toStd(ui_->cmbDaysOut->currentText().trimmed());
    input.series = seriesTicks();
    BusyPointer busy;
    const ShowMeResult shown = runScreenShowMe(project(), input);
    if (!shown.result.ok) {
        showResult(shown.result, ui_->txtRunComplete);
        return;
    }
    showDays(shown.days);
    ui_->cmbDaysOut->setEditText(toQ(shown.daysOutBox));
    applyControls(shown.controls);
    const QString output = shown.screen == OutputScreen::Classes ? kClassesForm : kValuesForm;
    if (auto* screen = qobject_cast<OutputScreenBase*>(nav().show(output, form()))) screen->showChart(shown.chart);
}

void RunScreen::chartTypeChosen(int index) {
    if (loading()) return;
    const int code = outputChartCode(index);
    if (code < 0) return;
    for (const QString& output : {kValuesForm, kClassesForm})
        if (auto* screen = nav().loaded<OutputScreenBase>(output)) screen->setChartType(code);
}

void RunScreen::openAnalysis(const QString& target, bool closeThis, const QString& alsoLoad) {
    Navigation& n = nav();
    if (!n.registeredForms().contains(target)) {
        showStatus(ui_->txtRunComplete, toStd("The screen " + target + " is not built yet"));
        dialogs().beep(1);
        return;
    }
    if (closeThis) {
        n.unload(form());
    } else {
        n.unload(kMonthlyForm);  // the seven-day minima replace the monthly totals
    }
    if (!alsoLoad.isEmpty() && n.registeredForms().contains(alsoLoad)) n.load(alsoLoad);
    n.show(target);
}

void RunScreen::openCompare() { nav().show(QStringLiteral("frmCompare"), form()); }

void RunScreen::save() {
    ReenableOnExit reenable(ui_->cmdSaveOut);
    Project& p = project();
    const bool excel = ui_->OptExcel->isChecked();
    const QString folder = toQ(saveStartFolder(p.DataFile));

    // The file for a name chosen in a dialog, or none when the user cancelled.
    auto choose = [&](std::string_view title, std::string_view filter,
                      const std::function<std::filesystem::path(const std::filesystem::path&)>& targetOf)
        -> std::filesystem::path {
        const QString chosen = dialogs().saveFile(this, {toQ(title), toQ(filter), folder, {}});
        if (chosen.isEmpty()) return {};
        const std::filesystem::path target = targetOf(toPath(chosen));
        const std::string question = replaceQuestion(toPath(chosen), target);
        if (!question.empty() && dialogs().message(this, toQ(question), toQ(title), MessageButtons::YesNo,
                                                   MessageKind::Question) != Answer::Yes)
            return {};
        return target;
    };
    auto write = [&](const std::filesystem::path& target, const std::function<SaveStep(const ProgressFn&)>& step) {
        BusyPointer busy;
        ProgressScope progress(nav().progress(), toQ(savingCaption(target.string())), p.NumDays);
        return step(progress.callback());
    };
    auto tell = [&](const SaveStep& step, const std::string& done) {
        if (!step.ok) {
            dialogs().message(this, toQ(step.message), kDialogTitle, MessageButtons::Ok, MessageKind::Warning);
            return;
        }
        dialogs().message(this, toQ(step.message.empty() ? done : done + "\n\n" + step.message), kDialogTitle);
    };

    const std::filesystem::path bookTarget = choose(kSaveWorkbookTitle, kSaveWorkbookFilter, workbookTargetOf);
    if (bookTarget.empty()) return;
    // The files hold every table of the runs as they are, whichever screens were opened.
    if (p.RunDone) buildResultTables(p);
    const SaveStep book =
        write(bookTarget, [&](const ProgressFn& progress) { return saveWorkbookStep(p, bookTarget, excel, progress); });
    if (!book.ok || excel) {
        tell(book, workbookSavedMessage(book.path.string()));
        return;
    }
    if (!ui_->Opttext->isChecked()) return;

    const std::filesystem::path textTarget = choose(kSaveTextTitle, kSaveTextFilter, textTargetOf);
    if (textTarget.empty()) return;
    SaveStep text =
        write(textTarget, [&](const ProgressFn& progress) { return saveTextStep(p, textTarget, book.path, progress); });
    // What the user should know about the workbook copy goes with the last message.
    if (text.ok) text.message = book.message;
    tell(text, std::string(kTextSavedMessage));
}

}  // namespace tarn::ui
