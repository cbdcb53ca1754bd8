#include "platform/boot_clock.h"

#include <ctime>

namespace vintrale {

std::uint32_t millisecondsSinceBoot() {
    timespec now{};
    // CLOCK_BOOTTIME keeps counting through suspend, like an uptime counter should.
    clock_gettime(CLOCK_BOOTTIME, &now);
    const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                    static_cast<std::uint64_t>(now.tv_nsec) / 1'000'000u;
    return static_cast<std::uint32_t>(ms);
}

} // namespace vintrale
