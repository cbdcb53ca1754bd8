#pragma once

#include <span>
#include <string>
#include <string_view>

namespace vintrale {

// The skin engine's file name. The leading dot hides it in the program's folder.
inline constexpr std::string_view skinLibraryFileName = ".SkinH_EL.so";
inline constexpr const char* attachResName = "SkinH_AttachRes";

// The engine's path in the program's folder: the folder, one '/', the file name.
std::string skinLibraryPath(std::string_view programDirectory);

// The skin engine, loaded when bound. SkinH_AttachRes is bound by name; the library then stays
// loaded until unload(), which comes after the exit clean-up.
class SkinLibrary {
public:
    using AttachRes = int (*)(const unsigned char* data, int size, const char* password, int a,
                              int b, int c);

    SkinLibrary() = default;
    ~SkinLibrary();
    SkinLibrary(const SkinLibrary&) = delete;
    SkinLibrary& operator=(const SkinLibrary&) = delete;

    // Loads the engine from the program's folder or, failing that, by its bare name through the
    // dynamic linker's search, and looks up SkinH_AttachRes in what was loaded. A library loaded
    // without that function is unloaded again. False when no function was bound.
    bool bind(const std::string& programDirectory);
    bool isBound() const { return attachRes_ != nullptr; }

    // Calls the bound function and returns its result; -1 when nothing is bound.
    int attachRes(std::span<const unsigned char> data, const char* password, int a, int b, int c);

    void unload();

private:
    void* handle_ = nullptr;
    AttachRes attachRes_ = nullptr;
};

} // namespace vintrale
