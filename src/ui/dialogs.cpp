#include "ui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTreeView>

namespace tarn::ui {

namespace {

QString runFileDialog(QWidget* parent, const FileRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, request.title, request.folder, request.filter);
    dialog.setObjectName(mode == QFileDialog::AcceptOpen ? "dlgOpenFile" : "dlgSaveFile");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!request.selected.isEmpty()) dialog.selectFile(request.selected);
    if (request.extensionFromType) {
        // "SVG drawing (*.svg)" -> "svg"; none for "All files (*)".
        const auto extensionOf = [](const QString& type) {
            static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
            return pattern.match(type).captured(1);
        };
        dialog.setDefaultSuffix(extensionOf(dialog.selectedNameFilter()));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, extensionOf](const QString& type) { dialog.setDefaultSuffix(extensionOf(type)); });
    }
    // The file list's size, type and date columns in full, the name taking the rest.
    if (auto* list = dialog.findChild<QTreeView*>()) {
        QHeaderView* header = list->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.front();
}

}  // namespace

QString QtDialogs::openFile(QWidget* parent, const FileRequest& request) {
    return runFileDialog(parent, request, QFileDialog::AcceptOpen);
}

QString QtDialogs::saveFile(QWidget* parent, const FileRequest& request) {
    return runFileDialog(parent, request, QFileDialog::AcceptSave);
}

Answer QtDialogs::message(QWidget* parent, const QString& text, const QString& title, MessageButtons buttons,
                          MessageKind kind) {
    using SB = QMessageBox::StandardButton;
    QMessageBox::StandardButtons standard = SB::Ok;
    switch (buttons) {
    case MessageButtons::Ok: standard = SB::Ok; break;
    case MessageButtons::OkCancel: standard = SB::Ok | SB::Cancel; break;
    case MessageButtons::YesNo: standard = SB::Yes | SB::No; break;
    case MessageButtons::YesNoCancel: standard = SB::Yes | SB::No | SB::Cancel; break;
    }
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (kind) {
    case MessageKind::Information: icon = QMessageBox::Information; break;
    case MessageKind::Warning: icon = QMessageBox::Warning; break;
    case MessageKind::Question: icon = QMessageBox::Question; break;
    case MessageKind::Critical: icon = QMessageBox::Critical; break;
    }
    QMessageBox box(icon, title, text, standard, parent);
    box.setObjectName("dlgMessage");
    switch (box.exec()) {
    case SB::Ok: return Answer::Ok;
    case SB::Yes: return Answer::Yes;
    case SB::No: return Answer::No;
    default: return buttons == MessageButtons::YesNo ? Answer::No : Answer::Cancel;
    }
}

std::optional<QString> QtDialogs::input(QWidget* parent, const QString& prompt, const QString& title,
                                        const QString& defaultValue) {
    QInputDialog dialog(parent);
    dialog.setObjectName("dlgInput");
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultValue);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

void QtDialogs::beep(int times) {
    for (int i = 0; i < times; ++i) QApplication::beep();
}

}  // namespace tarn::ui
