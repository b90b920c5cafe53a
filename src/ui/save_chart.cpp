#include "ui/save_chart.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QWidget>

#include "model/errors.h"
#include "output/chart_csv.h"
#include "ui/chart/chart_export.h"
#include "ui/dialogs.h"
#include "ui/qt_text.h"
#include "workbook/atomic_file.h"

namespace tarn::ui {

namespace {

const QString kTitle = QStringLiteral("Save chart");
constexpr int kMinSide = 16;     // pixels
constexpr int kMaxSide = 10000;  // pixels

QString sizeText(QSize size) { return QStringLiteral("%1 x %2").arg(size.width()).arg(size.height()); }

}  // namespace

std::optional<QSize> parseChartSize(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,6})\\s*[xX]\\s*(\\d{1,6})\\s*$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const int w = m.captured(1).toInt(), h = m.captured(2).toInt();
    if (w < kMinSide || h < kMinSide || w > kMaxSide || h > kMaxSide) return std::nullopt;
    return QSize(w, h);
}

QString saveChart(QWidget* parent, Dialogs& dialogs, QWidget* chart, const QString& folder) {
    FileRequest request;
    request.title = kTitle;
    request.filter = QStringLiteral(
        "PNG picture (*.png);;SVG drawing (*.svg);;CSV table of the chart's data (*.csv)");
    request.folder = folder;
    request.extensionFromType = true;
    QString file = dialogs.saveFile(parent, request);
    if (file.isEmpty()) return {};
    QString kind = QFileInfo(file).suffix().toLower();
    if (kind != "png" && kind != "svg" && kind != "csv") {
        file += QStringLiteral(".png");
        kind = QStringLiteral("png");
    }

    QSize size = chart->size();
    if (kind != "csv") {
        for (;;) {
            const std::optional<QString> typed =
                dialogs.input(parent, QStringLiteral("Picture size in pixels (width x height):"), kTitle, sizeText(size));
            if (!typed) return {};
            if (const std::optional<QSize> chosen = parseChartSize(*typed)) {
                size = *chosen;
                break;
            }
            dialogs.message(parent,
                            QStringLiteral("%1 is not a picture size: type the width and the height in pixels, "
                                           "each from %2 to %3, as in %4")
                                .arg(typed->trimmed(), QString::number(kMinSide), QString::number(kMaxSide),
                                     sizeText(size)),
                            kTitle, MessageButtons::Ok, MessageKind::Warning);
        }
    }
    try {
        std::string bytes;
        if (kind == "csv") {
            const ChartTable table = chartTable(chart);
            bytes = chartCsv(table.data, table.labelTitle);
        } else {
            const QByteArray picture = kind == "png" ? chartPng(chart, size) : chartSvg(chart, size);
            bytes.assign(picture.constData(), std::size_t(picture.size()));
        }
        writeBytesAtomically(toPath(file), bytes);
    } catch (const InputError& e) {
        dialogs.message(parent, toQ(e.what()), kTitle, MessageButtons::Ok, MessageKind::Warning);
        return {};
    }
    return file;
}

}  // namespace tarn::ui
