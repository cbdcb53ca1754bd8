#include "platform/process_list.h"

#include <array>
#include <charconv>
#include <dirent.h>
#include <fstream>
#include <optional>
#include <string_view>
#include <unistd.h>

namespace vintrale {

namespace {

std::optional<std::uint32_t> processIdOf(std::string_view entryName) {
    std::uint32_t pid = 0;
    const char* end = entryName.data() + entryName.size();
    const auto [stop, error] = std::from_chars(entryName.data(), end, pid);
    if (entryName.empty() || error != std::errc{} || stop != end) {
        return std::nullopt; // "self", "sys", "1x": not a process
    }
    return pid;
}

std::string_view baseName(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::optional<std::string> readLink(const std::string& path) {
    std::array<char, 4096> target{};
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) {
        return std::nullopt;
    }
    return std::string(target.data(), static_cast<std::size_t>(length));
}

// argv[0], up to its terminating zero. An empty command line (a kernel thread, or a process
// that is ending) gives an empty name; a command line that cannot be read at all means the
// process is gone.
std::optional<std::string> firstCommandWord(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::string word;
    std::getline(file, word, '\0');
    if (file.bad()) {
        return std::nullopt;
    }
    return word;
}

// Never /proc/PID/comm: the kernel cuts it to 15 bytes, so long names would match each other.
std::optional<std::string> executableNameOf(const std::string& processFolder) {
    if (const auto exe = readLink(processFolder + "/exe")) {
        return std::string(baseName(withoutDeletedMark(*exe)));
    }
    if (const auto word = firstCommandWord(processFolder + "/cmdline")) {
        return std::string(baseName(*word));
    }
    return std::nullopt;
}

} // namespace

std::string_view withoutDeletedMark(std::string_view path) {
    constexpr std::string_view deletedMark = " (deleted)";
    if (path.ends_with(deletedMark)) {
        path.remove_suffix(deletedMark.size());
    }
    return path;
}

std::vector<ProcessEntry> listProcesses(const std::string& procRoot) {
    std::vector<ProcessEntry> processes;
    DIR* folder = ::opendir(procRoot.c_str());
    if (folder == nullptr) {
        return processes;
    }
    while (const dirent* entry = ::readdir(folder)) {
        const auto pid = processIdOf(entry->d_name);
        if (!pid) {
            continue;
        }
        if (auto name = executableNameOf(procRoot + "/" + entry->d_name)) {
            processes.push_back({*pid, std::move(*name)});
        }
    }
    ::closedir(folder);
    return processes;
}

} // namespace vintrale
