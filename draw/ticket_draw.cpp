#include "draw/ticket_draw.h"

#include "core/text_rules.h"

#include <utility>

namespace vintrale {

namespace {

constexpr std::int32_t poolSize = 33;
constexpr std::int32_t blueHighest = 16;

// The texts of 1..33, made once by the shared rule rather than per number: a ticket writes seven
// of them, and building strings there would cost more than the whole draw.
using TwoChars = std::array<char, 2>;
const std::array<TwoChars, poolSize + 1> numberTexts = [] {
    std::array<TwoChars, poolSize + 1> texts{};
    for (std::int32_t n = 1; n <= poolSize; ++n) {
        const std::string made = twoDigitText(n);
        texts[static_cast<std::size_t>(n)] = {made[0], made[1]};
    }
    return texts;
}();

// Step K of the red draw, with K numbers already picked and kept in ascending order. The pool
// (1..33 without the picks, in order) is not stored: its r-th member is r moved up by one for
// every pick at or below it. That is the same member that removing picks from an ordered list
// gives, without moving 33 numbers around six times per ticket. Keeping the picks sorted as
// they come replaces the final sort.
//
// The pool size is a constant per step, so the modulo of the range mapping compiles to a
// multiplication.
template <int K> void pickStep(RandomSource& random, std::array<std::int32_t, 6>& picks) {
    random.reseedFromClock();
    std::int32_t member = random.randomInRange(1, poolSize - K);
    int at = 0;
    while (at < K && picks[static_cast<std::size_t>(at)] <= member) {
        ++member;
        ++at;
    }
    for (int j = K; j > at; --j) {
        picks[static_cast<std::size_t>(j)] = picks[static_cast<std::size_t>(j - 1)];
    }
    picks[static_cast<std::size_t>(at)] = member;
}

template <int... K>
void pickAll(RandomSource& random, std::array<std::int32_t, 6>& picks,
             std::integer_sequence<int, K...>) {
    (pickStep<K>(random, picks), ...);
}

} // namespace

RedPart drawRedPart(RandomSource& random) {
    RedPart part;
    pickAll(random, part.numbers, std::make_integer_sequence<int, 6>{});
    for (std::size_t i = 0; i < part.numbers.size(); ++i) {
        const TwoChars& digits = numberTexts[static_cast<std::size_t>(part.numbers[i])];
        part.text[i * 3] = digits[0];
        part.text[i * 3 + 1] = digits[1];
        part.text[i * 3 + 2] = ' ';
    }
    return part;
}

BluePart drawBlueNumber(RandomSource& random) {
    random.reseedFromClock();
    BluePart part;
    part.number = random.randomInRange(1, blueHighest);
    const TwoChars& digits = numberTexts[static_cast<std::size_t>(part.number)];
    part.text = {'+', digits[0], digits[1], '\r', '\n'};
    return part;
}

} // namespace vintrale
