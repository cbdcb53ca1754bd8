#pragma once

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace vintrale {

// An empty folder named after the running test, under the given scratch root. The name is the
// same in the child process of a death test, which sets up the same case again.
inline std::filesystem::path freshScratchFolder(const std::filesystem::path& root) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "." + test->name();
    std::replace(name.begin(), name.end(), '/', '_');
    const std::filesystem::path folder = root / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

} // namespace vintrale
