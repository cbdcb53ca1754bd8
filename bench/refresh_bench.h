#pragma once

#include "core/char_format.h"
#include "draw/random_source.h"
#include "draw/results_display.h"
#include "window/main_window.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <cstdint>

namespace vintrale::bench {

// Counts the box's paints, so the bench can tell it really measured one per refresh.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
};

// The program's window, shown on whatever platform Qt runs on, with the results display wired
// as at start-up and the two formats at their final values.
class RefreshBench {
public:
    RefreshBench();

    // Median milliseconds of one refresh of count tickets by the production refreshResults:
    // fill, layout and one paint of the box.
    double oursMilliseconds(std::int32_t count, int runs);
    // The yardstick: the same tickets written the plain way (for each piece, set the format,
    // insert the text, no edit block) into the standard rich-text box of the same size, font
    // and wrapping that the window had before it got a box of its own.
    double plainMilliseconds(std::int32_t count, int runs);
    // The plain way into the window's own box, to show what the edit block saves there.
    double naiveOursMilliseconds(std::int32_t count, int runs);

    // Tickets written as a refresh writes them, but past the refresh's ceiling: how the box
    // fares with counts no refresh draws, to see where it stops being usable.
    double beyondCeilingMilliseconds(std::int32_t count, int runs);

    void refreshTimes(std::int32_t count, int refreshes);
    int paintsSeen() const;

private:
    void setCount(std::int32_t count);
    void writePlainWay(std::int32_t count);
    void writeNaiveOurs(std::int32_t count);
    void paintNow();

    PaintCounter paintCounter_;
    CharFormats formats_;
    RandomSource random_;
    MainWindow window_;
    ResultsDisplay results_;
    QPlainTextEdit standardBox_;
};

// Resident memory of this process in megabytes, as the kernel counts it.
double residentMegabytes();

} // namespace vintrale::bench
