#include "skin/skin_format.h"

#include <algorithm>

namespace vintrale {

namespace {

int sequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0; // a continuation byte, an overlong two-byte lead, or beyond U+10FFFF
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The second byte of a three- or four-byte form narrows what the lead allows: no overlong forms,
// no surrogates, nothing beyond U+10FFFF.
bool secondByteFits(unsigned char lead, unsigned char second) {
    switch (lead) {
    case 0xE0:
        return second >= 0xA0;
    case 0xED:
        return second <= 0x9F;
    case 0xF0:
        return second >= 0x90;
    case 0xF4:
        return second <= 0x8F;
    default:
        return true;
    }
}

} // namespace

bool isWellFormedUtf8(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const int length = sequenceLength(lead);
        if (length == 0 || text.size() - at < static_cast<std::size_t>(length)) {
            return false;
        }
        for (int i = 1; i < length; ++i) {
            const auto byte = static_cast<unsigned char>(text[at + static_cast<std::size_t>(i)]);
            if (!isContinuation(byte) || (i == 1 && !secondByteFits(lead, byte))) {
                return false;
            }
        }
        at += static_cast<std::size_t>(length);
    }
    return true;
}

SkinSheet readSkinData(const unsigned char* data, int size, const char* password) {
    constexpr int headerSize = static_cast<int>(skinDataHeader.size());
    if (data == nullptr || size < headerSize || size > maxSkinDataSize) {
        return {SkinStatus::noData, {}};
    }
    if (!std::equal(skinDataHeader.begin(), skinDataHeader.end(), data)) {
        return {SkinStatus::wrongHeader, {}};
    }
    if (password != nullptr && password[0] != '\0') {
        return {SkinStatus::encryptedSkin, {}};
    }
    const std::string_view sheet(reinterpret_cast<const char*>(data + headerSize),
                                 static_cast<std::size_t>(size - headerSize));
    if (sheet.find('\0') != std::string_view::npos || !isWellFormedUtf8(sheet)) {
        return {SkinStatus::unreadableText, {}};
    }
    return {SkinStatus::attached, sheet};
}

std::string packSkinData(std::string_view styleSheet) {
    std::string packed(skinDataHeader.begin(), skinDataHeader.end());
    packed.append(styleSheet);
    return packed;
}

} // namespace vintrale
