// The skin engine: a shared library that the program carries, writes beside itself and loads by
// name. Its one entry point takes skin data and lays its style sheet over the whole application.

#include "skin/skin_format.h"

#include <QApplication>
#include <QString>
#include <QThread>

namespace {

vintrale::SkinStatus attachSkin(const unsigned char* data, int size, const char* password) {
    const vintrale::SkinSheet skin = vintrale::readSkinData(data, size, password);
    if (skin.status != vintrale::SkinStatus::attached) {
        return skin.status;
    }
    auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (application == nullptr) {
        return vintrale::SkinStatus::noApplication;
    }
    if (QThread::currentThread() != application->thread()) {
        return vintrale::SkinStatus::wrongThread;
    }
    // fromUtf8 copies the sheet: the application keeps it after this library is unloaded, so it
    // must not point into the caller's buffer or into this library's own memory.
    application->setStyleSheet(
        QString::fromUtf8(skin.styleSheet.data(), static_cast<qsizetype>(skin.styleSheet.size())));
    return vintrale::SkinStatus::attached;
}

} // namespace

// The last three arguments are part of the entry point's fixed shape; this engine needs none of
// them and accepts any value.
extern "C" __attribute__((visibility("default"))) int
SkinH_AttachRes(const unsigned char* data, int size, const char* password, int /*unused*/,
                int /*unused*/, int /*unused*/) {
    return static_cast<int>(attachSkin(data, size, password));
}
