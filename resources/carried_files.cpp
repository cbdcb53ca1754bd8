#include "resources/carried_files.h"

#include <QFile>

namespace vintrale {

QByteArray carriedFile(const QString& resourcePath) {
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

} // namespace vintrale
