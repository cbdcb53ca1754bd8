#include "tray/close_to_tray.h"

#include "core/tray_clicks.h"
#include "platform/message_box.h"

#include <QCursor>
#include <QMenu>

namespace vintrale {

namespace {

const QString programTip = QStringLiteral("Vintrale");

} // namespace

CloseToTray::CloseToTray(MainWindow& window, TrayIcon& trayIcon)
    : window_(window), trayIcon_(trayIcon) {}

bool CloseToTray::askToMinimise() const {
    return showMessageBox(QStringLiteral("是否最小化到系统托盘"), QStringLiteral("提示！"),
                          MessageStyle::askYesNo) == MessageAnswer::yes;
}

void CloseToTray::goToTray() {
    if (!isTrayAvailable()) {
        // Hidden without an icon, the window could never be brought back: it stays on the task
        // bar instead.
        trayIcon_.removeTrayIcon();
        window_.showMinimized();
        return;
    }
    window_.setShownOnScreen(false);
    trayIcon_.setTrayIcon(trayIconData(), programTip);
}

bool CloseToTray::onCloseQuery() {
    if (sessionEndAllowed_) {
        sessionEndAllowed_ = false;
        return true;
    }
    if (!askToMinimise()) {
        return true;
    }
    goToTray();
    return false;
}

void CloseToTray::onTrayEvent(int type) {
    if (type == trayEvent::doubleClick) {
        window_.setShownOnScreen(!window_.isShownOnScreen());
        if (window_.isShownOnScreen()) {
            trayIcon_.removeTrayIcon();
        } else {
            trayIcon_.setTrayIcon(trayIconData(), window_.caption());
        }
        return;
    }
    if (type == trayEvent::context) {
        // Not modal: the chosen item raises its own triggered() and its handler runs from there.
        window_.trayMenu()->popup(QCursor::pos() + QPoint(3, 3));
    }
}

void CloseToTray::onShowWindowSelected() {
    window_.setShownOnScreen(true);
    trayIcon_.removeTrayIcon();
}

void CloseToTray::onExitSelected() {
    window_.destroyQueued();
}

// The icon must go before the window does: while one is shown, the loop would not end.
void CloseToTray::onWindowDestroying() {
    trayIcon_.removeTrayIcon();
}

bool CloseToTray::onSessionEndQuery(bool mayAsk) {
    // Without leave to ask, nobody can answer Yes, so nothing is objected to.
    if (!mayAsk || !askToMinimise()) {
        sessionEndAllowed_ = true;
        return false;
    }
    sessionEndAllowed_ = false;
    goToTray();
    return true;
}

} // namespace vintrale
