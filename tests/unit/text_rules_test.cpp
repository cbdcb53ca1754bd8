#include "core/text_rules.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <string_view>

namespace vintrale {
namespace {

struct CompareCase {
    std::string_view a;
    std::string_view b;
    int expected;
};

TEST(CompareText, OrdersByUnsignedBytesWithCaseAndLength) {
    const CompareCase cases[] = {
        {"", "", 0},
        {{}, "", 0}, // an absent text is the empty text
        {"vintrale", "vintrale", 0},
        {"Vintrale", "vintrale", -1}, // 'V' (0x56) sorts before 'v' (0x76)
        {"vintrale", "Vintrale", 1},
        {"abc", "abcd", -1},
        {"abcd", "abc", 1},
        {"", "a", -1},
        {"a", "", 1},
        {"\x7f", "\x80", -1}, // unsigned: a high byte sorts after ASCII
        {"宋体", "宋体", 0},
        {"宋体", "宋", 1},
    };
    for (const CompareCase& c : cases) {
        EXPECT_EQ(compareText(c.a, c.b), c.expected) << '"' << c.a << "\" vs \"" << c.b << '"';
    }
}

struct IntegerCase {
    std::string_view text;
    std::int32_t expected;
};

TEST(TextToInteger, ReadsWhatPlayersType) {
    constexpr auto max = std::numeric_limits<std::int32_t>::max();
    constexpr auto min = std::numeric_limits<std::int32_t>::min();
    const IntegerCase cases[] = {
        {"5", 5},
        {"", 0},
        {"abc", 0},
        {"0", 0},
        {"-3", -3},
        {"+2", 2},
        {" 7x", 7},
        {"12 3", 12},
        {"\t\n\v\f\r 42", 42},
        {"--4", 0}, // one sign only
        {"- 4", 0}, // no blank between sign and digits
        {"4-2", 4},
        {"５", 5}, // full-width digit
        {"１２", 12},
        {"　7x", 7}, // ideographic space skipped like a blank
        {"＋８", 8},
        {"－９", -9},
        {"-０１", -1},
        {"五", 0}, // a Chinese numeral is no digit
        {"٣", 0},  // nor is an Arabic-Indic digit
        {"2147483647", max},
        {"-2147483648", min},
        {"2147483648", max}, // beyond 32 bits: saturate, never wrap
        {"99999999999999999999", max},
        {"-99999999999999999999", min},
        {std::string_view("1\0"
                          "2",
                          3),
         1},
    };
    for (const IntegerCase& c : cases) {
        EXPECT_EQ(textToInteger(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(TwoDigitText, PadsOnlyZeroToNine) {
    const std::pair<std::int32_t, std::string_view> cases[] = {
        {0, "00"},  {7, "07"},    {9, "09"},
        {10, "10"}, {16, "16"},   {100, "100"},
        {-3, "-3"}, {-10, "-10"}, {std::numeric_limits<std::int32_t>::min(), "-2147483648"},
    };
    for (const auto& [n, expected] : cases) {
        EXPECT_EQ(twoDigitText(n), expected) << n;
    }
}

} // namespace
} // namespace vintrale
