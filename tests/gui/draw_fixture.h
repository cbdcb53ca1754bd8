#pragma once

#include "core/char_format.h"
#include "core/run_state.h"
#include "draw/random_source.h"
#include "draw/results_display.h"
#include "draw/run_control.h"
#include "tray/tray_icon.h"
#include "window/main_window.h"
#include "window/results_box.h"

#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>

namespace vintrale {

// A clock that stands still and counts how often it is read: seven reads are one ticket, so a
// count of one ticket per refresh turns the reads into the number of refreshes.
struct StandingClock {
    std::uint32_t now = 1000;
    std::uint32_t reads = 0;
    static std::uint32_t read(void* context) {
        auto* clock = static_cast<StandingClock*>(context);
        ++clock->reads;
        return clock->now;
    }
};

// The number draw as the program puts it together, with the formats at their final values and
// the window shown, idle, as after start-up.
class DrawFixture : public ::testing::Test {
protected:
    DrawFixture() {
        formats.redFormat = std::make_unique<CharFormat>(CharFormat{"宋体", 16, 0, 0, pureRed});
        formats.blueFormat = std::make_unique<CharFormat>(CharFormat{"宋体", 16, 0, 0, pureBlue});
        runState.isIdle = true;
        window.setShownOnScreen(true);
        // Ticks come when the test says; a real one falling into a slow step would add a tick.
        window.drawTimer().setDrivenByHand(true);
    }

    ResultsBox& box() { return *window.resultsBox(); }
    void setCount(const QString& text) { window.countEdit()->setText(text); }
    QString boxText() { return box().toPlainText(); }
    // The box's lines without the line breaks; the empty line after the last break included.
    QStringList boxLines() { return boxText().split(QLatin1Char('\n')); }
    std::uint32_t refreshesOfOneTicket() const { return clock.reads / 7u; }

    StandingClock clock;
    RandomSource random{&StandingClock::read, &clock};
    CharFormats formats;
    RunState runState;
    MainWindow window;
    TrayIcon trayIcon{window};
    ResultsDisplay results{*window.resultsBox(), *window.countEdit(), formats, random};
    RunControl runControl{window, runState, results, trayIcon};
};

} // namespace vintrale
