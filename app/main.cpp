// tarnflow-app: the desktop program. Starts on the welcome screen; a workbook given on the
// command line is the one the file dialog of the project details opens on.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstring>

#include "model/project.h"
#include "tarnflow/version.h"
#include "ui/dialogs.h"
#include "ui/guarded_application.h"
#include "ui/navigation.h"
#include "ui/screens.h"

namespace {

void describeOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        "TARNFLOW: daily water balance of a catchment's sub-areas, and how a change of land use alters its "
        "water yield.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("WORKBOOK", "the project's input workbook (.xlsx or .xls) to offer first", "[WORKBOOK]");
}

// True when the arguments ask for the version or the help, which are answered without
// opening the window system (so they work without a display).
bool asksVersionOrHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--") == 0) return false;
        for (const char* option : {"-v", "--version", "-h", "--help", "-?", "--help-all"})
            if (std::strcmp(a, option) == 0) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName("TARNFLOW");
    QCoreApplication::setApplicationVersion(tarn::kVersion);
    if (asksVersionOrHelp(argc, argv)) {
        QCoreApplication core(argc, argv);
        QCommandLineParser parser;
        describeOptions(parser);
        if (parser.parse(QCoreApplication::arguments()) && parser.isSet("version")) {
            std::printf("tarnflow-app %s\n", tarn::kVersion);
            return 0;
        }
        parser.process(core);  // prints the help (exit 0) or names the bad option (exit 1)
        return 0;
    }

    tarn::ui::GuardedApplication app(argc, argv);
    // The program ends through its Exit buttons (ExitProgram), not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    describeOptions(parser);
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
