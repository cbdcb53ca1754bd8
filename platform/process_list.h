#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vintrale {

// One running process: its identifier and the bare file name of its executable, as the system
// reports it (letter case kept, no folder). An empty name means the system gave none.
struct ProcessEntry {
    std::uint32_t pid = 0;
    std::string name;
};

// A snapshot of the running processes, in the order the system lists them. The name is the
// executable's file name where its link can be read, else the file name of the first word of the
// command line. Processes that end while the list is read are left out; without a readable
// process folder the list is empty. `procRoot` is the process folder, replaceable for tests.
std::vector<ProcessEntry> listProcesses(const std::string& procRoot = "/proc");

// An executable's path as read from a process's exe link, without the mark the kernel adds once
// the file was replaced or removed after the process started: the process still runs under the
// name it had.
std::string_view withoutDeletedMark(std::string_view path);

} // namespace vintrale
