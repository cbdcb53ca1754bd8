#include "app/instance_guard.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vintrale {
namespace {

constexpr std::uint32_t ownPid = 4242;

struct GuardCase {
    const char* description;
    std::string ownName;
    std::vector<ProcessEntry> processes;
    bool expected;
};

void PrintTo(const GuardCase& c, std::ostream* out) {
    *out << c.description;
}

class InstanceGuard : public ::testing::TestWithParam<GuardCase> {};

TEST_P(InstanceGuard, AnswersFromNameAndIdentifierAlone) {
    const GuardCase& c = GetParam();
    EXPECT_EQ(anotherInstanceRunning(c.processes, c.ownName, ownPid), c.expected) << c.description;
}

const std::vector<ProcessEntry> desktop{
    {1, "systemd"},
    {2, ""},
    {310, "Xorg"},
    {777, "bash"},
};

std::vector<ProcessEntry> with(std::vector<ProcessEntry> base,
                               std::initializer_list<ProcessEntry> more) {
    base.insert(base.end(), more);
    return base;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InstanceGuard,
    ::testing::Values(
        GuardCase{"empty list", "vintrale", {}, false},
        GuardCase{"only our own entry", "vintrale", with(desktop, {{ownPid, "vintrale"}}), false},
        GuardCase{"another process of our name", "vintrale",
                  with(desktop, {{ownPid, "vintrale"}, {900, "vintrale"}}), true},
        GuardCase{"another one listed before ours", "vintrale",
                  with(desktop, {{17, "vintrale"}, {ownPid, "vintrale"}}), true},
        GuardCase{"the other one even when ours is missing", "vintrale",
                  with(desktop, {{900, "vintrale"}}), true},
        GuardCase{"same name in another letter case", "vintrale",
                  with(desktop, {{ownPid, "vintrale"}, {900, "Vintrale"}}), false},
        GuardCase{"a name that only starts like ours", "vintrale",
                  with(desktop, {{900, "vintrale-2"}, {901, "vintral"}}), false},
        GuardCase{"a long name equal beyond fifteen bytes", "vintrale-copy-number-two",
                  with(desktop, {{900, "vintrale-copy-number-one"}}), false},
        GuardCase{"a long name equal to ours", "vintrale-copy-number-two",
                  with(desktop, {{900, "vintrale-copy-number-two"}}), true},
        GuardCase{"a Chinese name, byte for byte", "双色球算号",
                  with(desktop, {{ownPid, "双色球算号"}, {900, "双色球算号"}}), true},
        GuardCase{"no own name never matches the nameless kernel threads", "",
                  with(desktop, {{3, ""}, {ownPid, ""}}), false}));

} // namespace
} // namespace vintrale
