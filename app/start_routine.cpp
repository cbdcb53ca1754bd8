#include "app/instance_guard.h"
#include "app/program.h"
#include "app/skin.h"
#include "window/fonts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <unistd.h>

namespace vintrale {

int startRoutine(int& argc, char** argv) {
    QApplication application(argc, argv);
    // Hiding to the tray hides the last window; only the window's destruction ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    registerFontSubstitutes();
    // Qt's own texts (the edit boxes' context menus) in Chinese too, like every text of ours,
    // whatever the system language.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }

    ProgramLocation location = currentProgramLocation();
    if (!location.directory.empty()) {
        // Relative paths of ours resolve beside the executable, wherever it was started from.
        [[maybe_unused]] const int ignored = chdir(location.directory.c_str());
    }

    // Bound by the skin step at start-up; unloaded only after the exit clean-up.
    SkinLibrary skinLibrary;
    StartupSteps startupSteps{
        [&skinLibrary, directory = location.directory] { applySkin(directory, skinLibrary); },
        [ownName = location.executableName] { return anotherInstanceRunning(ownName); },
    };
    Program program(std::move(location), std::move(startupSteps));
    program.loadMainWindow();
    if (!program.mainWindow().isDestroyed()) {
        // exit() rather than quit(): quit() asks every window to close first, and a tray icon's
        // window can refuse, which would leave the loop running with nothing on screen.
        QObject::connect(&program.mainWindow(), &MainWindow::windowDestroyed, &application,
                         [] { QCoreApplication::exit(0); });
        QApplication::exec();
    }
    program.exitCleanup();
    skinLibrary.unload();
    return 0;
}

} // namespace vintrale
