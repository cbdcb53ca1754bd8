#include "core/text_rules.h"

#include <array>
#include <limits>

namespace vintrale {

int compareText(std::string_view a, std::string_view b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

namespace {

// The full-width forms an input method produces, each three UTF-8 bytes, and what they mean.
struct WideForm {
    std::string_view utf8;
    char ascii;
};
constexpr std::array<WideForm, 3> wideSigns{{
    {"\xEF\xBC\x8B", '+'}, // U+FF0B
    {"\xEF\xBC\x8D", '-'}, // U+FF0D
    {"\xE3\x80\x80", ' '}, // U+3000 ideographic space
}};

// Decodes one character at pos into its ASCII meaning, advancing pos. Characters outside the
// rule, and the end of the text, come back as '\0', which stops every step of the reading. At the
// end pos stays put, so a further call is harmless and gives '\0' again.
char nextCharacter(std::string_view text, std::size_t& pos) {
    if (pos >= text.size()) {
        return '\0';
    }
    const std::string_view rest = text.substr(pos);
    // U+FF10..U+FF19 are EF BC 90..99.
    if (rest.size() >= 3 && rest[0] == '\xEF' && rest[1] == '\xBC' &&
        static_cast<unsigned char>(rest[2]) >= 0x90 &&
        static_cast<unsigned char>(rest[2]) <= 0x99) {
        pos += 3;
        return static_cast<char>('0' + (static_cast<unsigned char>(rest[2]) - 0x90));
    }
    for (const WideForm& form : wideSigns) {
        if (rest.starts_with(form.utf8)) {
            pos += form.utf8.size();
            return form.ascii;
        }
    }
    const char c = rest[0];
    ++pos;
    return static_cast<unsigned char>(c) < 0x80 ? c : '\0';
}

bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

std::int32_t textToInteger(std::string_view utf8) {
    std::size_t pos = 0;
    char c = nextCharacter(utf8, pos);
    while (isWhiteSpace(c)) {
        c = nextCharacter(utf8, pos);
    }
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        c = nextCharacter(utf8, pos);
    }
    // Accumulate as a negative number so INT32_MIN itself stays representable.
    constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
    std::int64_t value = 0;
    while (c >= '0' && c <= '9') {
        value = value * 10 - (c - '0');
        if (value < lowest) {
            value = lowest;
        }
        c = nextCharacter(utf8, pos);
    }
    if (negative) {
        return static_cast<std::int32_t>(value);
    }
    const std::int64_t positive = -value;
    return positive > std::numeric_limits<std::int32_t>::max()
               ? std::numeric_limits<std::int32_t>::max()
               : static_cast<std::int32_t>(positive);
}

std::string twoDigitText(std::int32_t n) {
    if (n >= 0 && n <= 9) {
        return std::string{'0', static_cast<char>('0' + n)};
    }
    return std::to_string(n);
}

} // namespace vintrale
