#pragma once

namespace vintrale::bench {

enum class DrawClock { real, counter };

// Nanoseconds per ticket (red part and blue number), median of a few passes over a million
// tickets each.
double drawNanosecondsPerTicket(DrawClock clock);

} // namespace vintrale::bench
