#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vintrale {

// "HH：MM：SS" with full-width colons, fractions of a second dropped. Hours neither wrap at 24
// nor stop at two digits. The argument is 64 bits wide so a run past 24.8 days still shows its
// true time; a negative value shows as 00：00：00.
std::string elapsedText(std::int64_t milliseconds);

// What a press of the start/stop button writes into the caption when timed mode is off: the
// maker's name and web address.
inline constexpr std::string_view brandingCaption = "Vintrale Harnwick出品-www.harnwick.com";

// The caption during a timed run: "Vintrale-[" + elapsedText + "]".
std::string timedCaption(std::int64_t milliseconds);

} // namespace vintrale
