#pragma once

#include "core/char_format.h"
#include "draw/random_source.h"

class QLineEdit;
class QPlainTextEdit;

namespace vintrale {

// Shows the tickets: empties the results box and writes as many freshly drawn tickets as the
// count box asks for, one line each, the red numbers in redFormat and "+", the blue number and
// the line break in blueFormat.
//
// In the box a ticket's "\r\n" becomes one block break, carrying the blue format: the box then
// reads as exactly the ticket lines, each ending with a line break, and an empty last line where
// the insertion point rests.
class ResultsDisplay {
public:
    ResultsDisplay(QPlainTextEdit& box, const QLineEdit& countEdit, const CharFormats& formats,
                   RandomSource& random);

    void refreshResults();

private:
    QPlainTextEdit& box_;
    const QLineEdit& countEdit_;
    const CharFormats& formats_;
    RandomSource& random_;
};

} // namespace vintrale
