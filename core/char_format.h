#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace vintrale {

// The character format the results box applies to its selection. Colours are 0x00BBGGRR, as
// the format record has always laid them out, so the values quoted to players' support stay
// recognisable (255 is red, 16711680 is blue).
struct CharFormat {
    std::string faceName;
    std::int32_t size = 0;   // points
    std::int32_t offset = 0; // points above the baseline
    std::uint32_t effects = 0;
    std::uint32_t color = 0;
};

namespace effect {
inline constexpr std::uint32_t bold = 1;
inline constexpr std::uint32_t italic = 2;
inline constexpr std::uint32_t underline = 4;
inline constexpr std::uint32_t strikeout = 8;
inline constexpr std::uint32_t protectedText = 16;
} // namespace effect

// "Use the system's window-text colour" rather than a colour of our own.
inline constexpr std::uint32_t automaticColor = 0xFF000000u;
inline constexpr std::uint32_t pureRed = 0x000000FFu;
inline constexpr std::uint32_t pureBlue = 0x00FF0000u;

inline constexpr const char* songTypeface = "宋体";

// The program's two long-lived formats: made at start-up, freed by the exit clean-up. The red
// numbers of every ticket are written in the first, the "+", blue number and line break in the
// second.
struct CharFormats {
    std::unique_ptr<CharFormat> redFormat;
    std::unique_ptr<CharFormat> blueFormat;
};

} // namespace vintrale
