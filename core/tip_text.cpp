#include "core/tip_text.h"

namespace vintrale {

namespace {

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u;
}

} // namespace

std::string cutTipText(std::string_view utf8, std::size_t limit) {
    if (utf8.size() <= limit) {
        return std::string(utf8);
    }
    // The byte just past the cut starts a character unless it continues one; then the character
    // it belongs to began inside the head and must leave with it. A character is at most four
    // bytes, so a longer run of continuation bytes is broken text, and is cut where it stands.
    std::size_t cut = limit;
    while (cut > 0 && limit - cut < 3 && isContinuationByte(utf8[cut])) {
        --cut;
    }
    if (isContinuationByte(utf8[cut])) {
        cut = limit;
    }
    return std::string(utf8.substr(0, cut));
}

} // namespace vintrale
