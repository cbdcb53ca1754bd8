#include "tray/tray_icon.h"

#include "core/tip_text.h"
#include "resources/carried_files.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSystemTrayIcon>

namespace vintrale {

namespace {

// Only an icon file counts: data in any other image format is no icon, as unreadable data is.
QIcon iconFromFileData(const QByteArray& data) {
    if (data.isEmpty()) {
        return {};
    }
    QImage image;
    if (!image.loadFromData(data, "ICO")) {
        return {};
    }
    return QIcon(QPixmap::fromImage(image));
}

QString cutTip(const QString& tipText) {
    const QByteArray utf8 = tipText.toUtf8();
    return QString::fromStdString(
        cutTipText(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size()))));
}

TrayActivation activationOf(int reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return TrayActivation::trigger;
    case QSystemTrayIcon::DoubleClick:
        return TrayActivation::doubleClick;
    case QSystemTrayIcon::Context:
        return TrayActivation::context;
    default:
        return TrayActivation::other;
    }
}

std::function<bool()>& availabilityProbe() {
    static std::function<bool()> probe;
    return probe;
}

} // namespace

TrayIcon::TrayIcon(QWidget& window) : window_(window) {
    sinceStart_.start();
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::setTrayIcon(const QByteArray& iconData, const QString& tipText) {
    const QIcon icon = iconFromFileData(iconData);
    if (icon.isNull()) {
        if (shown_) {
            shown_->hide();
            shown_.reset();
        }
        return;
    }
    const QString tip = cutTip(tipText);
    if (shown_) {
        // Changed in place: the notification area never holds two icons of ours.
        shown_->setIcon(icon);
        shown_->setToolTip(tip);
        return;
    }
    // No setContextMenu: the menu is the window's, popped by its handler of tray event 3.
    shown_ = std::make_unique<QSystemTrayIcon>(icon);
    shown_->setToolTip(tip);
    connect(shown_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { onActivated(reason); });
    shown_->show();
}

bool TrayIcon::isShown() const {
    return shown_ != nullptr;
}

QString TrayIcon::tip() const {
    return shown_ ? shown_->toolTip() : QString();
}

void TrayIcon::onActivated(int reason) {
    // The clicks are timed as they arrive; the events they make wait for the event loop.
    const std::vector<int> types =
        pairing_.eventsFor(activationOf(reason), nowMs(), QApplication::doubleClickInterval());
    for (const int type : types) {
        QMetaObject::invokeMethod(
            this, [this, type] { emit trayEvent(type); }, Qt::QueuedConnection);
    }
}

std::int64_t TrayIcon::nowMs() const {
    return clock_ ? clock_() : sinceStart_.elapsed();
}

QByteArray trayIconData() {
    return carriedFile(QString::fromLatin1(trayIconResource));
}

bool isTrayAvailable() {
    if (availabilityProbe()) {
        return availabilityProbe()();
    }
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void setTrayAvailabilityProbe(std::function<bool()> probe) {
    availabilityProbe() = std::move(probe);
}

} // namespace vintrale
