#pragma once
// Dialogs answered by the test instead of a user: each answer is queued before the prompt
// that takes it, every prompt is recorded (so tests check its texts), and a prompt with no
// answer of its kind queued fails the running test.
#include <QString>
#include <deque>
#include <optional>
#include <vector>

#include "ui/dialogs.h"

namespace tarn::ui::test {

class FakeDialogs : public Dialogs {
public:
    enum class Kind { OpenFile, SaveFile, Message, Input };

    struct Prompt {
        Kind kind;
        QString title;
        QString text;      // message or input prompt
        QString filter;    // file dialogs
        QString folder;    // file dialogs
        QString selected;  // file dialogs
        QString defaultValue;  // input box
        MessageButtons buttons = MessageButtons::Ok;
    };

    void answerOpenFile(const QString& file) { queue_.push_back({Kind::OpenFile, file, {}, {}}); }
    void answerSaveFile(const QString& file) { queue_.push_back({Kind::SaveFile, file, {}, {}}); }
    void answerMessage(Answer answer = Answer::Ok) { queue_.push_back({Kind::Message, {}, answer, {}}); }
    void answerInput(std::optional<QString> text) { queue_.push_back({Kind::Input, {}, {}, std::move(text)}); }

    const std::vector<Prompt>& prompts() const { return prompts_; }
    int beeps() const { return beeps_; }
    // True when every queued answer has been taken.
    bool allAnswered() const { return queue_.empty(); }

    QString openFile(QWidget* parent, const FileRequest& request) override;
    QString saveFile(QWidget* parent, const FileRequest& request) override;
    Answer message(QWidget* parent, const QString& text, const QString& title, MessageButtons buttons,
                   MessageKind kind) override;
    std::optional<QString> input(QWidget* parent, const QString& prompt, const QString& title,
                                 const QString& defaultValue) override;
    void beep(int times) override { beeps_ += times; }

private:
    struct Queued {
        Kind kind;
        QString file;
        Answer answer = Answer::Cancel;
        std::optional<QString> text;
    };
    // The next answer, when it is of this kind; otherwise fails the test.
    std::optional<Queued> take(const Prompt& prompt);

    std::deque<Queued> queue_;
    std::vector<Prompt> prompts_;
    int beeps_ = 0;
};

}  // namespace tarn::ui::test
