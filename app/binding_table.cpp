#include "app/program.h"
#include "tray/commands.h"

#include <QAction>
#include <QGuiApplication>
#include <QPushButton>
#include <QSessionManager>

namespace vintrale {

// Every event of the window that the program answers, and the handler that answers it. Nothing
// else is bound anywhere.
void Program::bindHandlers() {
    MainWindow* window = mainWindow_.get();
    QObject::connect(window, &MainWindow::created, window, [this] { onMainWindowCreated(); });

    CloseToTray* tray = closeToTray_.get();
    window->setCloseQuery([tray] { return tray->onCloseQuery(); });
    QObject::connect(window, &MainWindow::aboutToBeDestroyed, window,
                     [tray] { tray->onWindowDestroying(); });
    QObject::connect(trayIcon_.get(), &TrayIcon::trayEvent, window,
                     [tray](int type) { tray->onTrayEvent(type); });
    QObject::connect(window->showWindowItem(), &QAction::triggered, window,
                     [tray] { tray->onShowWindowSelected(); });
    QObject::connect(window->exitItem(), &QAction::triggered, window,
                     [tray] { tray->onExitSelected(); });
    // The session's end asks as a close does; the manager is only valid during the call.
    QObject::connect(
        qGuiApp, &QGuiApplication::commitDataRequest, window,
        [tray](QSessionManager& manager) {
            const bool mayAsk = manager.allowsInteraction();
            const bool objects = tray->onSessionEndQuery(mayAsk);
            if (mayAsk) {
                manager.release();
            }
            if (objects) {
                manager.cancel();
            }
        },
        Qt::DirectConnection);
    QObject::connect(window->copyButton(), &QPushButton::clicked, window,
                     [this] { onCopyClicked(runState_, *mainWindow_); });
    QObject::connect(window->trendButton(), &QPushButton::clicked, window,
                     [] { onTrendClicked(); });
    RunControl* run = runControl_.get();
    QObject::connect(window->startStopButton(), &QPushButton::clicked, window,
                     [run] { run->onStartStopClicked(); });
    QObject::connect(&window->drawTimer(), &PeriodTimer::expired, window,
                     [run] { run->onDrawTimerTick(); });
}

} // namespace vintrale
