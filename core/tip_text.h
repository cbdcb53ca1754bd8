#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vintrale {

// The notification area shows at most this many bytes of a tip.
inline constexpr std::size_t trayTipLimit = 62;

// The longest head of a UTF-8 text that fits in limit bytes without cutting a character in two:
// a character that would straddle the limit is left out whole, so the tip never ends in a broken
// byte sequence.
std::string cutTipText(std::string_view utf8, std::size_t limit = trayTipLimit);

} // namespace vintrale
