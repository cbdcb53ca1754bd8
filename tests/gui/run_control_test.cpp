#include "draw_fixture.h"
#include "platform/beep.h"
#include "platform/message_box.h"
#include "tray/tray_icon.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QPushButton>
#include <vector>

namespace vintrale {
namespace {

const QString branding = QStringLiteral("Vintrale Harnwick出品-www.harnwick.com");

QString timed(const char* time) {
    return QStringLiteral("Vintrale-[") + QString::fromUtf8(time) + QStringLiteral("]");
}

class RunControlTest : public DrawFixture {
protected:
    RunControlTest() {
        setCount(QStringLiteral("1"));
        // Presses that wait in the event queue reach the handler as in the program.
        QObject::connect(window.startStopButton(), &QPushButton::clicked, &window,
                         [this] { runControl.onStartStopClicked(); });
        setBeepObserver([this] { ++beeps; });
        setMessageBoxScript([this](const MessageBoxRequest& request) {
            boxes.push_back(request);
            periodWhileBoxShown = window.drawTimer().period();
            return MessageAnswer::ok;
        });
    }
    ~RunControlTest() override {
        setBeepObserver({});
        setMessageBoxScript({});
    }

    QString buttonText() const { return window.startStopButton()->text(); }
    void setTimed(bool on, const char* seconds) {
        window.timedModeCheck()->setChecked(on);
        window.secondsEdit()->setText(QString::fromUtf8(seconds));
    }
    void expectIdle(const char* where) {
        EXPECT_TRUE(runState.isIdle) << where;
        EXPECT_EQ(runState.tickCount, 0) << where;
        EXPECT_EQ(window.drawTimer().period(), 0) << where;
        EXPECT_EQ(buttonText(), QStringLiteral("开始算号")) << where;
    }
    void expectRunning(const char* where) {
        EXPECT_FALSE(runState.isIdle) << where;
        EXPECT_EQ(window.drawTimer().period(), 100) << where;
        EXPECT_EQ(buttonText(), QStringLiteral("停止算号")) << where;
    }

    int beeps = 0;
    std::vector<MessageBoxRequest> boxes;
    int periodWhileBoxShown = -1;
};

TEST_F(RunControlTest, StartAndStopWithTimedModeOff) {
    window.startStopButton()->setText(QStringLiteral("开始算号"));
    runControl.onStartStopClicked();
    expectRunning("started");
    EXPECT_EQ(runState.tickCount, 0);
    EXPECT_EQ(window.caption(), branding);

    runControl.onDrawTimerTick();
    runControl.onDrawTimerTick();
    EXPECT_EQ(refreshesOfOneTicket(), 2u);
    EXPECT_EQ(runState.tickCount, 0); // untimed ticks are not counted
    EXPECT_EQ(window.caption(), branding);
    const QString lastTickets = boxText();

    window.setCaption(QStringLiteral("Vintrale"));
    runControl.onStartStopClicked();
    expectIdle("stopped");
    EXPECT_EQ(window.caption(), branding); // set again on the stopping press
    EXPECT_EQ(boxText(), lastTickets);
    EXPECT_EQ(beeps, 0);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(RunControlTest, TimedRunEndsOnTickTenTimesItsSeconds) {
    struct Case {
        const char* seconds;
        int wholeSeconds;
        const char* finalTime;
    };
    const Case cases[] = {
        {"1", 1, "00：00：01"},
        {"2", 2, "00：00：02"},
        {"３", 3, "00：00：03"}, // full-width digits count like ASCII ones
        {"5", 5, "00：00：05"},
    };
    for (const Case& c : cases) {
        clock.reads = 0;
        beeps = 0;
        setTimed(true, c.seconds);
        window.setCaption(QStringLiteral("Vintrale"));
        runControl.onStartStopClicked();
        EXPECT_EQ(window.caption(), QStringLiteral("Vintrale")) << c.seconds; // timed: untouched

        int ticks = 0;
        while (!runState.isIdle && ticks < 1000) {
            runControl.onDrawTimerTick();
            ++ticks;
            if (!runState.isIdle) {
                EXPECT_EQ(runState.tickCount, ticks) << c.seconds;
                EXPECT_EQ(beeps, 0) << c.seconds << " tick " << ticks;
                // Whole seconds only: ticks 1 to 9 show no time yet.
                const QString shown = QStringLiteral("Vintrale-[00：00：0%1]").arg(ticks / 10);
                EXPECT_EQ(window.caption(), shown) << c.seconds << " tick " << ticks;
            }
        }
        EXPECT_EQ(ticks, 10 * c.wholeSeconds) << c.seconds;
        EXPECT_EQ(refreshesOfOneTicket(), 10u * static_cast<unsigned>(c.wholeSeconds)) << c.seconds;
        EXPECT_EQ(beeps, 1) << c.seconds;
        EXPECT_EQ(window.caption(), timed(c.finalTime)) << c.seconds;
        expectIdle(c.seconds);
        EXPECT_EQ(boxLines().size(), 2) << c.seconds; // the stopping tick refreshed once more
    }
}

TEST_F(RunControlTest, SecondsThatAreNoPositiveNumberEndTheRunOnItsFirstTick) {
    for (const char* seconds : {"abc", "0", "-3", "  ", "-0"}) {
        clock.reads = 0;
        beeps = 0;
        setTimed(true, seconds);
        runControl.onStartStopClicked();
        runControl.onDrawTimerTick();
        EXPECT_EQ(beeps, 1) << seconds;
        EXPECT_EQ(refreshesOfOneTicket(), 1u) << seconds;
        EXPECT_EQ(window.caption(), timed("00：00：00")) << seconds;
        expectIdle(seconds);
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(RunControlTest, EmptySecondsStopWithTheErrorAndDrawNothing) {
    setCount(QStringLiteral("2"));
    runControl.onDrawTimerTick(); // something in the box that must stay
    const QString shownBefore = boxText();
    const std::uint32_t readsBefore = clock.reads;

    setTimed(true, "");
    window.setCaption(QStringLiteral("before"));
    runControl.onStartStopClicked();
    // A click that waits in the queue must not be answered on this road.
    QMetaObject::invokeMethod(window.startStopButton(), "click", Qt::QueuedConnection);
    runControl.onDrawTimerTick();

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("定时设置错误"));
    EXPECT_EQ(boxes[0].caption, QStringLiteral("错误"));
    EXPECT_EQ(boxes[0].style, MessageStyle::error);
    EXPECT_EQ(periodWhileBoxShown, 0); // stopped before the box waits for its answer
    expectIdle("after the error");
    EXPECT_EQ(window.caption(), QStringLiteral("before"));
    EXPECT_EQ(boxText(), shownBefore);
    EXPECT_EQ(clock.reads, readsBefore);
    EXPECT_EQ(beeps, 0);

    QCoreApplication::processEvents(); // the queued click, after the tick: a new run
    expectRunning("clicked after the tick");
}

TEST_F(RunControlTest, TimedModeIsLookedAtOnEveryTick) {
    setTimed(false, "1");
    runControl.onStartStopClicked();
    runControl.onDrawTimerTick();
    runControl.onDrawTimerTick();
    EXPECT_EQ(runState.tickCount, 0);

    // Ticked mid-run: counting starts from the start's 0.
    window.timedModeCheck()->setChecked(true);
    for (int tick = 1; tick <= 4; ++tick) {
        runControl.onDrawTimerTick();
    }
    EXPECT_EQ(runState.tickCount, 4);

    // Unticked: counting and caption pause where they are.
    window.setCaption(timed("paused"));
    window.timedModeCheck()->setChecked(false);
    runControl.onDrawTimerTick();
    runControl.onDrawTimerTick();
    EXPECT_EQ(runState.tickCount, 4);
    EXPECT_EQ(window.caption(), timed("paused"));
    expectRunning("unticked");

    // Ticked again: on from 4, ending on the tenth counted tick.
    window.timedModeCheck()->setChecked(true);
    for (int tick = 5; tick <= 9; ++tick) {
        runControl.onDrawTimerTick();
        EXPECT_FALSE(runState.isIdle) << tick;
    }
    runControl.onDrawTimerTick();
    EXPECT_EQ(window.caption(), timed("00：00：01"));
    EXPECT_EQ(beeps, 1);
    expectIdle("ended");
}

TEST_F(RunControlTest, ChangedSecondsCountFromTheNextTick) {
    setTimed(true, "5");
    runControl.onStartStopClicked();
    for (int tick = 1; tick <= 20; ++tick) {
        runControl.onDrawTimerTick();
    }
    EXPECT_FALSE(runState.isIdle);
    // Two seconds have passed already: the next tick ends the run.
    window.secondsEdit()->setText(QStringLiteral("1"));
    runControl.onDrawTimerTick();
    EXPECT_EQ(window.caption(), timed("00：00：02"));
    expectIdle("shortened");
}

TEST_F(RunControlTest, EmptiedSecondsMidRunStopWithTheError) {
    setTimed(true, "5");
    runControl.onStartStopClicked();
    runControl.onDrawTimerTick();
    window.secondsEdit()->clear();
    runControl.onDrawTimerTick();
    EXPECT_EQ(boxes.size(), 1u);
    expectIdle("emptied");
    EXPECT_EQ(window.caption(), timed("00：00：00"));
}

TEST_F(RunControlTest, ManualStopKeepsTheElapsedTimeCaption) {
    setTimed(true, "60");
    runControl.onStartStopClicked();
    for (int tick = 1; tick <= 35; ++tick) {
        runControl.onDrawTimerTick();
    }
    runControl.onStartStopClicked();
    expectIdle("stopped by hand");
    EXPECT_EQ(window.caption(), timed("00：00：03"));
    EXPECT_EQ(beeps, 0);

    // The next press with timed mode off brings the branding back.
    window.timedModeCheck()->setChecked(false);
    runControl.onStartStopClicked();
    EXPECT_EQ(window.caption(), branding);
}

TEST_F(RunControlTest, TimeUpBringsTheWindowBackFromTheTray) {
    trayIcon.setTrayIcon(trayIconData(), QStringLiteral("Vintrale"));
    ASSERT_TRUE(trayIcon.isShown());
    window.setShownOnScreen(false);
    setTimed(true, "1");
    runControl.onStartStopClicked();
    for (int tick = 1; tick <= 9; ++tick) {
        runControl.onDrawTimerTick();
    }
    // The run goes on while hidden.
    EXPECT_FALSE(window.isShownOnScreen());
    EXPECT_TRUE(trayIcon.isShown());
    EXPECT_EQ(refreshesOfOneTicket(), 9u);

    runControl.onDrawTimerTick();
    EXPECT_TRUE(window.isShownOnScreen());
    EXPECT_FALSE(trayIcon.isShown());
    expectIdle("time up");
}

TEST_F(RunControlTest, PendingEventsAreAnsweredAtTheEndOfATick) {
    runControl.onStartStopClicked();
    // A press that arrives while the tick is drawing stops the run inside the tick, after
    // the refresh.
    QMetaObject::invokeMethod(window.startStopButton(), "click", Qt::QueuedConnection);
    runControl.onDrawTimerTick();
    expectIdle("stopped inside the tick");
    EXPECT_EQ(refreshesOfOneTicket(), 1u);
}

TEST_F(RunControlTest, TicksOfTheTimerDriveTheRun) {
    QObject::connect(&window.drawTimer(), &PeriodTimer::expired, &window,
                     [this] { runControl.onDrawTimerTick(); });
    setTimed(true, "1");
    runControl.onStartStopClicked();
    for (int tick = 1; tick <= 10; ++tick) {
        window.drawTimer().fire();
    }
    EXPECT_EQ(refreshesOfOneTicket(), 10u);
    EXPECT_EQ(beeps, 1);
    expectIdle("ended by the timer's ticks");
}

} // namespace
} // namespace vintrale
