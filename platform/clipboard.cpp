#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace vintrale {

namespace {

// X11 and Wayland clipboards belong to one program at a time; another program can take
// ownership at any moment, and then our text is gone however setText went.
bool desktopTracksOwnership() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

bool& refusedForTests() {
    static bool refused = false;
    return refused;
}

} // namespace

void setClipboardRefusedForTests(bool refused) {
    refusedForTests() = refused;
}

bool putClipboardText(const QString& text) {
    if (refusedForTests()) {
        return false;
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return false;
    }
    clipboard->setText(text, QClipboard::Clipboard);
    if (desktopTracksOwnership()) {
        return clipboard->ownsClipboard();
    }
    return clipboard->text(QClipboard::Clipboard) == text;
}

} // namespace vintrale
