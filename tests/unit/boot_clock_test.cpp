#include "platform/boot_clock.h"

#include <ctime>
#include <gtest/gtest.h>

namespace vintrale {
namespace {

std::uint32_t bootClockMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                                      static_cast<std::uint64_t>(now.tv_nsec) / 1'000'000u);
}

// The reading is cheaper than the boot clock, but must still tell the same time: never ahead
// of it, and behind it by no more than a few of the coarse clock's steps. The coarse clock
// advances on the kernel's tick, and a tickless kernel lets it fall two or more steps behind
// (8 ms seen on a 4 ms clock), so the bound allows for that, still far below any mistake of
// unit or source. Enough readings to pass several re-measurements of the gap between the clocks.
TEST(BootClock, TellsTheBootClocksTimeToWithinItsResolution) {
    timespec resolution{};
    clock_getres(CLOCK_MONOTONIC_COARSE, &resolution);
    const auto step =
        static_cast<std::uint32_t>(resolution.tv_nsec / 1'000'000 + resolution.tv_sec * 1000);
    const std::uint32_t behindAtMost = 4 * step + 10;
    for (int i = 0; i < 200; ++i) {
        const std::uint32_t before = bootClockMilliseconds();
        const std::uint32_t reading = millisecondsSinceBoot();
        const std::uint32_t after = bootClockMilliseconds();
        // Unsigned differences, so a wrap of the 32-bit count between the reads is no failure.
        EXPECT_LE(static_cast<std::uint32_t>(reading - (before - behindAtMost)),
                  static_cast<std::uint32_t>(after - before) + behindAtMost)
            << "reading " << reading << " between " << before << " and " << after;
    }
}

} // namespace
} // namespace vintrale
