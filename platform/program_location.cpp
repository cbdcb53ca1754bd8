#include "platform/program_location.h"

#include <filesystem>
#include <system_error>

namespace vintrale {

ProgramLocation splitExecutablePath(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) {
        return {{}, std::string(path)};
    }
    return {std::string(path.substr(0, slash)), std::string(path.substr(slash + 1))};
}

ProgramLocation currentProgramLocation() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    std::string_view path = error ? std::string_view{} : std::string_view{exe.native()};
    // The kernel marks a replaced or removed executable this way; the name is still ours.
    constexpr std::string_view deletedMark = " (deleted)";
    if (path.ends_with(deletedMark)) {
        path.remove_suffix(deletedMark.size());
    }
    return splitExecutablePath(path);
}

} // namespace vintrale
