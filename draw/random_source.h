#pragma once

#include <cstdint>

namespace vintrale {

// The one source of lottery numbers: a linear congruential generator reseeded from the
// millisecond clock before every number drawn. For the same clock readings it gives the same
// numbers, so draws can be replayed exactly.
//
// The clock is a plain function pointer with a context rather than a std::function: it is read
// seven times per ticket, and a ticket must stay far below a microsecond.
class RandomSource {
public:
    using Clock = std::uint32_t (*)(void* context);

    // The production source: milliseconds since boot.
    RandomSource();
    // Any other clock, for replaying draws; context is handed to every call.
    RandomSource(Clock clock, void* context);

    // Seeds from the clock plus seedOffset, then moves seedOffset on by 100 to 355, so reseeds
    // within the same millisecond still differ. seedOffset is never reset.
    void reseedFromClock() {
        const std::uint32_t seed = clock_(context_) + seedOffset_;
        seedOffset_ += (seed & 255u) + 100u;
        state_ = seed;
    }

    // A number between the bounds, both included, given in either order; a negative bound counts
    // as 0. Steps the generator once, or not at all when the bounds are equal. Only the lowest
    // 32768 values of a wider range can come out.
    std::int32_t randomInRange(std::int32_t lo, std::int32_t hi) {
        const std::int32_t a0 = lo < 0 ? 0 : lo;
        const std::int32_t b0 = hi < 0 ? 0 : hi;
        const std::int32_t a = a0 < b0 ? a0 : b0;
        const std::int32_t b = a0 < b0 ? b0 : a0;
        if (a == b) {
            return a;
        }
        // Both bounds are non-negative here, so span + 1 is at most 2^31 and fits. A raw value
        // below 32768 is its own remainder for any wider span, so the widest span needs no
        // trimming to give the same numbers.
        const std::uint32_t span = static_cast<std::uint32_t>(b) - static_cast<std::uint32_t>(a);
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + nextRaw() % (span + 1u));
    }

    // One generator step: bits 16 to 30 of the new state, 0 to 32767.
    std::uint32_t nextRaw() {
        state_ = state_ * 214013u + 2531011u;
        return (state_ >> 16) & 0x7FFFu;
    }

    std::uint32_t seedOffset() const { return seedOffset_; }
    std::uint32_t state() const { return state_; }

    // For replaying a known situation: a saved generator state or offset.
    void setState(std::uint32_t state) { state_ = state; }
    void setSeedOffset(std::uint32_t offset) { seedOffset_ = offset; }

private:
    Clock clock_;
    void* context_;
    std::uint32_t state_ = 1; // never shows: every draw follows a reseed
    std::uint32_t seedOffset_ = 0;
};

} // namespace vintrale
