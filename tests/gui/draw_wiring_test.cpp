#include "app/program.h"
#include "platform/beep.h"
#include "platform/message_box.h"
#include "window/results_box.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace vintrale {
namespace {

// The draw as the program binds it: 按钮1's clicks and 时钟1's expiries reach the run control.
class DrawWiring : public ::testing::Test {
protected:
    void SetUp() override {
        setMessageBoxScript([](const MessageBoxRequest&) { return MessageAnswer::ok; });
        setBeepObserver([this] { ++beeps; });
        program.loadMainWindow();
        window().drawTimer().setDrivenByHand(true);
    }
    void TearDown() override {
        setMessageBoxScript({});
        setBeepObserver({});
    }
    MainWindow& window() { return program.mainWindow(); }
    void tick() { window().drawTimer().fire(); }

    Program program{ProgramLocation{"/opt/vintrale", "vintrale"}};
    int beeps = 0;
};

TEST_F(DrawWiring, StartButtonAndTimerRunTheDraw) {
    window().startStopButton()->click();
    EXPECT_FALSE(program.runState().isIdle);
    EXPECT_EQ(window().drawTimer().period(), 100);
    EXPECT_EQ(window().startStopButton()->text(), QStringLiteral("停止算号"));

    tick();
    // The declared count of five tickets, in the program's final formats.
    const QStringList lines = window().resultsBox()->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines.first().size(), 21);

    window().startStopButton()->click();
    EXPECT_TRUE(program.runState().isIdle);
    EXPECT_EQ(window().drawTimer().period(), 0);
}

TEST_F(DrawWiring, TimedRunEndsByItselfWithABeep) {
    window().timedModeCheck()->setChecked(true);
    window().secondsEdit()->setText(QStringLiteral("1"));
    window().startStopButton()->click();
    for (int i = 0; i < 10; ++i) {
        tick();
    }
    EXPECT_TRUE(program.runState().isIdle);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(window().caption(), QStringLiteral("Vintrale-[00：00：01]"));
}

} // namespace
} // namespace vintrale
