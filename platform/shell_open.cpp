#include "platform/shell_open.h"

#include <QDesktopServices>
#include <QUrl>

namespace vintrale {

bool openWithShell(const QString& operation, const QString& target,
                   [[maybe_unused]] const QString& parameterText) {
    if (operation != QLatin1String("open")) {
        return false;
    }
    // Strict parsing keeps every character of the address as it stands (the trend page's path
    // holds a "!"), instead of quietly mending what it takes for a typing error.
    const QUrl url(target, QUrl::StrictMode);
    if (!url.isValid()) {
        return false;
    }
    return QDesktopServices::openUrl(url);
}

} // namespace vintrale
