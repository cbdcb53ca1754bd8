#include "core/tip_text.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace vintrale {
namespace {

std::string repeated(std::string_view piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

struct TipCase {
    const char* what;
    std::string text;
    std::string expected;
};

TEST(CutTipText, KeepsAtMost62BytesAndWholeCharacters) {
    const std::string han = "号"; // three bytes in UTF-8
    const TipCase cases[] = {
        {"empty", "", ""},
        {"short", "Vintrale", "Vintrale"},
        {"exactly the limit", repeated("a", 62), repeated("a", 62)},
        {"one byte over", repeated("a", 63), repeated("a", 62)},
        {"three-byte characters that fit exactly", "ab" + repeated(han, 20),
         "ab" + repeated(han, 20)},
        {"limit falls after a character's first byte", "a" + repeated(han, 21),
         "a" + repeated(han, 20)},
        {"limit falls after a character's second byte", repeated(han, 21), repeated(han, 20)},
        {"two-byte character straddling", repeated("a", 61) + "é", repeated("a", 61)},
        {"four-byte character straddling", repeated("a", 60) + "\xF0\x9F\x8E\xB1",
         repeated("a", 60)},
        {"four-byte character ending at the limit", repeated("a", 58) + "\xF0\x9F\x8E\xB1xyz",
         repeated("a", 58) + "\xF0\x9F\x8E\xB1"},
        // Text that is not UTF-8 at all is still held to the limit.
        {"only continuation bytes", repeated("\x80", 70), repeated("\x80", 62)},
    };
    for (const TipCase& c : cases) {
        const std::string cut = cutTipText(c.text);
        EXPECT_EQ(cut, c.expected) << c.what;
        EXPECT_LE(cut.size(), trayTipLimit) << c.what;
    }
}

TEST(CutTipText, HonoursAGivenLimit) {
    EXPECT_EQ(cutTipText("号码", 4), "号");
    EXPECT_EQ(cutTipText("号码", 2), "");
    EXPECT_EQ(cutTipText("号码", 0), "");
}

} // namespace
} // namespace vintrale
