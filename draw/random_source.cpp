#include "draw/random_source.h"

#include "platform/boot_clock.h"

namespace vintrale {

namespace {

std::uint32_t bootClock(void*) {
    return millisecondsSinceBoot();
}

} // namespace

RandomSource::RandomSource() : RandomSource(&bootClock, nullptr) {}

RandomSource::RandomSource(Clock clock, void* context) : clock_(clock), context_(context) {}

} // namespace vintrale
