#include "app/skin.h"
#include "platform/message_box.h"
#include "tests/scratch_folder.h"

#include <QApplication>
#include <algorithm>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace vintrale {
namespace {

namespace fs = std::filesystem;

QByteArray contentOf(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void writeFile(const fs::path& path, const QByteArray& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.constData(), bytes.size());
}

// A program folder of its own for each case; no style sheet before or after.
class ApplySkin : public ::testing::Test {
protected:
    void SetUp() override {
        qApp->setStyleSheet(QString());
        folder = freshScratchFolder(VINTRALE_SCRATCH_DIR);
    }
    void TearDown() override {
        library.unload();
        qApp->setStyleSheet(QString());
        fs::remove_all(folder);
    }

    fs::path enginePath() const { return folder / ".SkinH_EL.so"; }
    QString carriedSheet() const { return QString::fromUtf8(skinData().mid(5)); }

    fs::path folder;
    SkinLibrary library;
};

TEST_F(ApplySkin, CarriesTheEngineAsBuiltAndItsSkin) {
    std::ifstream built(VINTRALE_SKIN_ENGINE, std::ios::binary);
    const std::string engine{std::istreambuf_iterator<char>(built), {}};
    EXPECT_EQ(skinLibraryBytes(), QByteArray(engine.data(), static_cast<qsizetype>(engine.size())));
    EXPECT_TRUE(skinData().startsWith(QByteArray(".SHE\0", 5)));
}

TEST_F(ApplySkin, FormsTheEnginePathWithOneSeparator) {
    EXPECT_EQ(skinLibraryPath("/opt/vintrale"), "/opt/vintrale/.SkinH_EL.so");
    EXPECT_EQ(skinLibraryPath(""), "/.SkinH_EL.so"); // an executable in the root folder
}

TEST_F(ApplySkin, AFirstStartWritesTheHiddenEngineThenAttachesTheSkin) {
    applySkin(folder.string(), library);

    EXPECT_EQ(contentOf(enginePath()), skinLibraryBytes());
    struct stat status {};
    ASSERT_EQ(::stat(enginePath().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0644u);
    EXPECT_TRUE(library.isBound());
    EXPECT_EQ(qApp->styleSheet(), carriedSheet());
}

TEST_F(ApplySkin, ALaterStartUsesThePresentEngineAndLeavesItUntouched) {
    // An engine of the right name but other bytes (an older build, say) is used as it is.
    const QByteArray altered = skinLibraryBytes() + QByteArray("older build");
    writeFile(enginePath(), altered);
    const auto written = fs::last_write_time(enginePath()) - std::chrono::hours(24);
    fs::last_write_time(enginePath(), written);
    struct stat before {};
    ASSERT_EQ(::stat(enginePath().c_str(), &before), 0);

    applySkin(folder.string(), library);

    struct stat after {};
    ASSERT_EQ(::stat(enginePath().c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(fs::last_write_time(enginePath()), written);
    EXPECT_EQ(contentOf(enginePath()), altered);
    EXPECT_TRUE(library.isBound());
    EXPECT_EQ(qApp->styleSheet(), carriedSheet());
}

TEST_F(ApplySkin, AnUnwritableFolderIsNoErrorWhenTheEngineIsFoundElsewhere) {
    // The folder does not exist, so nothing can be written; the engine already loaded under its
    // name stands in for one found by the dynamic linker's search.
    void* loaded = ::dlopen(VINTRALE_SKIN_ENGINE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(loaded, nullptr);
    const fs::path missing = folder / "not-there";

    applySkin(missing.string(), library);

    EXPECT_FALSE(fs::exists(missing));
    EXPECT_TRUE(library.isBound());
    EXPECT_EQ(qApp->styleSheet(), carriedSheet());
    library.unload();
    ::dlclose(loaded);
}

// A start whose engine cannot be bound stops with the error box, status 255 and nothing else.
class ApplySkinFails : public ApplySkin, public ::testing::WithParamInterface<const char*> {};

TEST_P(ApplySkinFails, WithTheErrorNamingTheEngineAndItsFunction) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string entry = GetParam();
    if (entry == "folder") {
        fs::create_directory(enginePath());
    } else if (entry == "damaged file") {
        writeFile(enginePath(), skinLibraryBytes().left(4096));
    } else if (entry == "library without the function") {
        fs::copy_file(VINTRALE_NOT_AN_ENGINE, enginePath());
    }
    const std::string directory = folder.string();
    EXPECT_EXIT(
        {
            if (::dlopen(".SkinH_EL.so", RTLD_NOW) != nullptr) {
                std::cerr << "an engine is installed where the search finds it";
                std::_Exit(0);
            }
            setMessageBoxScript([](const MessageBoxRequest& request) {
                std::cerr << request.caption.toStdString() << ": " << request.text.toStdString()
                          << " style " << static_cast<int>(request.style) << '\n';
                return MessageAnswer::ok;
            });
            applySkin(directory, library);
            std::cerr << "the start went on";
        },
        ::testing::ExitedWithCode(255), "错误: .*\\.SkinH_EL\\.so.*SkinH_AttachRes.* style 16");
    EXPECT_EQ(fs::is_directory(enginePath()), entry == "folder") << "left as it was";
}

INSTANTIATE_TEST_SUITE_P(Entries, ApplySkinFails,
                         ::testing::Values("folder", "damaged file",
                                           "library without the function"),
                         [](const auto& entry) {
                             std::string name = entry.param;
                             std::erase(name, ' ');
                             return name;
                         });

} // namespace
} // namespace vintrale
