// The desktop program's error boundary: a handler that throws is reported and the program
// goes on with the next event.
#include <QPushButton>
#include <QTest>
#include <stdexcept>

#include "ui/guarded_application.h"

class ErrorBoundaryTest : public QObject {
    Q_OBJECT

private slots:
    void a_throwing_slot_is_reported_and_the_program_goes_on() {
        auto* app = qobject_cast<tarn::ui::GuardedApplication*>(QCoreApplication::instance());
        QVERIFY(app);
        QStringList reported;
        app->setReporter([&](const QString& message) { reported << message; });
        QPushButton button;
        int clicks = 0;
        QObject::connect(&button, &QPushButton::clicked, [&] {
            if (++clicks == 1) throw std::runtime_error("E30: 'x' is not a number");
        });
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(reported, QStringList{"That could not be done: E30: 'x' is not a number"});
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks, 2);
        QCOMPARE(reported.size(), 1);
    }
};

int main(int argc, char** argv) {
    tarn::ui::GuardedApplication app(argc, argv);
    ErrorBoundaryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "error_boundary_test.moc"
