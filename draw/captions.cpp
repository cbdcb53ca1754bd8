#include "draw/captions.h"

#include "core/text_rules.h"

#include <limits>

namespace vintrale {

namespace {

constexpr const char* fullWidthColon = "：";

// Hours beyond 32 bits would take some 245,000 years of running; clamping keeps twoDigitText's
// argument in range all the same.
std::int32_t narrow(std::int64_t value) {
    constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value > highest ? highest : value);
}

} // namespace

std::string elapsedText(std::int64_t milliseconds) {
    const std::int64_t s = milliseconds < 0 ? 0 : milliseconds / 1000;
    std::string text = twoDigitText(narrow(s / 3600));
    text += fullWidthColon;
    text += twoDigitText(narrow((s % 3600) / 60));
    text += fullWidthColon;
    text += twoDigitText(narrow(s % 60));
    return text;
}

std::string timedCaption(std::int64_t milliseconds) {
    return "Vintrale-[" + elapsedText(milliseconds) + "]";
}

} // namespace vintrale
