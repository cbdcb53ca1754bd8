#include "draw/random_source.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

namespace vintrale {
namespace {

// A clock that stands still at whatever the test puts in `now`.
struct FixedClock {
    std::uint32_t now = 0;
    static std::uint32_t read(void* context) { return static_cast<FixedClock*>(context)->now; }
};

constexpr std::int32_t int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t int32Min = std::numeric_limits<std::int32_t>::min();

TEST(GeneratorStep, GivesBits16To30OfTheNewState) {
    struct Case {
        std::uint32_t state;
        std::uint32_t raw;
        std::uint32_t nextState;
    };
    const Case cases[] = {
        {1u, 41u, 2745024u},
        {0u, 38u, 2531011u},
        // Bit 31 of the new state must not leak into the raw value.
        {1880880705u, 32767u, 4294901760u},
    };
    for (const Case& c : cases) {
        FixedClock clock;
        RandomSource random(&FixedClock::read, &clock);
        random.setState(c.state);
        EXPECT_EQ(random.nextRaw(), c.raw) << c.state;
        EXPECT_EQ(random.state(), c.nextState) << c.state;
    }
}

TEST(ReseedFromClock, SeedsWithClockPlusOffsetAndMovesTheOffsetOn) {
    FixedClock clock{1000};
    RandomSource random(&FixedClock::read, &clock);
    EXPECT_EQ(random.seedOffset(), 0u);

    random.reseedFromClock();
    EXPECT_EQ(random.state(), 1000u);
    EXPECT_EQ(random.seedOffset(), 332u);

    // Same millisecond, different seed.
    random.reseedFromClock();
    EXPECT_EQ(random.state(), 1332u);
    EXPECT_EQ(random.seedOffset(), 484u);
}

TEST(ReseedFromClock, WrapsSeedAndOffsetAroundTwoToThe32) {
    struct Case {
        std::uint32_t offset;
        std::uint32_t clock;
        std::uint32_t seed;
        std::uint32_t offsetAfter;
    };
    const Case cases[] = {
        {4294967200u, 1000u, 904u, 140u},
        // The clock itself wraps after 49.7 days.
        {0u, 0xFFFFFFFFu, 0xFFFFFFFFu, 355u},
        {100u, 0xFFFFFFF0u, 84u, 284u},
    };
    for (const Case& c : cases) {
        FixedClock clock{c.clock};
        RandomSource random(&FixedClock::read, &clock);
        random.setSeedOffset(c.offset);
        random.reseedFromClock();
        EXPECT_EQ(random.state(), c.seed) << c.offset << " + " << c.clock;
        EXPECT_EQ(random.seedOffset(), c.offsetAfter) << c.offset << " + " << c.clock;
    }
}

TEST(ReseedFromClock, ReadsTheClockOnceAndIsTheOnlyThingThatMovesTheOffset) {
    struct CountingClock {
        std::uint32_t reads = 0;
        static std::uint32_t read(void* context) {
            return ++static_cast<CountingClock*>(context)->reads;
        }
    } clock;
    RandomSource random(&CountingClock::read, &clock);
    random.reseedFromClock();
    EXPECT_EQ(clock.reads, 1u);
    const std::uint32_t offset = random.seedOffset();
    random.randomInRange(1, 33);
    random.nextRaw();
    EXPECT_EQ(clock.reads, 1u);
    EXPECT_EQ(random.seedOffset(), offset);
}

TEST(RandomInRange, FollowsTheBoundRules) {
    struct Case {
        const char* what;
        std::uint32_t state;
        std::int32_t lo;
        std::int32_t hi;
        std::int32_t result;
        bool steps;
    };
    const Case cases[] = {
        {"red first step", 1u, 1, 33, 9, true},
        {"blue", 1u, 1, 16, 10, true},
        {"equal bounds", 1u, 1, 1, 1, false},
        {"equal after clamping", 1u, -5, 0, 0, false},
        {"both negative", 1u, -7, -1, 0, false},
        {"ordered", 20u, 2, 5, 5, true},
        {"reversed", 20u, 5, 2, 5, true},
        {"negative low counts as 0", 20u, -5, 3, 3, true},
        {"same as from 0", 20u, 0, 3, 3, true},
        {"negative high counts as 0", 20u, 3, -5, 3, true},
        {"widest span", 1u, 0, int32Max, 41, true},
        {"widest span reversed", 1u, int32Max, 0, 41, true},
        {"whole int range", 5u, int32Min, int32Max, 54, true},
        {"only the low 32768 values", 1u, 0, 100000, 41, true},
        {"high low bound", 99u, 1, int32Max, 362, true},
    };
    for (const Case& c : cases) {
        FixedClock clock;
        RandomSource random(&FixedClock::read, &clock);
        random.setState(c.state);
        EXPECT_EQ(random.randomInRange(c.lo, c.hi), c.result) << c.what;
        RandomSource reference(&FixedClock::read, &clock);
        reference.setState(c.state);
        if (c.steps) {
            reference.nextRaw();
        }
        EXPECT_EQ(random.state(), reference.state()) << c.what;
    }
}

TEST(RandomInRange, StaysWithinTheBoundsForEveryStartingState) {
    struct Bounds {
        std::int32_t lo;
        std::int32_t hi;
    };
    const Bounds ranges[] = {{1, 33}, {1, 28}, {1, 16}, {0, int32Max}, {int32Max - 3, int32Max}};
    FixedClock clock;
    RandomSource random(&FixedClock::read, &clock);
    for (const Bounds& range : ranges) {
        for (std::uint32_t state = 0; state < 70000u; state += 7u) {
            random.setState(state * 2654435761u);
            const std::int32_t value = random.randomInRange(range.lo, range.hi);
            ASSERT_GE(value, range.lo) << range.lo << ".." << range.hi;
            ASSERT_LE(value, range.hi) << range.lo << ".." << range.hi;
        }
    }
}

TEST(RandomSource, ProductionClockSeedsFromTheBootClock) {
    RandomSource random;
    random.reseedFromClock();
    // The offset moved by 100..355 from 0, and the seed lies where the offset says it does.
    EXPECT_GE(random.seedOffset(), 100u);
    EXPECT_LE(random.seedOffset(), 355u);
    EXPECT_EQ((random.state() & 255u) + 100u, random.seedOffset());
}

} // namespace
} // namespace vintrale
