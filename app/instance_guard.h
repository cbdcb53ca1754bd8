#pragma once

#include "platform/process_list.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace vintrale {

// True when the process list holds a process under exactly our executable file name, byte for
// byte and letter case included, whose identifier is not ours. Only the name counts: a copy in
// another folder is another instance, a copy under another name is not. An empty own name
// (the executable could not be found) matches nothing.
bool anotherInstanceRunning(std::span<const ProcessEntry> processes, std::string_view ownName,
                            std::uint32_t ownPid);

// The same question asked of a fresh snapshot of the running processes, for this process.
bool anotherInstanceRunning(std::string_view ownName);

} // namespace vintrale
