#include "draw_fixture.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPushButton>

namespace vintrale {
namespace {

using TicketCeilingTest = DrawFixture;

// A press and release on the button, left in the event queue as a player's click would be
// while a refresh keeps the window busy.
void queueClick(QPushButton& button) {
    const QPointF centre = QRectF(button.rect()).center();
    const QPointF global = button.mapToGlobal(centre);
    QCoreApplication::postEvent(&button,
                                new QMouseEvent(QEvent::MouseButtonPress, centre, global,
                                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(&button,
                                new QMouseEvent(QEvent::MouseButtonRelease, centre, global,
                                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

// A count the box cannot hold (99999999 tickets would need gigabytes and minutes per refresh)
// draws the ceiling's worth; the count box keeps what the player wrote.
TEST_F(TicketCeilingTest, ACountAboveTheCeilingDrawsTheCeilingsWorth) {
    const int ceiling = ResultsDisplay::maxTickets;
    struct Case {
        const char* count;
        int lines;
    };
    const Case cases[] = {
        {"500000", ceiling},
        {"500001", ceiling},
        {"99999999", ceiling},
        {"99999999999", ceiling}, // past the 32-bit range
    };
    ASSERT_EQ(ceiling, 500'000);
    for (const Case& c : cases) {
        setCount(QString::fromUtf8(c.count));
        const std::uint32_t readsBefore = clock.reads;
        results.refreshResults();
        EXPECT_EQ(box().content().lineCount(), c.lines + 1) << c.count;
        EXPECT_EQ(box().content().length(), c.lines * 22) << c.count;
        EXPECT_EQ(clock.reads - readsBefore, 7u * static_cast<std::uint32_t>(c.lines)) << c.count;
        EXPECT_EQ(window.countEdit()->text(), QString::fromUtf8(c.count));
    }
}

// However large the count, a click on 按钮1 made during a refresh is answered right after it,
// in the same tick, and the box keeps the tickets of that refresh.
TEST_F(TicketCeilingTest, AClickDuringAHugeRefreshIsAnsweredInTheSameTick) {
    QObject::connect(window.startStopButton(), &QPushButton::clicked, &window,
                     [this] { runControl.onStartStopClicked(); });
    setCount(QStringLiteral("99999999"));
    runControl.onStartStopClicked();
    ASSERT_FALSE(runState.isIdle);

    queueClick(*window.startStopButton());
    runControl.onDrawTimerTick();

    EXPECT_TRUE(runState.isIdle);
    EXPECT_EQ(window.drawTimer().period(), 0);
    EXPECT_EQ(window.startStopButton()->text(), QStringLiteral("开始算号"));
    EXPECT_EQ(box().content().lineCount(), ResultsDisplay::maxTickets + 1);
}

} // namespace
} // namespace vintrale
