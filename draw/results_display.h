#pragma once

#include "core/char_format.h"
#include "draw/random_source.h"

class QLineEdit;

namespace vintrale {

class ResultsBox;

// Shows the tickets: empties the results box and writes as many freshly drawn tickets as the
// count box asks for, one line each, the red numbers in redFormat and "+", the blue number and
// the line break in blueFormat.
//
// In the box a ticket's "\r\n" becomes one line break, carrying the blue format: the box then
// reads as exactly the ticket lines, each ending with a line break, and an empty last line where
// the insertion point rests.
//
// A count above maxTickets draws maxTickets tickets: nothing else bounds the count a player may
// write, and a box of 99,999,999 tickets would need gigabytes and freeze the window.
class ResultsDisplay {
public:
    // The most tickets one refresh draws. Measured on a small two-core machine: a refresh of
    // this many takes 80 to 110 ms, about one timer period, and the box holds about 32 MB, 64
    // bytes a ticket. Beyond it every refresh outlasts the period, so a run falls behind its
    // ticks and a click waits longer and longer; 99,999,999 would take some 17 s and 6 GB.
    static constexpr std::int32_t maxTickets = 500'000;

    ResultsDisplay(ResultsBox& box, const QLineEdit& countEdit, const CharFormats& formats,
                   RandomSource& random);

    void refreshResults();

private:
    ResultsBox& box_;
    const QLineEdit& countEdit_;
    const CharFormats& formats_;
    RandomSource& random_;
};

// What a refresh does once it knows the count: empties the box and writes count freshly drawn
// tickets. No ceiling here, so the box can also be measured beyond the refresh's.
void writeTickets(ResultsBox& box, std::int32_t count, const CharFormats& formats,
                  RandomSource& random);

} // namespace vintrale
