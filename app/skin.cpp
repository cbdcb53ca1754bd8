#include "app/skin.h"

#include "platform/fatal_error.h"
#include "platform/file_ops.h"
#include "resources/carried_files.h"

#include <QString>
#include <cstddef>
#include <span>

// The carried skin sits in a static library of its own; naming its registration here is what
// links it in.
static void registerSkinResources() {
    Q_INIT_RESOURCE(vintrale_skin);
}

namespace vintrale {

namespace {

QByteArray carried(const char* resourcePath) {
    [[maybe_unused]] static const bool registered = (registerSkinResources(), true);
    return carriedFile(QString::fromLatin1(resourcePath));
}

} // namespace

QByteArray skinLibraryBytes() {
    return carried(":/skin/skinLibraryBytes");
}

QByteArray skinData() {
    return carried(":/skin/skinData");
}

void applySkin(const std::string& programDirectory, SkinLibrary& library) {
    const std::string path = skinLibraryPath(programDirectory);
    if (!entryExists(path)) {
        const QByteArray bytes = skinLibraryBytes();
        // A read-only folder is no error: the engine may still come from the library folders.
        // Nothing carried, nothing written: an empty file would stand there for good.
        if (!bytes.isEmpty()) {
            writeNewFileAtomically(
                path, std::as_bytes(
                          std::span(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
        }
    }
    if (!library.bind(programDirectory)) {
        fatalError(QStringLiteral("无法从皮肤库“%1”载入函数“%2”，程序无法继续运行。")
                       .arg(QString::fromUtf8(skinLibraryFileName.data(),
                                              static_cast<qsizetype>(skinLibraryFileName.size())),
                            QString::fromLatin1(attachResName)));
    }
    const QByteArray data = skinData();
    // Whatever the engine answers, the start goes on: the program relies on nothing it draws.
    library.attachRes(std::span(reinterpret_cast<const unsigned char*>(data.constData()),
                                static_cast<std::size_t>(data.size())),
                      "", 1, 1, 1);
}

} // namespace vintrale
