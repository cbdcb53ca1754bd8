#include "platform/file_ops.h"
#include "tests/scratch_folder.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <link.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace vintrale {
namespace {

namespace fs = std::filesystem;

std::span<const std::byte> bytesOf(const std::string& text) {
    return std::as_bytes(std::span(text.data(), text.size()));
}

std::string contentOf(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

using NewFileWriter = bool (*)(const std::string&, const FileFiller&, mode_t);

struct WriteWay {
    const char* name;
    NewFileWriter write;
};

void PrintTo(const WriteWay& way, std::ostream* out) {
    *out << way.name;
}

// Both ways of creating a file: the one every capable file system takes, and the temporary-name
// way the others fall back to.
const WriteWay writeWays[] = {
    {"Nameless",
     [](const std::string& p, const FileFiller& f, mode_t m) {
         return writeNewFileAtomically(p, f, m);
     }},
    {"TemporaryName",
     [](const std::string& p, const FileFiller& f, mode_t m) {
         return writeNewFileThroughTemporaryName(p, f, m);
     }},
};

FileFiller contentFiller(const std::string& content) {
    return [content](int fd) {
        return writeAll(fd, bytesOf(content));
    };
}

// Each case gets an empty folder of its own, removed afterwards.
class FileOps : public ::testing::Test {
protected:
    void SetUp() override { folder = freshScratchFolder(VINTRALE_SCRATCH_DIR); }
    void TearDown() override {
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder);
    }

    // Whatever the folder holds besides `except`: leftovers of a write that should have left none.
    std::vector<std::string> othersThan(const std::string& except = {}) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().filename() != except) {
                names.push_back(entry.path().filename().string());
            }
        }
        return names;
    }

    std::string target() const { return (folder / ".SkinH_EL.so").string(); }

    fs::path folder;
};

class NewFile : public FileOps, public ::testing::WithParamInterface<WriteWay> {
protected:
    bool write(const std::string& path, const FileFiller& fill) const {
        return GetParam().write(path, fill, 0644);
    }
};

INSTANTIATE_TEST_SUITE_P(Ways, NewFile, ::testing::ValuesIn(writeWays),
                         [](const auto& way) { return std::string(way.param.name); });

TEST_F(FileOps, AnyEntryOfTheNameExists) {
    EXPECT_FALSE(entryExists(target()));

    struct Case {
        const char* description;
        void (*make)(const fs::path&);
    };
    const Case cases[] = {
        {"a file",
         [](const fs::path& p) {
             std::ofstream(p) << "x";
         }},
        {"an empty file",
         [](const fs::path& p) {
             std::ofstream{p};
         }},
        {"a folder",
         [](const fs::path& p) {
             fs::create_directory(p);
         }},
        {"a link pointing nowhere",
         [](const fs::path& p) {
             fs::create_symlink("nowhere", p);
         }},
    };
    for (const Case& c : cases) {
        fs::remove_all(target());
        c.make(target());
        EXPECT_TRUE(entryExists(target())) << c.description;
    }
}

TEST_P(NewFile, IsWrittenWholeAndReadableUnderItsHiddenName) {
    const std::string content("\x7f"
                              "ELF\0 carried bytes",
                              19);
    ASSERT_TRUE(write(target(), contentFiller(content)));

    EXPECT_EQ(contentOf(target()), content);
    EXPECT_EQ(fs::path(target()).filename().string().front(), '.');
    struct stat status {};
    ASSERT_EQ(::stat(target().c_str(), &status), 0);
    EXPECT_TRUE(S_ISREG(status.st_mode));
    EXPECT_EQ(status.st_mode & 07777, 0644u);
    EXPECT_TRUE(othersThan(".SkinH_EL.so").empty());
}

TEST_P(NewFile, LeavesAnExistingEntryAlone) {
    struct Case {
        const char* description;
        void (*make)(const fs::path&);
    };
    const Case cases[] = {
        {"an older file",
         [](const fs::path& p) {
             std::ofstream(p) << "older";
         }},
        {"a folder",
         [](const fs::path& p) {
             fs::create_directory(p);
         }},
        {"a link pointing nowhere",
         [](const fs::path& p) {
             fs::create_symlink(p.parent_path() / "elsewhere", p);
         }},
    };
    for (const Case& c : cases) {
        fs::remove_all(target());
        c.make(target());
        const auto before = fs::symlink_status(target()).type();
        const std::string contentBefore = fs::is_regular_file(target()) ? contentOf(target()) : "";

        EXPECT_FALSE(write(target(), contentFiller("new content"))) << c.description;

        EXPECT_EQ(fs::symlink_status(target()).type(), before) << c.description;
        if (before == fs::file_type::regular) {
            EXPECT_EQ(contentOf(target()), contentBefore) << c.description;
        }
        EXPECT_FALSE(fs::exists(folder / "elsewhere")) << c.description;
        EXPECT_TRUE(othersThan(".SkinH_EL.so").empty()) << c.description;
    }
}

TEST_P(NewFile, AFailedWriteLeavesNothingBehind) {
    const FileFiller failsHalfway = [](int fd) {
        writeAll(fd, bytesOf("half of the libr"));
        return false;
    };
    EXPECT_FALSE(write(target(), failsHalfway));
    EXPECT_FALSE(entryExists(target()));
    EXPECT_TRUE(othersThan().empty());

    // The next start still writes the whole file.
    EXPECT_TRUE(write(target(), contentFiller("the whole library")));
    EXPECT_EQ(contentOf(target()), "the whole library");
}

TEST_P(NewFile, AWriteCutShortByTheProcessEndingLeavesNoFileOfThatName) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string path = target();
    EXPECT_EXIT(
        {
            write(path, [](int fd) {
                writeAll(fd, bytesOf("half of the libr"));
                ::_exit(7);
                return true;
            });
        },
        ::testing::ExitedWithCode(7), "");
    EXPECT_FALSE(entryExists(path));
}

TEST_P(NewFile, AReadOnlyFolderIsAQuietFailure) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the superuser";
    }
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(write(target(), contentFiller("content")));
    EXPECT_FALSE(entryExists(target()));
}

TEST_P(NewFile, AMissingFolderIsAQuietFailure) {
    const std::string path = (folder / "gone" / ".SkinH_EL.so").string();
    EXPECT_FALSE(write(path, contentFiller("content")));
    EXPECT_FALSE(entryExists(path));
}

// Where the last part that the loader maps ends; debug sections may follow it.
std::size_t loadedEnd(const std::string& image) {
    ElfW(Ehdr) header{};
    std::memcpy(&header, image.data(), sizeof header);
    std::size_t end = 0;
    for (std::size_t i = 0; i < header.e_phnum; ++i) {
        ElfW(Phdr) segment{};
        std::memcpy(&segment, image.data() + header.e_phoff + i * sizeof segment, sizeof segment);
        if (segment.p_type == PT_LOAD) {
            end = std::max<std::size_t>(end, segment.p_offset + segment.p_filesz);
        }
    }
    return end;
}

TEST_F(FileOps, OnlyAWholeSharedObjectPassesForLoadable) {
    const std::string engine = contentOf(VINTRALE_SHARED_OBJECT);
    ASSERT_GT(engine.size(), 8192u);
    const auto write = [this](const std::string& name, const std::string& content) {
        std::ofstream(folder / name, std::ios::binary) << content;
        return (folder / name).string();
    };
    EXPECT_TRUE(isWholeSharedObject(write("whole.so", engine)));
    EXPECT_TRUE(isWholeSharedObject(write("with-more.so", engine + "trailing bytes")));

    struct Case {
        const char* description;
        std::string content;
    };
    const Case cases[] = {
        {"empty", ""},
        {"text", "not a library at all, though long enough to hold an ELF header .........."},
        {"header only", engine.substr(0, 64)},
        {"cut inside the program headers", engine.substr(0, 100)},
        {"cut after the first page", engine.substr(0, 4096)},
        {"one byte short of its loaded part", engine.substr(0, loadedEnd(engine) - 1)},
        {"a static archive", "!<arch>\n" + engine.substr(8)},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(isWholeSharedObject(write("damaged.so", c.content))) << c.description;
    }
    fs::create_directory(folder / "folder.so");
    EXPECT_FALSE(isWholeSharedObject((folder / "folder.so").string()));
    EXPECT_FALSE(isWholeSharedObject((folder / "missing.so").string()));
}

} // namespace
} // namespace vintrale
