#pragma once

#include "tray/tray_icon.h"
#include "window/main_window.h"

namespace vintrale {

// What closing the main window does: the question whether to go to the tray, and the tray icon's
// events and menu that bring the window back or end the program.
class CloseToTray {
public:
    CloseToTray(MainWindow& window, TrayIcon& trayIcon);

    // The close query: true lets the close go ahead.
    bool onCloseQuery();
    void onTrayEvent(int type);
    void onShowWindowSelected();
    void onExitSelected();
    void onWindowDestroying();
    // The desktop session is ending and asks whether the program may end: the same question as
    // a close, where the session lets us ask. Yes keeps the program in the tray; the result is
    // true when the program objects to the end.
    bool onSessionEndQuery(bool mayAsk);

private:
    bool askToMinimise() const;
    void goToTray();

    MainWindow& window_;
    TrayIcon& trayIcon_;
    // Set when the session may end: its end then closes the window, and that close must not ask
    // a second time.
    bool sessionEndAllowed_ = false;
};

} // namespace vintrale
