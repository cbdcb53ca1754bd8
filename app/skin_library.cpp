#include "app/skin_library.h"

#include "platform/file_ops.h"

#include <dlfcn.h>
#include <limits>

namespace vintrale {

std::string skinLibraryPath(std::string_view programDirectory) {
    std::string path(programDirectory);
    path += '/';
    path += skinLibraryFileName;
    return path;
}

SkinLibrary::~SkinLibrary() {
    unload();
}

bool SkinLibrary::bind(const std::string& programDirectory) {
    if (isBound()) {
        return true;
    }
    const std::string besideProgram = skinLibraryPath(programDirectory);
    // A damaged file there counts as one that cannot be loaded, rather than crash the loader.
    void* handle = isWholeSharedObject(besideProgram)
                       ? ::dlopen(besideProgram.c_str(), RTLD_NOW | RTLD_LOCAL)
                       : nullptr;
    if (handle == nullptr) {
        // No slash in the name: the run path, LD_LIBRARY_PATH and the system library folders.
        handle = ::dlopen(std::string(skinLibraryFileName).c_str(), RTLD_NOW | RTLD_LOCAL);
    }
    if (handle == nullptr) {
        return false;
    }
    void* function = ::dlsym(handle, attachResName);
    if (function == nullptr) {
        ::dlclose(handle);
        return false;
    }
    handle_ = handle;
    // POSIX guarantees that a dlsym result for a function may be used as a function pointer.
    attachRes_ = reinterpret_cast<AttachRes>(function);
    return true;
}

int SkinLibrary::attachRes(std::span<const unsigned char> data, const char* password, int a, int b,
                           int c) {
    if (!isBound()) {
        return -1;
    }
    if (data.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return -1;
    }
    return attachRes_(data.data(), static_cast<int>(data.size()), password, a, b, c);
}

void SkinLibrary::unload() {
    attachRes_ = nullptr;
    if (handle_ != nullptr) {
        ::dlclose(handle_);
        handle_ = nullptr;
    }
}

} // namespace vintrale
