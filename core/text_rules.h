#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vintrale {

// Exact comparison, byte by byte as unsigned values: 0 when equal, -1 when a sorts first,
// 1 when b sorts first. Texts are UTF-8; an absent text is simply an empty view.
int compareText(std::string_view a, std::string_view b);

// Reads a control's text as a number the way players type it: full-width digits, signs and the
// ideographic space count as their ASCII forms; leading white space and one sign are taken, then
// digits up to the first non-digit. No digits gives 0. Values beyond 32 bits saturate at
// INT32_MIN / INT32_MAX instead of wrapping, so a huge count can never turn negative.
std::int32_t textToInteger(std::string_view utf8);

// Decimal text with a leading "0" for 0..9: 7 -> "07", 16 -> "16", -3 -> "-3".
std::string twoDigitText(std::int32_t n);

} // namespace vintrale
