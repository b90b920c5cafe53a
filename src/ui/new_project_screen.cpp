#include "ui/new_project_screen.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "model/class_names.h"
#include "model/errors.h"
#include "model/variant.h"
#include "ui/dialogs.h"
#include "ui/navigation.h"
#include "ui/qt_text.h"
#include "ui_new_project_screen.h"
#include "workbook/project_sheet.h"

namespace tarn::ui {

namespace {

QString classList(const std::array<const char*, 5>& names) {
    QStringList parts;
    for (std::size_t c = 0; c < names.size(); ++c) parts << QStringLiteral("%1 %2").arg(c + 1).arg(names[c]);
    return parts.join(QStringLiteral(", "));
}

// The label's text without its mnemonic and colon: the box's name in messages.
QString boxName(const QLabel* label) {
    QString t = label->text();
    t.remove('&');
    if (t.endsWith(':')) t.chop(1);
    return t;
}

}  // namespace

NewProjectScreen::NewProjectScreen(Navigation& navigation)
    : SubordinateScreen(navigation), ui_(std::make_unique<::Ui::NewProjectScreen>()) {
    ui_->setupUi(this);
    ui_->txtSeries->setMinimumWidth(fontMetrics().averageCharWidth() * 50);
    for (QLabel* label : findChildren<QLabel*>())
        if (QWidget* box = label->buddy()) box->setAccessibleName(boxName(label));
    connect(ui_->cmdSeries, &QPushButton::clicked, this, &NewProjectScreen::chooseSeries);
    connect(ui_->cmdCreate, &QPushButton::clicked, this, &NewProjectScreen::create);
    connect(ui_->cmdCancel, &QPushButton::clicked, this, [this] { closeRequested(); });
}

NewProjectScreen::~NewProjectScreen() = default;

void NewProjectScreen::load() {
    const SoilClassSheet soil = defaultSoilClasses();
    ui_->txtShares->setText(QStringLiteral("100"));
    ui_->txtSoil->setText(QString::number(kDefaultSoilClass));
    ui_->txtVegetation->setText(QString::number(kDefaultVegetationClass));
    ui_->txtBfi->setText(toQ(generalNumberText(soil.bfi)));
    ui_->txtRecession->setText(toQ(generalNumberText(soil.recession)));
    ui_->txtName->setPlaceholderText(QStringLiteral("the CSV's file name"));
    ui_->lblClasses->setText(QStringLiteral("The CSV: a header row, then a line per day with the date, rainfall (mm),\n"
                                            "reference evapotranspiration (mm) and, optionally, measured streamflow "
                                            "(mm).\nSoil classes: %1.\nVegetation classes: %2.\n"
                                            "One class for every sub-area, or one per sub-area (3,1).")
                                 .arg(classList(kSoilClassNames), classList(kVegetationClassNames)));
    showStatus(ui_->txtStatus, "Choose the CSV of daily series and type the total catchment area");
}

void NewProjectScreen::chooseSeries() {
    FileRequest request;
    request.title = QStringLiteral("Choose the CSV of daily series");
    request.filter = QStringLiteral("CSV files (*.csv *.CSV);;All files (*)");
    const QString current = ui_->txtSeries->text();
    if (!current.isEmpty()) request.selected = current;
    request.folder = !current.isEmpty() ? QFileInfo(current).absolutePath()
                                        : QFileInfo(toQ(project().DataFile)).absolutePath();
    const QString file = dialogs().openFile(this, request);
    if (!file.isEmpty()) ui_->txtSeries->setText(file);
}

void NewProjectScreen::refuse(QWidget* box, const QString& text) {
    showStatus(ui_->txtStatus, toStd(text));
    dialogs().beep(1);
    if (box) box->setFocus();
}

std::optional<NewProjectOptions> NewProjectScreen::options() {
    NewProjectOptions o;
    if (ui_->txtSeries->text().trimmed().isEmpty()) {
        refuse(ui_->txtSeries, boxName(ui_->lblSeries) + ": choose the CSV file");
        return std::nullopt;
    }
    o.series = toPath(ui_->txtSeries->text().trimmed());
    bool ok = false;
    o.area = ui_->txtArea->text().trimmed().toDouble(&ok);
    if (!ok) {
        refuse(ui_->txtArea, QStringLiteral("%1: '%2' is not a number").arg(boxName(ui_->lblArea), ui_->txtArea->text()));
        return std::nullopt;
    }
    // A comma list of whole numbers; an empty box keeps `fallback`.
    auto list = [&](QLineEdit* box, const QLabel* label, std::vector<int>& values) {
        const QString text = box->text().trimmed();
        if (text.isEmpty()) return true;
        values.clear();
        for (const QString& part : text.split(',')) {
            bool whole = false;
            const int v = part.trimmed().toInt(&whole);
            if (!whole) {
                refuse(box, QStringLiteral("%1: '%2' is not a whole number").arg(boxName(label), part.trimmed()));
                return false;
            }
            values.push_back(v);
        }
        return true;
    };
    if (!list(ui_->txtShares, ui_->lblShares, o.shares) || !list(ui_->txtSoil, ui_->lblSoil, o.soil) ||
        !list(ui_->txtVegetation, ui_->lblVegetation, o.vegetation))
        return std::nullopt;
    o.name = toStd(ui_->txtName->text().trimmed());
    // An empty box, or the class table's own value, leaves the value to the class table.
    const SoilClassSheet soil = defaultSoilClasses();
    auto fraction = [&](QLineEdit* box, const QLabel* label, double tableValue, std::optional<double>& value) {
        const QString text = box->text().trimmed();
        if (text.isEmpty() || text == toQ(generalNumberText(tableValue))) return true;
        bool number = false;
        value = text.toDouble(&number);
        if (!number) refuse(box, QStringLiteral("%1: '%2' is not a number").arg(boxName(label), text));
        return number;
    };
    if (!fraction(ui_->txtBfi, ui_->lblBfi, soil.bfi, o.bfi) ||
        !fraction(ui_->txtRecession, ui_->lblRecession, soil.recession, o.recession))
        return std::nullopt;
    return o;
}

void NewProjectScreen::create() {
    std::optional<NewProjectOptions> o = options();
    if (!o) return;
    // The options' own refusals first, before the save dialog.
    try {
        newProjectSheet(*o, DailyRecord{{DailyValues{}}, false, 0});
    } catch (const InputError& e) {
        const QString text = toQ(e.what());
        QLineEdit* box = ui_->txtSeries;
        if (text.contains("catchment area")) box = ui_->txtArea;
        else if (text.contains("share") || text.contains("sub-areas;")) box = ui_->txtShares;
        else if (text.contains("soil")) box = ui_->txtSoil;
        else if (text.contains("vegetation")) box = ui_->txtVegetation;
        else if (text.contains("baseflow index")) box = ui_->txtBfi;
        else if (text.contains("recession")) box = ui_->txtRecession;
        refuse(box, box->accessibleName() + ": " + text);
        return;
    }
    FileRequest request;
    request.title = QStringLiteral("Save the new project workbook");
    request.filter = QStringLiteral("Workbooks (*.xlsx)");
    request.folder = QFileInfo(ui_->txtSeries->text().trimmed()).absolutePath();
    request.selected = QFileInfo(ui_->txtSeries->text().trimmed()).completeBaseName() + QStringLiteral(".xlsx");
    QString file = dialogs().saveFile(this, request);
    if (file.isEmpty()) return;
    if (QFileInfo(file).suffix().isEmpty()) file += QStringLiteral(".xlsx");
    o->target = toPath(file);
    o->replace = true;  // the save dialog asked before an existing file is replaced
    NewProjectReport report;
    try {
        report = createNewProject(*o);
    } catch (const InputError& e) {
        refuse(ui_->txtSeries, toQ(e.what()));
        return;
    }
    showStatus(ui_->txtStatus, toStd(QStringLiteral("Wrote %1: %2 days from %3 to %4")
                                         .arg(file)
                                         .arg(report.days)
                                         .arg(toQ(report.first), toQ(report.last))));
    emit created(file);
}

}  // namespace tarn::ui
