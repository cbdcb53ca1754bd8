#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

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

signals:
    void trayEvent(int type);

private:
    QWidget& window_;
    std::unique_ptr<QSystemTrayIcon> shown_;
};

// The icon file the program carries for the tray.
QByteArray trayIconData();

} // namespace vintrale
