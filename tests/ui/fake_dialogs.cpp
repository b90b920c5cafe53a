#include "fake_dialogs.h"

#include <QTest>

namespace tarn::ui::test {

namespace {

const char* kindName(FakeDialogs::Kind kind) {
    switch (kind) {
    case FakeDialogs::Kind::OpenFile: return "an open-file dialog";
    case FakeDialogs::Kind::SaveFile: return "a save-file dialog";
    case FakeDialogs::Kind::Message: return "a message box";
    case FakeDialogs::Kind::Input: return "an input box";
    }
    return "a dialog";
}

}  // namespace

std::optional<FakeDialogs::Queued> FakeDialogs::take(const Prompt& prompt) {
    prompts_.push_back(prompt);
    if (queue_.empty() || queue_.front().kind != prompt.kind) {
        const QString what = QString("%1 (\"%2\" %3) came with no answer queued for it")
                                 .arg(kindName(prompt.kind), prompt.title, prompt.text);
        QTest::qFail(qPrintable(what), __FILE__, __LINE__);
        return std::nullopt;
    }
    Queued answer = queue_.front();
    queue_.pop_front();
    return answer;
}

QString FakeDialogs::openFile(QWidget*, const FileRequest& request) {
    const auto answer = take({Kind::OpenFile, request.title, {}, request.filter, request.folder, request.selected, {}, {}});
    return answer ? answer->file : QString();
}

QString FakeDialogs::saveFile(QWidget*, const FileRequest& request) {
    const auto answer = take({Kind::SaveFile, request.title, {}, request.filter, request.folder, request.selected, {}, {}});
    return answer ? answer->file : QString();
}

Answer FakeDialogs::message(QWidget*, const QString& text, const QString& title, MessageButtons buttons, MessageKind) {
    const auto answer = take({Kind::Message, title, text, {}, {}, {}, {}, buttons});
    return answer ? answer->answer : Answer::Cancel;
}

std::optional<QString> FakeDialogs::input(QWidget*, const QString& prompt, const QString& title,
                                          const QString& defaultValue) {
    const auto answer = take({Kind::Input, title, prompt, {}, {}, {}, defaultValue, {}});
    return answer ? answer->text : std::nullopt;
}

}  // namespace tarn::ui::test
