#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace vintrale {

// Skin data: the five bytes ".SHE\0", then a Qt style sheet in UTF-8.
inline constexpr std::array<unsigned char, 5> skinDataHeader{'.', 'S', 'H', 'E', '\0'};

// Larger data is not a skin of ours; refusing it keeps a wrong pointer or length from making
// the engine read far beyond what the caller owns.
inline constexpr int maxSkinDataSize = 1 << 20;

// What the engine's entry point returns: 0 when the skin was attached, otherwise why not.
enum class SkinStatus : int {
    attached = 0,
    noData = 1,         // null data, or a length below the header's or beyond the limit
    wrongHeader = 2,    // the data does not start with ".SHE\0"
    unreadableText = 3, // the style sheet is not clean UTF-8, or holds a zero byte
    encryptedSkin = 4,  // a password was given; skins of ours are never encrypted
    noApplication = 5,  // no Qt Widgets application runs in this process
    wrongThread = 6,    // called from a thread other than the application's
};

struct SkinSheet {
    SkinStatus status = SkinStatus::noData;
    std::string_view styleSheet; // valid only when status is attached
};

// Checks skin data as handed to the engine and finds the style sheet in it. Looks at no byte
// outside [data, data + size).
SkinSheet readSkinData(const unsigned char* data, int size, const char* password);

// True for well-formed UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool isWellFormedUtf8(std::string_view text);

// Skin data for a style sheet: the header followed by the sheet's bytes.
std::string packSkinData(std::string_view styleSheet);

} // namespace vintrale
