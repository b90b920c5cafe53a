#include "ui/navigation.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <stdexcept>

#include "ui/qt_text.h"
#include "ui/screen.h"
#include "workbook/data_book.h"

namespace tarn::ui {

namespace {

QString formName(Step step) { return toQ(formOf(step)); }

// Boxes that take a number, a name or a date hold at most this many characters, so a pasted
// or endlessly typed text stays cheap to edit, lay out and read out.
constexpr int kTypedTextLength = 255;

void limitTypedTexts(QWidget& screen) {
    for (QLineEdit* box : screen.findChildren<QLineEdit*>())
        if (!box->isReadOnly() && box->maxLength() > kTypedTextLength) box->setMaxLength(kTypedTextLength);
}

}  // namespace

Navigation::Navigation(Project& project, Dialogs& dialogs, QObject* parent)
    : QObject(parent),
      project_(project),
      dialogs_(dialogs),
      menu_(menuAtLoad()),
      quit_([] { QCoreApplication::exit(0); }) {}

Navigation::~Navigation() {
    for (auto& [form, entry] : loaded_) delete entry.screen.data();
    for (const QPointer<Screen>& s : unloaded_) delete s.data();
}

void Navigation::registerScreen(const QString& form, Factory factory) { factories_[form] = std::move(factory); }

QStringList Navigation::registeredForms() const {
    QStringList forms;
    for (const auto& [form, factory] : factories_) forms << form;
    return forms;
}

Screen* Navigation::create(const QString& form) {
    if (auto f = factories_.find(form); f != factories_.end()) return f->second(*this);
    throw std::logic_error("no screen is registered as " + toStd(form));
}

Screen* Navigation::load(const QString& form) {
    if (Screen* s = loaded(form)) return s;
    Screen* s = create(form);
    if (s->objectName().isEmpty()) s->setObjectName(form);
    limitTypedTexts(*s);
    loaded_[form] = Loaded{s, {}, false};
    try {
        s->runLoad();
    } catch (...) {
        loaded_.erase(form);
        delete s;
        throw;
    }
    return s;
}

Screen* Navigation::show(const QString& form, const QString& owner) {
    Screen* before = loaded(form);
    if (before && !before->isVisible() && before->reloadsWhenShown()) before->runLoad();
    Screen* s = load(form);
    Loaded& entry = loaded_[form];
    if (!owner.isEmpty()) entry.owner = owner;
    if (!entry.shown) {
        s->centre();
        entry.shown = true;
    }
    s->show();
    s->raise();
    s->activateWindow();
    return s;
}

void Navigation::unload(const QString& form) {
    QStringList owned;
    for (const auto& [f, entry] : loaded_)
        if (entry.owner == form) owned << f;
    for (const QString& f : owned) unload(f);

    auto it = loaded_.find(form);
    if (it == loaded_.end()) return;
    QPointer<Screen> s = it->second.screen;
    loaded_.erase(it);
    if (!s) return;
    s->hide();
    // The screen may be the one whose button asked for this: it goes once that returns.
    s->deleteLater();
    std::erase_if(unloaded_, [](const QPointer<Screen>& gone) { return gone.isNull(); });
    unloaded_.push_back(s);
}

Screen* Navigation::loaded(const QString& form) const {
    auto it = loaded_.find(form);
    return it == loaded_.end() ? nullptr : it->second.screen.data();
}

void Navigation::start() { show(formName(Step::Welcome)); }

void Navigation::openStep(Step step) {
    unload(formName(Step::Menu));
    menuOpenStep(menu_, step);
    show(formName(step));
}

void Navigation::next(Step step) {
    unload(formName(step));
    menuAfterNext(menu_, step);
    // The menu shows its state afresh.
    unload(formName(Step::Menu));
    show(formName(Step::Menu));
}

void Navigation::back(Step step) {
    const auto target = backTarget(step);
    if (!target) return;
    if (*target == Step::Menu) {
        next(step);
        return;
    }
    unload(formName(step));
    show(formName(*target));
}

void Navigation::exitProgram() {
    if (exiting_) return;
    exiting_ = true;
    // A screen's stop lets events run, so the list is taken first.
    std::vector<QPointer<Screen>> screens;
    for (auto& [form, entry] : loaded_) screens.push_back(entry.screen);
    for (const QPointer<Screen>& s : screens)
        if (s) s->stopWork();
    WaitMs(500, [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    workbook_.reset();
    for (auto& [form, entry] : loaded_)
        if (entry.screen) entry.screen->hide();
    progress_.hide();
    quit_();
}

}  // namespace tarn::ui
