#include "platform/process_list.h"
#include "platform/program_location.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace vintrale {
namespace {

namespace fs = std::filesystem;

TEST(ProcessList, FindsThisProcessUnderItsExecutableName) {
    const std::string ownName = currentProgramLocation().executableName;
    ASSERT_FALSE(ownName.empty());
    const auto processes = listProcesses();
    const auto self = std::find_if(processes.begin(), processes.end(), [](const ProcessEntry& p) {
        return p.pid == static_cast<std::uint32_t>(::getpid());
    });
    ASSERT_NE(self, processes.end());
    EXPECT_EQ(self->name, ownName);
}

TEST(ProcessList, IsEmptyWithoutAProcessFolder) {
    EXPECT_TRUE(listProcesses("/nonexistent/proc").empty());
}

// A made-up process folder: one entry per case, written as the kernel would show it.
class FakeProcessFolder : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("vintrale-proc-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path process(const std::string& entry) {
        const fs::path folder = root / entry;
        fs::create_directories(folder);
        return folder;
    }
    static void writeCommandLine(const fs::path& folder, const std::string& bytes) {
        std::ofstream(folder / "cmdline", std::ios::binary) << bytes;
    }
    std::string nameOf(std::uint32_t pid) const {
        for (const ProcessEntry& p : listProcesses(root.string())) {
            if (p.pid == pid) {
                return p.name;
            }
        }
        return "<absent>";
    }

    fs::path root;
};

TEST_F(FakeProcessFolder, NamesComeFromTheExecutableLinkElseTheCommandLine) {
    struct Case {
        std::uint32_t pid;
        const char* exeLink; // nullptr: the link cannot be read
        std::string commandLine;
        std::string expected;
    };
    const Case cases[] = {
        {10, "/usr/bin/vintrale", std::string("renamed\0arg\0", 12), "vintrale"},
        {11, "/opt/x/a-rather-long-executable-name", "", "a-rather-long-executable-name"},
        {12, "/opt/x/vintrale (deleted)", "", "vintrale"},
        {13, "/opt/x/Vintrale", "", "Vintrale"},
        {14, nullptr, std::string("/home/p/bin/vintrale\0--flag\0", 28), "vintrale"},
        {15, nullptr, std::string("vintrale\0", 9), "vintrale"},
        {16, nullptr, "", ""}, // a kernel thread: no executable, empty command line
    };
    for (const Case& c : cases) {
        const fs::path folder = process(std::to_string(c.pid));
        if (c.exeLink != nullptr) {
            fs::create_symlink(c.exeLink, folder / "exe");
        }
        writeCommandLine(folder, c.commandLine);
    }
    for (const Case& c : cases) {
        EXPECT_EQ(nameOf(c.pid), c.expected) << "pid " << c.pid;
    }
}

TEST_F(FakeProcessFolder, SkipsWhatIsNoProcessAndWhatVanished) {
    writeCommandLine(process("20"), std::string("vintrale\0", 9));
    writeCommandLine(process("self"), std::string("vintrale\0", 9));
    writeCommandLine(process("21x"), std::string("vintrale\0", 9));
    writeCommandLine(process("99999999999"), std::string("vintrale\0", 9)); // beyond 32 bits
    process("22"); // ended while listed: neither exe nor cmdline left
    const auto processes = listProcesses(root.string());
    ASSERT_EQ(processes.size(), 1u);
    EXPECT_EQ(processes.front().pid, 20u);
    EXPECT_EQ(processes.front().name, "vintrale");
}

} // namespace
} // namespace vintrale
