#include "skin/skin_format.h"

#include <gtest/gtest.h>
#include <string>

namespace vintrale {
namespace {

const unsigned char* bytes(const std::string& data) {
    return reinterpret_cast<const unsigned char*>(data.data());
}

int sizeOf(const std::string& data) {
    return static_cast<int>(data.size());
}

const std::string sheet = "QPushButton { background-color: #2563eb; } /* 双色球 */";

TEST(SkinData, PackedSheetReadsBackUnchanged) {
    const std::string packed = packSkinData(sheet);
    ASSERT_EQ(packed.substr(0, 5), std::string(".SHE\0", 5));
    const SkinSheet read = readSkinData(bytes(packed), sizeOf(packed), "");
    EXPECT_EQ(read.status, SkinStatus::attached);
    EXPECT_EQ(read.styleSheet, sheet);
}

TEST(SkinData, AHeaderAloneIsAnEmptySkin) {
    const std::string packed = packSkinData("");
    const SkinSheet read = readSkinData(bytes(packed), sizeOf(packed), nullptr);
    EXPECT_EQ(read.status, SkinStatus::attached);
    EXPECT_TRUE(read.styleSheet.empty());
}

TEST(SkinData, RefusesWhatIsNoSkinOfOurs) {
    const std::string good = packSkinData(sheet);
    struct Case {
        const char* description;
        std::string data;
        int size; // -1: the data's own size
        const char* password;
        SkinStatus expected;
    };
    const Case cases[] = {
        {"shorter than the header", std::string(".SHE", 4), -1, "", SkinStatus::noData},
        {"length zero", good, 0, "", SkinStatus::noData},
        {"negative length", good, -7, "", SkinStatus::noData},
        {"beyond the size limit", good, maxSkinDataSize + 1, "", SkinStatus::noData},
        {"another signature", std::string(".SHF\0", 5) + sheet, -1, "", SkinStatus::wrongHeader},
        {"header without its zero", ".SHE " + sheet, -1, "", SkinStatus::wrongHeader},
        {"a plain style sheet", sheet, -1, "", SkinStatus::wrongHeader},
        {"a zero byte in the sheet", packSkinData(std::string("a {}\0b {}", 9)), -1, "",
         SkinStatus::unreadableText},
        {"code page 936 bytes", packSkinData("/* \xCB\xAB\xC9\xAB\xC7\xF2 */"), -1, "",
         SkinStatus::unreadableText},
        {"a cut-off character", packSkinData("/* \xE5\x8F */"), -1, "", SkinStatus::unreadableText},
        {"a password", good, -1, "secret", SkinStatus::encryptedSkin},
    };
    for (const Case& c : cases) {
        const int size = c.size == -1 ? sizeOf(c.data) : c.size;
        const SkinSheet read = readSkinData(bytes(c.data), size, c.password);
        EXPECT_EQ(read.status, c.expected) << c.description;
        EXPECT_TRUE(read.styleSheet.empty()) << c.description;
    }
    EXPECT_EQ(readSkinData(nullptr, 100, "").status, SkinStatus::noData);
}

TEST(SkinData, ReadsNoByteBeyondTheGivenLength) {
    // The length says the data ends inside the header; the bytes after it must not count.
    const std::string packed = packSkinData(sheet);
    EXPECT_EQ(readSkinData(bytes(packed), 4, "").status, SkinStatus::noData);
    const SkinSheet read = readSkinData(bytes(packed), 5 + 11, "");
    EXPECT_EQ(read.status, SkinStatus::attached);
    EXPECT_EQ(read.styleSheet, "QPushButton");
}

TEST(Utf8, AcceptsWellFormedTextOnly) {
    struct Case {
        const char* description;
        std::string text;
        bool expected;
    };
    const Case cases[] = {
        {"empty", "", true},
        {"ASCII", "QLabel { color: #1e293b; }", true},
        {"two-byte", "\xC3\xA9", true},
        {"three-byte Chinese", "双色球", true},
        {"four-byte", "\xF0\x9F\x8E\xB1", true},
        {"highest code point", "\xF4\x8F\xBF\xBF", true},
        {"lone continuation byte", "\x80", false},
        {"overlong two-byte slash", "\xC0\xAF", false},
        {"overlong three-byte", "\xE0\x80\xAF", false},
        {"surrogate half", "\xED\xA0\x80", false},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", false},
        {"lead byte F5", "\xF5\x80\x80\x80", false},
        {"truncated at the end", "ab\xE5\x8F", false},
        {"lead followed by ASCII",
         "\xE5"
         "a"
         "b",
         false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isWellFormedUtf8(c.text), c.expected) << c.description;
    }
}

} // namespace
} // namespace vintrale
