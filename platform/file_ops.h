#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <sys/types.h>

namespace vintrale {

// True when the folder holds an entry of that name, whatever it is: a file, a folder, or a link,
// even a link that points nowhere. Only the name is looked at, never the content.
bool entryExists(const std::string& path);

// Writes the whole content into an open, empty file; false when it could not be written in full.
using FileFiller = std::function<bool(int fd)>;

// Creates the file `path` with the given content, unless an entry of that name exists already.
// The content goes into a nameless (or temporary) file in the same folder first and gets its
// final name only once it is complete and on disk, by a step that never replaces an existing
// entry. So a write cut short, even by a crash, never leaves a partial file under that name.
// Returns true when this call created the file.
bool writeNewFileAtomically(const std::string& path, std::span<const std::byte> bytes,
                            mode_t mode = 0644);
bool writeNewFileAtomically(const std::string& path, const FileFiller& fill, mode_t mode = 0644);

// The way writeNewFileAtomically takes where the file system has no nameless files: a temporary
// file of a dot-name in the same folder, linked (or renamed without replacing) to the final
// name and removed on failure. A crash while it is written can leave only that temporary file.
bool writeNewFileThroughTemporaryName(const std::string& path, const FileFiller& fill,
                                      mode_t mode = 0644);

// True when the file is an ELF shared object for this process's word size whose loadable parts
// all lie inside the file. The dynamic loader maps a cut-short library without complaint and
// the process then dies of SIGBUS on touching the missing part; this test lets the caller treat
// such a file as one that cannot be loaded.
bool isWholeSharedObject(const std::string& path);

// Writes all bytes to fd, retrying short writes and interruptions.
bool writeAll(int fd, std::span<const std::byte> bytes);

} // namespace vintrale
