#include "draw/ticket_draw.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>

namespace vintrale {
namespace {

struct FixedClock {
    std::uint32_t now = 0;
    static std::uint32_t read(void* context) { return static_cast<FixedClock*>(context)->now; }
};

struct CountingClock {
    std::uint32_t now = 0;
    static std::uint32_t read(void* context) { return static_cast<CountingClock*>(context)->now++; }
};

std::string line(const RedPart& red, const BluePart& blue) {
    return std::string(red.textView()) + std::string(blue.textView());
}

TEST(TicketDraw, ReplaysTheKnownTicketsUnderAStandingClock) {
    struct Expected {
        std::array<std::int32_t, 6> red;
        std::int32_t blue;
        const char* line;
        std::uint32_t offsetAfterRed;
        std::uint32_t offsetAfterBlue;
    };
    const Expected tickets[] = {
        {{5, 6, 11, 13, 20, 31}, 8, "05 06 11 13 20 31 +08\r\n", 1460u, 1716u},
        {{9, 13, 15, 16, 18, 31}, 4, "09 13 15 16 18 31 +04\r\n", 3252u, 3508u},
        {{2, 9, 10, 13, 16, 21}, 16, "02 09 10 13 16 21 +16\r\n", 5044u, 5300u},
    };
    FixedClock clock{1000};
    RandomSource random(&FixedClock::read, &clock);
    int number = 0;
    for (const Expected& expected : tickets) {
        ++number;
        const RedPart red = drawRedPart(random);
        EXPECT_EQ(random.seedOffset(), expected.offsetAfterRed) << "ticket " << number;
        const BluePart blue = drawBlueNumber(random);
        EXPECT_EQ(red.numbers, expected.red) << "ticket " << number;
        EXPECT_EQ(blue.number, expected.blue) << "ticket " << number;
        EXPECT_EQ(line(red, blue), expected.line) << "ticket " << number;
        EXPECT_EQ(random.seedOffset(), expected.offsetAfterBlue) << "ticket " << number;
    }
}

TEST(TicketDraw, ReseedsBeforeEveryNumberRedFirstThenBlue) {
    CountingClock clock;
    RandomSource random(&CountingClock::read, &clock);
    drawRedPart(random);
    EXPECT_EQ(clock.now, 6u);
    drawBlueNumber(random);
    EXPECT_EQ(clock.now, 7u);
}

TEST(TicketDraw, BlueNumberDependsOnlyOnItsOwnReseed) {
    // Seeded with 2460 the first raw value is 8071, so the blue number is 1 + 8071 % 16.
    FixedClock clock{2460};
    RandomSource random(&FixedClock::read, &clock);
    random.setState(12345u); // whatever came before must not matter
    const BluePart blue = drawBlueNumber(random);
    EXPECT_EQ(blue.number, 8);
    EXPECT_EQ(std::string(blue.textView()), "+08\r\n");
}

TEST(TicketDraw, EveryTicketHasSixDistinctAscendingRedsAndABlueInRange) {
    CountingClock clock{0xFFFFF000u}; // runs across the clock's wrap-around as well
    RandomSource random(&CountingClock::read, &clock);
    std::array<bool, 34> redSeen{};
    std::array<bool, 17> blueSeen{};
    for (int ticket = 0; ticket < 20000; ++ticket) {
        const RedPart red = drawRedPart(random);
        const BluePart blue = drawBlueNumber(random);
        for (std::size_t i = 0; i < red.numbers.size(); ++i) {
            const std::int32_t n = red.numbers[i];
            ASSERT_GE(n, 1);
            ASSERT_LE(n, 33);
            if (i > 0) {
                ASSERT_LT(red.numbers[i - 1], n) << "ticket " << ticket;
            }
            redSeen[static_cast<std::size_t>(n)] = true;
        }
        ASSERT_GE(blue.number, 1);
        ASSERT_LE(blue.number, 16);
        blueSeen[static_cast<std::size_t>(blue.number)] = true;

        // The text says exactly what the numbers are.
        // Built by appending only: GCC 12 misreads prepending to a std::string as an overlapping
        // copy.
        const auto padded = [](std::int32_t n) {
            std::string text(n < 10 ? 1 : 0, '0');
            text += std::to_string(n);
            return text;
        };
        std::string expected;
        for (std::int32_t n : red.numbers) {
            expected += padded(n);
            expected += ' ';
        }
        expected += '+';
        expected += padded(blue.number);
        expected += "\r\n";
        ASSERT_EQ(line(red, blue), expected) << "ticket " << ticket;
    }
    // Every number can come out, the pool's last members and the blue 16 included.
    EXPECT_TRUE(std::all_of(redSeen.begin() + 1, redSeen.end(), [](bool seen) { return seen; }));
    EXPECT_TRUE(std::all_of(blueSeen.begin() + 1, blueSeen.end(), [](bool seen) { return seen; }));
}

} // namespace
} // namespace vintrale
