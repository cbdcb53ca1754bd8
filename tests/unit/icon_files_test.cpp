#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <stdlib.h>
#include <string>
#include <vector>

// The committed icon files, checked byte by byte: the layout the notification area and the
// window frame read, the all-or-nothing transparency, and that the generator still writes them.
namespace vintrale {
namespace {

namespace fs = std::filesystem;

using Bytes = std::vector<unsigned char>;

constexpr int side = 32;
constexpr std::size_t fileSize = 4286;
constexpr std::size_t imageOffset = 22;
constexpr std::size_t pixelOffset = imageOffset + 40;
constexpr std::size_t maskOffset = pixelOffset + 4096;

Bytes readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t le(const Bytes& data, std::size_t at, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = (value << 8) | data.at(at + static_cast<std::size_t>(i));
    }
    return value;
}

struct Pixel {
    unsigned blue, green, red, alpha;
    bool isRed() const { return alpha == 255 && red >= 0xC0 && green < 0x60 && blue < 0x60; }
    bool isBlue() const { return alpha == 255 && blue >= 0xC0 && red < 0x60; }
};

// x from the left, y from the top; the file stores the bottom row first.
Pixel pixelAt(const Bytes& data, int x, int y) {
    const std::size_t at = pixelOffset + static_cast<std::size_t>(((side - 1 - y) * side + x) * 4);
    return {data.at(at), data.at(at + 1), data.at(at + 2), data.at(at + 3)};
}

bool maskSaysTransparent(const Bytes& data, int x, int y) {
    const std::size_t row = maskOffset + static_cast<std::size_t>((side - 1 - y) * 4);
    const unsigned char bits = data.at(row + static_cast<std::size_t>(x / 8));
    return (bits & (0x80u >> (x % 8))) != 0;
}

const char* const iconNames[] = {"window.ico", "tray.ico"};

TEST(IconFiles, HaveTheOneImageLayout) {
    for (const char* name : iconNames) {
        SCOPED_TRACE(name);
        const Bytes data = readFile(fs::path(VINTRALE_RESOURCE_DIR) / name);
        ASSERT_EQ(data.size(), fileSize);

        struct Field {
            const char* what;
            std::size_t at;
            int width;
            std::uint32_t expected;
        };
        const Field fields[] = {
            {"reserved", 0, 2, 0},         {"type icon", 2, 2, 1},
            {"image count", 4, 2, 1},      {"entry width", 6, 1, 32},
            {"entry height", 7, 1, 32},    {"colour count", 8, 1, 0},
            {"entry reserved", 9, 1, 0},   {"planes", 10, 2, 1},
            {"bits per pixel", 12, 2, 32}, {"image size", 14, 4, 4264},
            {"image offset", 18, 4, 22},   {"bitmap header size", 22, 4, 40},
            {"bitmap width", 26, 4, 32},   {"bitmap height, image and mask", 30, 4, 64},
            {"bitmap planes", 34, 2, 1},   {"bitmap bits per pixel", 36, 2, 32},
            {"no compression", 38, 4, 0},
        };
        for (const Field& field : fields) {
            EXPECT_EQ(le(data, field.at, field.width), field.expected) << field.what;
        }
    }
}

TEST(IconFiles, EveryPixelIsOpaqueOrTransparentAndTheMaskAgrees) {
    for (const char* name : iconNames) {
        SCOPED_TRACE(name);
        const Bytes data = readFile(fs::path(VINTRALE_RESOURCE_DIR) / name);
        ASSERT_EQ(data.size(), fileSize);
        bool anyOpaque = false;
        bool anyTransparent = false;
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                const Pixel p = pixelAt(data, x, y);
                ASSERT_TRUE(p.alpha == 0 || p.alpha == 255) << x << "," << y;
                EXPECT_EQ(maskSaysTransparent(data, x, y), p.alpha == 0) << x << "," << y;
                anyOpaque = anyOpaque || p.alpha == 255;
                anyTransparent = anyTransparent || p.alpha == 0;
            }
        }
        EXPECT_TRUE(anyOpaque);
        EXPECT_TRUE(anyTransparent);
    }
}

TEST(IconFiles, TrayIconShowsRedBallsLeftAndBlueBallsRightWithTheOtherColourInside) {
    const Bytes data = readFile(fs::path(VINTRALE_RESOURCE_DIR) / "tray.ico");
    ASSERT_EQ(data.size(), fileSize);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
            SCOPED_TRACE("ball in row " + std::to_string(row) + ", column " +
                         std::to_string(column));
            const bool leftBall = column == 0;
            const int left = column * 16;
            const int top = row * 16;
            bool figureSeen = false;
            for (int y = top; y < top + 16; ++y) {
                for (int x = left; x < left + 16; ++x) {
                    const Pixel p = pixelAt(data, x, y);
                    if (p.alpha == 0) {
                        continue;
                    }
                    ASSERT_TRUE(p.isRed() || p.isBlue()) << x << "," << y;
                    figureSeen = figureSeen || (leftBall ? p.isBlue() : p.isRed());
                }
            }
            EXPECT_TRUE(figureSeen);
            // The rim of the ball, left and right of its middle, is the ball's own colour.
            for (int x : {left + 1, left + 14}) {
                const Pixel rim = pixelAt(data, x, top + 8);
                EXPECT_TRUE(leftBall ? rim.isRed() : rim.isBlue()) << x;
            }
            // Corners between the balls stay clear.
            EXPECT_EQ(pixelAt(data, left, top).alpha, 0u);
        }
    }
}

TEST(IconFiles, GeneratorWritesExactlyTheCommittedFiles) {
    std::string folder = (fs::temp_directory_path() / "vintrale-icons-XXXXXX").string();
    ASSERT_NE(::mkdtemp(folder.data()), nullptr);
    const fs::path out(folder);
    const std::string command = std::string("\"") + VINTRALE_PYTHON + "\" \"" +
                                VINTRALE_RESOURCE_DIR + "/make_icons.py\" \"" + out.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const char* name : iconNames) {
        SCOPED_TRACE(name);
        const Bytes made = readFile(out / name);
        const Bytes committed = readFile(fs::path(VINTRALE_RESOURCE_DIR) / name);
        ASSERT_EQ(made.size(), fileSize);
        EXPECT_TRUE(made == committed);
    }
    fs::remove_all(out);
}

TEST(IconFiles, WindowAndTrayIconsDiffer) {
    EXPECT_NE(readFile(fs::path(VINTRALE_RESOURCE_DIR) / "window.ico"),
              readFile(fs::path(VINTRALE_RESOURCE_DIR) / "tray.ico"));
}

} // namespace
} // namespace vintrale
