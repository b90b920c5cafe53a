#include "ui/input_steps.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStringList>

#include "ui/navigation.h"
#include "ui/qt_text.h"

namespace tarn::ui {

void setupPercentBoxes(const QList<QComboBox*>& boxes, const QString& accessible) {
    for (qsizetype e = 0; e < boxes.size(); ++e) {
        QComboBox* box = boxes[e];
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        // Room for a typed share such as "33.6" besides the list's "100".
        box->setMinimumContentsLength(5);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setAccessibleName(accessible.arg("A" + QString::number(e + 1)));
    }
}

void fillPercentLists(const QList<QComboBox*>& boxes) {
    static const QStringList percents = [] {
        QStringList list;
        for (int p = 0; p <= 100; ++p) list << QString::number(p);
        return list;
    }();
    for (QComboBox* box : boxes) {
        box->clear();
        box->addItems(percents);
    }
}

void setBoxTexts(const QList<QComboBox*>& boxes, const SubAreaBoxes& texts) {
    for (qsizetype e = 0; e < boxes.size() && e < qsizetype(texts.size()); ++e) {
        // A text of the list selects its item, so that the list opens on it.
        const QString text = toQ(texts[std::size_t(e)]);
        const int item = boxes[e]->findText(text, Qt::MatchExactly);
        boxes[e]->setCurrentIndex(item);
        if (item < 0) boxes[e]->setEditText(text);
        if (QLineEdit* edit = boxes[e]->lineEdit()) edit->setCursorPosition(0);
    }
}

SubAreaBoxes boxTexts(const QList<QComboBox*>& boxes) {
    SubAreaBoxes texts;
    for (qsizetype e = 0; e < boxes.size() && e < qsizetype(texts.size()); ++e)
        texts[std::size_t(e)] = toStd(boxes[e]->currentText());
    return texts;
}

void openInputChart(Navigation& navigation, const QString& owner) {
    // A build without the chart reads nothing; the step then says so.
    if (!navigation.registeredForms().contains(kInputChartForm)) return;
    // Loaded afresh, so that a capture made again (after a read that failed) reads again.
    navigation.unload(kInputChartForm);
    navigation.show(kInputChartForm, owner);
}

ClassChoice checkedClasses(const std::array<std::array<QRadioButton*, 5>, 10>& options) {
    ClassChoice choice{};
    for (std::size_t s = 0; s < options.size(); ++s)
        for (std::size_t c = 0; c < options[s].size(); ++c)
            if (options[s][c]->isChecked()) choice[s] = int(c) + 1;
    return choice;
}

}  // namespace tarn::ui
