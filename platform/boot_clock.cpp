#include "platform/boot_clock.h"

#include <ctime>

namespace vintrale {

namespace {

std::int64_t nanosecondsOf(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

// How many readings share one measured gap between the two clocks.
constexpr unsigned readingsPerGap = 32;

// The clock is read seven times per ticket, ten times a second for every ticket in the box, so
// its cost is most of the draw's. A precise CLOCK_BOOTTIME reading costs about 25 ns here; the
// coarse monotonic clock about 3 ns, at the resolution of the kernel's tick (a few ms, finer than
// the 10 to 16 ms that tick counters of this kind have always had).
//
// The coarse clock stops during suspend, the boot clock does not; they differ by the time spent
// suspended, which changes only across a suspend. That gap is measured afresh every 32 readings,
// so after a resume at most 31 readings, all within the same few microseconds of running time,
// still miss the time spent asleep. Read on the GUI thread only, like every other caller of the
// random source.
std::int64_t suspendedGap = 0;
unsigned readingsLeft = 0;

} // namespace

std::uint32_t millisecondsSinceBoot() {
    if (readingsLeft == 0) {
        suspendedGap = nanosecondsOf(CLOCK_BOOTTIME) - nanosecondsOf(CLOCK_MONOTONIC);
        readingsLeft = readingsPerGap;
    }
    --readingsLeft;
    const std::int64_t ns = nanosecondsOf(CLOCK_MONOTONIC_COARSE) + suspendedGap;
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ns / 1'000'000));
}

} // namespace vintrale
