// tarnflow-app: the desktop program. Starts on the welcome screen; a workbook given on the
// command line is the one the file dialog of the project details opens on.
#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>

#include "model/project.h"
#include "ui/dialogs.h"
#include "ui/guarded_application.h"
#include "ui/navigation.h"
#include "ui/screens.h"

int main(int argc, char** argv) {
    tarn::ui::GuardedApplication app(argc, argv);
    QApplication::setApplicationName("TARNFLOW");
    QApplication::setApplicationVersion("3.1");
    // The program ends through its Exit buttons (ExitProgram), not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "TARNFLOW: daily water balance of a catchment's sub-areas, and how a change of land use alters its "
        "water yield.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("WORKBOOK", "the project's input workbook (.xlsx or .xls) to offer first", "[WORKBOOK]");
    parser.process(app);
    const QStringList args = parser.positionalArguments();
    if (args.size() > 1) {
        std::fprintf(stderr, "tarnflow-app: give at most one workbook\n");
        return 2;
    }

    tarn::Project project;
    tarn::ui::QtDialogs dialogs;
    tarn::ui::Navigation navigation(project, dialogs);
    tarn::ui::registerScreens(navigation);
    if (!args.isEmpty()) {
        const QFileInfo workbook(args.front());
        if (!workbook.isFile()) {
            std::fprintf(stderr, "tarnflow-app: %s: no such file\n", qPrintable(args.front()));
            return 2;
        }
        navigation.setPreselectedFile(workbook.absoluteFilePath());
    }
    navigation.start();
    return QApplication::exec();
}
