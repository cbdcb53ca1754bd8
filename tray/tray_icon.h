#pragma once

#include "core/tray_clicks.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class QSystemTrayIcon;
class QWidget;

namespace vintrale {

// The main window's notification-area icon (its TrayState: one icon or none). Tray events reach
// the window as types: 1 left button released, 2 left double-click, 3 context request.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TrayIcon(QWidget& window);
    ~TrayIcon() override;

    // Shows, changes or drops the icon. A new icon is built from iconData on every call; empty or
    // unreadable data means no icon. The tip is cut to 62 UTF-8 bytes, never inside a character.
    void setTrayIcon(const QByteArray& iconData, const QString& tipText);
    void removeTrayIcon() { setTrayIcon({}, {}); }

    bool isShown() const;
    QString tip() const;

    // The icon as the notification area holds it, or null; tests emit its activated() signal.
    QSystemTrayIcon* systemTrayIcon() const { return shown_.get(); }
    // Test hook: the milliseconds clock that tells two clicks from a double-click. An empty
    // function restores the real clock.
    void setClockForTests(std::function<std::int64_t()> clock) { clock_ = std::move(clock); }

signals:
    // Delivered from the event loop, never from inside the notification area's own mouse
    // handling, so a handler may drop the icon that was clicked.
    void trayEvent(int type);

private:
    void onActivated(int reason);
    std::int64_t nowMs() const;

    QWidget& window_;
    std::unique_ptr<QSystemTrayIcon> shown_;
    TrayClickPairing pairing_;
    QElapsedTimer sinceStart_;
    std::function<std::int64_t()> clock_;
};

// The icon file the program carries for the tray.
QByteArray trayIconData();

// Whether the desktop has a notification area to hide into. Tests replace the probe; an empty
// function asks the desktop again.
bool isTrayAvailable();
void setTrayAvailabilityProbe(std::function<bool()> probe);

} // namespace vintrale
