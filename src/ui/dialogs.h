#pragma once
// The dialogs the screens ask the user through: open and save a file, a message box, an
// input box with a default value, and the beep. Screens reach them only through this
// interface, so that tests answer them instead of a user.
#include <QString>
#include <optional>

class QWidget;

namespace tarn::ui {

struct FileRequest {
    QString title;
    QString filter;    // "Workbooks (*.xlsx *.xls);;All files (*)"
    QString folder;    // the folder the dialog opens in
    QString selected;  // the file selected when it opens, or empty
    // A save: a name typed without an extension takes the one of the file type chosen.
    bool extensionFromType = false;
};

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageKind { Information, Warning, Question, Critical };
enum class Answer { Ok, Cancel, Yes, No };

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The full path of the file chosen; empty when the user cancelled.
    virtual QString openFile(QWidget* parent, const FileRequest& request) = 0;
    virtual QString saveFile(QWidget* parent, const FileRequest& request) = 0;

    // A message box; the button pressed (Cancel, or No, when it was closed otherwise).
    virtual Answer message(QWidget* parent, const QString& text, const QString& title,
                           MessageButtons buttons = MessageButtons::Ok,
                           MessageKind kind = MessageKind::Information) = 0;

    // An input box opening on `defaultValue`; the text entered, or nothing when cancelled.
    virtual std::optional<QString> input(QWidget* parent, const QString& prompt, const QString& title,
                                         const QString& defaultValue) = 0;

    virtual void beep(int times = 1) = 0;
};

// The dialogs of Qt itself (not the desktop's own file dialogs): the same on every desktop
// and reachable by assistive tools.
class QtDialogs : public Dialogs {
public:
    QString openFile(QWidget* parent, const FileRequest& request) override;
    QString saveFile(QWidget* parent, const FileRequest& request) override;
    Answer message(QWidget* parent, const QString& text, const QString& title, MessageButtons buttons,
                   MessageKind kind) override;
    std::optional<QString> input(QWidget* parent, const QString& prompt, const QString& title,
                                 const QString& defaultValue) override;
    void beep(int times) override;
};

}  // namespace tarn::ui
