#pragma once

#include <string>
#include <string_view>

namespace vintrale {

// Where the program's executable lies: its directory without a trailing separator (so the root
// folder is ""), and its bare file name. Fixed once at start-up.
struct ProgramLocation {
    std::string directory;
    std::string executableName;
};

// Splits an absolute executable path at its last '/'. "/opt/v/vintrale" -> {"/opt/v", "vintrale"};
// "/vintrale" -> {"", "vintrale"}, so directory + "/" + name always rebuilds the path.
ProgramLocation splitExecutablePath(std::string_view path);

// The location of the running executable, from /proc/self/exe.
ProgramLocation currentProgramLocation();

} // namespace vintrale
