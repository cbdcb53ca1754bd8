#include "platform/file_ops.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vintrale {

namespace {

// Closes the descriptor when the step is over, whichever way it ends.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

bool fillAndSync(int fd, const FileFiller& fill, mode_t mode) {
    // An explicit mode, so the umask of whoever started us does not decide who may read it.
    return fill(fd) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
}

enum class Outcome { created, failed, unsupported };

// A file opened with O_TMPFILE has no name at all until it is linked, so nothing of it can be
// left behind. Not every file system can do that, and naming it needs /proc: "unsupported" sends
// the caller to the temporary-file way.
Outcome writeThroughNamelessFile(const std::string& path, const FileFiller& fill, mode_t mode) {
    FileDescriptor file(::open(folderOf(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
    if (file.get() < 0) {
        const bool unsupported = errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL;
        return unsupported ? Outcome::unsupported : Outcome::failed;
    }
    if (!fillAndSync(file.get(), fill, mode)) {
        return Outcome::failed;
    }
    const std::string self = "/proc/self/fd/" + std::to_string(file.get());
    // linkat fails with EEXIST rather than replace an entry that appeared meanwhile.
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        return Outcome::created;
    }
    return errno == ENOENT && !entryExists(self) ? Outcome::unsupported : Outcome::failed;
}

// Gives the finished temporary file its final name without ever replacing an existing entry.
bool linkWithoutReplacing(const std::string& temporary, const std::string& path) {
    if (::link(temporary.c_str(), path.c_str()) == 0) {
        ::unlink(temporary.c_str());
        return true;
    }
    if (errno == EEXIST) {
        return false;
    }
    // Some file systems have no hard links; a rename told not to replace refuses just the same.
    return ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0;
}

} // namespace

bool writeNewFileThroughTemporaryName(const std::string& path, const FileFiller& fill,
                                      mode_t mode) {
    if (path.empty() || path.back() == '/' || entryExists(path)) {
        return false;
    }
    const std::size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string temporary = folderOf(path) + "/." + name + ".partial-XXXXXX";
    FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.get() < 0) {
        return false;
    }
    const bool written = fillAndSync(file.get(), fill, mode);
    if (!written || !linkWithoutReplacing(temporary, path)) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool entryExists(const std::string& path) {
    struct stat status {};
    // lstat: a link counts by itself, even when it points nowhere.
    return ::lstat(path.c_str(), &status) == 0;
}

bool isWholeSharedObject(const std::string& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat status {};
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    const auto size = static_cast<std::uint64_t>(status.st_size);
    ElfW(Ehdr) header{};
    if (::pread(file.get(), &header, sizeof header, 0) != static_cast<ssize_t>(sizeof header) ||
        std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
        header.e_ident[EI_CLASS] != (sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32) ||
        header.e_type != ET_DYN || header.e_phentsize != sizeof(ElfW(Phdr))) {
        return false;
    }
    const std::uint64_t tableEnd =
        std::uint64_t{header.e_phoff} + std::uint64_t{header.e_phnum} * sizeof(ElfW(Phdr));
    if (header.e_phoff == 0 || tableEnd > size) {
        return false;
    }
    for (std::uint64_t i = 0; i < header.e_phnum; ++i) {
        ElfW(Phdr) segment{};
        const auto at = static_cast<off_t>(header.e_phoff + i * sizeof segment);
        if (::pread(file.get(), &segment, sizeof segment, at) !=
            static_cast<ssize_t>(sizeof segment)) {
            return false;
        }
        // Checked as a difference, so huge values in a damaged header cannot wrap around.
        if (segment.p_type == PT_LOAD &&
            (segment.p_offset > size || segment.p_filesz > size - segment.p_offset)) {
            return false;
        }
    }
    return true;
}

bool writeAll(int fd, std::span<const std::byte> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

bool writeNewFileAtomically(const std::string& path, std::span<const std::byte> bytes,
                            mode_t mode) {
    return writeNewFileAtomically(
        path, [bytes](int fd) { return writeAll(fd, bytes); }, mode);
}

bool writeNewFileAtomically(const std::string& path, const FileFiller& fill, mode_t mode) {
    if (path.empty() || path.back() == '/' || entryExists(path)) {
        return false;
    }
    switch (writeThroughNamelessFile(path, fill, mode)) {
    case Outcome::created:
        return true;
    case Outcome::failed:
        return false;
    case Outcome::unsupported:
        break;
    }
    return writeNewFileThroughTemporaryName(path, fill, mode);
}

} // namespace vintrale
