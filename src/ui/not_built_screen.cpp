#include "ui/not_built_screen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/navigation.h"
#include "ui/qt_text.h"

namespace tarn::ui {

NotBuiltScreen::NotBuiltScreen(Navigation& navigation, Step step) : Screen(navigation), step_(step) {
    const QString form = toQ(formOf(step));
    setObjectName(form);
    setWindowTitle(form + " (not built yet)");
    auto* text = new QLabel(QStringLiteral("The screen %1 of this step is not built yet.").arg(form), this);
    text->setObjectName("lblNotBuilt");
    auto* back = new QPushButton("&Back", this);
    back->setObjectName("cmdBack");
    auto* next = new QPushButton("&Next", this);
    next->setObjectName("cmdNext");
    auto* exit = new QPushButton("E&xit", this);
    exit->setObjectName("cmdExit");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(back);
    buttons->addWidget(next);
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(buttons);
    back->setEnabled(backTarget(step).has_value());
    connect(back, &QPushButton::clicked, this, [this] { nav().back(step_); });
    connect(next, &QPushButton::clicked, this, [this] { nav().next(step_); });
    connect(exit, &QPushButton::clicked, this, [this] { nav().exitProgram(); });
}

}  // namespace tarn::ui
