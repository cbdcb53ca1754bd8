#include "app/instance_guard.h"

#include "core/text_rules.h"

#include <algorithm>
#include <unistd.h>

namespace vintrale {

bool anotherInstanceRunning(std::span<const ProcessEntry> processes, std::string_view ownName,
                            std::uint32_t ownPid) {
    // Without a name of our own there is nothing to recognise an instance by; matching it
    // against the nameless kernel threads would refuse every start.
    if (ownName.empty()) {
        return false;
    }
    return std::any_of(processes.begin(), processes.end(), [&](const ProcessEntry& process) {
        return compareText(ownName, process.name) == 0 && process.pid != ownPid;
    });
}

bool anotherInstanceRunning(std::string_view ownName) {
    const std::vector<ProcessEntry> processes = listProcesses();
    return anotherInstanceRunning(processes, ownName, static_cast<std::uint32_t>(::getpid()));
}

} // namespace vintrale
