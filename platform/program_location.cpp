#include "platform/program_location.h"

#include "platform/process_list.h"

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
    return splitExecutablePath(error ? std::string_view{}
                                     : withoutDeletedMark(std::string_view{exe.native()}));
}

} // namespace vintrale
