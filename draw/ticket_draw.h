#pragma once

#include "draw/random_source.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace vintrale {

// The red half of a ticket: six distinct numbers 1..33 in ascending order, and its text, each
// number in two digits followed by one blank ("05 06 11 13 20 31 ").
struct RedPart {
    static constexpr std::size_t textLength = 18;
    std::array<std::int32_t, 6> numbers{};
    std::array<char, textLength> text{};
    std::string_view textView() const { return {text.data(), text.size()}; }
};

// The blue half: one number 1..16 and its text, "+", two digits and the line break ("+08\r\n").
struct BluePart {
    static constexpr std::size_t textLength = 5;
    std::int32_t number = 0;
    std::array<char, textLength> text{};
    std::string_view textView() const { return {text.data(), text.size()}; }
};

// Six reseeds and draws: each pick leaves a pool that starts as 1..33, so no number repeats.
// Fixed arrays only; a ticket allocates nothing.
RedPart drawRedPart(RandomSource& random);

// One reseed and draw, independent of the red numbers: the blue one may equal one of them.
BluePart drawBlueNumber(RandomSource& random);

} // namespace vintrale
