#include "app/program.h"
#include "platform/message_box.h"
#include "window/results_box.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace vintrale {
namespace {

class StartedProgram : public ::testing::Test {
protected:
    void SetUp() override {
        setMessageBoxScript([](const MessageBoxRequest&) { return MessageAnswer::no; });
        program.loadMainWindow();
        QApplication::setActiveWindow(&window());
    }
    void TearDown() override { setMessageBoxScript({}); }

    MainWindow& window() { return program.mainWindow(); }
    template <typename T> T* control(const char* name) {
        auto* found = window().findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    Program program{ProgramLocation{"/opt/vintrale", "vintrale"}};
};

TEST(Formats, StartAsNinePointAutomaticUntilTheWindowIsCreated) {
    const CharFormats formats = createFormats();
    for (const CharFormat* format : {formats.redFormat.get(), formats.blueFormat.get()}) {
        EXPECT_EQ(format->faceName, "宋体");
        EXPECT_EQ(format->size, 9);
        EXPECT_EQ(format->offset, 0);
        EXPECT_EQ(format->effects, 0u);
        EXPECT_EQ(format->color, 0xFF000000u);
    }
}

TEST_F(StartedProgram, StartsIdleWithFinalFormatsAndNoMenuEntry) {
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().caption(), "Vintrale");
    EXPECT_EQ(control<QPushButton>("按钮1")->text(), "开始算号");
    EXPECT_TRUE(program.runState().isIdle);
    EXPECT_EQ(program.runState().tickCount, 0);
    EXPECT_EQ(window().drawTimer().period(), 0);

    const CharFormat& red = *program.formats().redFormat;
    const CharFormat& blue = *program.formats().blueFormat;
    EXPECT_EQ(red.faceName, "宋体");
    EXPECT_EQ(blue.faceName, "宋体");
    EXPECT_EQ(red.size, 16);
    EXPECT_EQ(blue.size, 16);
    EXPECT_EQ(red.color, 255u);
    EXPECT_EQ(blue.color, 16711680u);

    auto* menuBar = window().findChild<QMenuBar*>();
    ASSERT_NE(menuBar, nullptr);
    EXPECT_FALSE(menuBar->isVisible());
    EXPECT_FALSE(window().trayMenu()->menuAction()->isVisible());
    // The items stay, to be popped up from the tray.
    ASSERT_EQ(window().trayMenu()->actions().size(), 2);
    EXPECT_EQ(window().trayMenu()->actions().at(0)->text(), "显示窗口");
    EXPECT_EQ(window().trayMenu()->actions().at(1)->text(), "退出程序");
    EXPECT_TRUE(window().showWindowItem()->isVisible());
    EXPECT_TRUE(window().exitItem()->isVisible());
}

TEST_F(StartedProgram, TheFocusStartsOnTheCountLabel) {
    EXPECT_EQ(QApplication::focusWidget(), control<QLabel>("标签1"));
}

TEST_F(StartedProgram, EveryControlStandsWhereDeclared) {
    struct Expected {
        const char* name;
        const char* parent;
        QRect geometry;
        QString text;
    };
    const Expected controls[] = {
        {"透明标签1", "分组框3", {42, 31, 48, 24}, "秒后停止"},
        {"编辑框1", "分组框3", {8, 32, 32, 20}, ""},
        {"选择框1", "分组框3", {8, 8, 56, 24}, "定时"},
        {"分组框3", nullptr, {280, 200, 96, 64}, ""},
        {"超级编辑框1", nullptr, {2, 10, 264, 254}, ""},
        {"标签1", "分组框2", {16, 10, 32, 24}, "注数"},
        {"按钮3", "分组框1", {7, 112, 90, 32}, "逛“乐和彩”"},
        {"按钮2", "分组框1", {7, 68, 90, 32}, "复制到剪辑板"},
        {"按钮1", "分组框1", {7, 22, 90, 32}, "开始算号"},
        {"编辑框2", "分组框2", {48, 13, 40, 20}, "5"},
        {"分组框2", nullptr, {280, 160, 96, 40}, ""},
        {"分组框1", nullptr, {280, 0, 104, 160}, ""},
    };
    for (const Expected& expected : controls) {
        SCOPED_TRACE(expected.name);
        auto* widget = control<QWidget>(expected.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), expected.geometry);
        EXPECT_TRUE(widget->isVisible());
        EXPECT_TRUE(widget->isEnabled());
        QWidget* parent = expected.parent ? control<QWidget>(expected.parent) : &window();
        EXPECT_EQ(widget->parentWidget(), parent);
        QString shown;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            shown = button->text();
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            shown = label->text();
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            shown = edit->text();
        } else if (auto* box = qobject_cast<ResultsBox*>(widget)) {
            shown = box->toPlainText();
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            shown = group->title();
        }
        EXPECT_EQ(shown, expected.text);
    }
    EXPECT_FALSE(control<QCheckBox>("选择框1")->isChecked());
    EXPECT_EQ(control<QLineEdit>("编辑框2")->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    EXPECT_TRUE(control<QLabel>("标签1")->autoFillBackground());
    EXPECT_FALSE(control<QLabel>("透明标签1")->autoFillBackground());
    EXPECT_FALSE(control<ResultsBox>("超级编辑框1")->isReadOnly());
}

TEST_F(StartedProgram, HasAFixedFrameOfTheDeclaredSizeWithoutMinimiseOrMaximise) {
    // The outer size, frame included, is what is declared; the client shrinks to make room.
    EXPECT_EQ(window().frameGeometry().size(), QSize(384, 303));
    EXPECT_EQ(window().minimumSize(), window().maximumSize());
    const Qt::WindowFlags flags = window().windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
}

TEST_F(StartedProgram, TabWalksTheCycleAndShiftTabWalksItBack) {
    const char* cycle[] = {"编辑框2",     "按钮1",   "按钮2",   "按钮3",
                           "超级编辑框1", "选择框1", "编辑框1", "编辑框2"};
    for (const char* name : cycle) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), control<QWidget>(name)) << name;
    }
    for (int i = static_cast<int>(std::size(cycle)) - 2; i >= 0; --i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), control<QWidget>(cycle[i])) << cycle[i];
    }
}

TEST_F(StartedProgram, ShiftTabOnTheLabelStaysThere) {
    QTest::keyClick(control<QLabel>("标签1"), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), control<QLabel>("标签1"));
}

TEST_F(StartedProgram, EnterClicksTheFocusedButtonElseTheTrendButton) {
    QSignalSpy start(control<QPushButton>("按钮1"), &QPushButton::clicked);
    QSignalSpy trend(control<QPushButton>("按钮3"), &QPushButton::clicked);

    const char* elsewhere[] = {"编辑框2", "编辑框1", "选择框1", "标签1"};
    for (const char* name : elsewhere) {
        control<QWidget>(name)->setFocus();
        QTest::keyClick(control<QWidget>(name), Qt::Key_Return);
    }
    EXPECT_EQ(trend.count(), static_cast<int>(std::size(elsewhere)));
    EXPECT_EQ(start.count(), 0);

    control<QPushButton>("按钮1")->setFocus();
    QTest::keyClick(control<QPushButton>("按钮1"), Qt::Key_Return);
    EXPECT_EQ(start.count(), 1);
    EXPECT_EQ(trend.count(), static_cast<int>(std::size(elsewhere)));
}

TEST_F(StartedProgram, EnterInTheResultsBoxAddsALine) {
    QSignalSpy trend(control<QPushButton>("按钮3"), &QPushButton::clicked);
    auto* box = control<ResultsBox>("超级编辑框1");
    box->setFocus();
    QTest::keyClicks(box, "ab");
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClicks(box, "c");
    EXPECT_EQ(box->toPlainText(), "ab\nc");
    EXPECT_EQ(trend.count(), 0);
}

TEST_F(StartedProgram, EscAsksToCloseFromAnyControl) {
    int asked = 0;
    window().setCloseQuery([&asked] {
        ++asked;
        return false; // refuse, so the window stays for the next key
    });
    const char* focusable[] = {"编辑框2", "按钮1", "超级编辑框1", "选择框1", "编辑框1", "标签1"};
    for (const char* name : focusable) {
        control<QWidget>(name)->setFocus();
        QTest::keyClick(control<QWidget>(name), Qt::Key_Escape);
    }
    EXPECT_EQ(asked, static_cast<int>(std::size(focusable)));
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(window().isDestroyed());
}

TEST_F(StartedProgram, AnAcceptedCloseDestroysTheWindowOnce) {
    QSignalSpy destroying(&window(), &MainWindow::aboutToBeDestroyed);
    QSignalSpy destroyed(&window(), &MainWindow::windowDestroyed);
    window().setCloseQuery([] { return true; });
    EXPECT_TRUE(window().requestClose());
    EXPECT_TRUE(window().isDestroyed());
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(destroying.count(), 1);
    EXPECT_EQ(destroyed.count(), 1);
}

TEST_F(StartedProgram, QueuedDestructionWaitsForTheEventLoopAndAsksNothing) {
    int asked = 0;
    window().setCloseQuery([&asked] {
        ++asked;
        return false;
    });
    QSignalSpy destroyed(&window(), &MainWindow::windowDestroyed);
    window().destroyQueued();
    EXPECT_FALSE(window().isDestroyed());
    EXPECT_TRUE(destroyed.wait(1000));
    EXPECT_TRUE(window().isDestroyed());
    EXPECT_EQ(asked, 0);
}

TEST_F(StartedProgram, TheCountBoxTakesOnlyTypedDigitsAndMinusButAnyPaste) {
    auto* count = control<QLineEdit>("编辑框2");
    count->setFocus();
    count->clear();
    QTest::keyClicks(count, "1a.+-2");
    EXPECT_EQ(count->text(), "1-2");
    QTest::keyClick(count, Qt::Key_Backspace);
    EXPECT_EQ(count->text(), "1-");

    QApplication::clipboard()->setText("abc");
    count->clear();
    QTest::keyClick(count, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(count->text(), "abc");

    auto* seconds = control<QLineEdit>("编辑框1");
    seconds->setFocus();
    QTest::keyClicks(seconds, "a.+-3");
    EXPECT_EQ(seconds->text(), "a.+-3");
}

TEST(PeriodTimer, FollowsItsPeriodProperty) {
    PeriodTimer timer;
    QSignalSpy expired(&timer, &PeriodTimer::expired);
    EXPECT_EQ(timer.period(), 0);
    EXPECT_FALSE(expired.wait(150)); // no period, no event

    timer.setPeriod(-5);
    EXPECT_EQ(timer.period(), 0);

    timer.setPeriod(20);
    EXPECT_TRUE(expired.wait(1000));
    timer.setPeriod(0);
    expired.clear();
    EXPECT_FALSE(expired.wait(100));
}

TEST(PeriodTimer, HoldsBackAnExpiryWhileItsHandlerRuns) {
    PeriodTimer timer;
    int depth = 0;
    int deepest = 0;
    int handled = 0;
    QObject::connect(&timer, &PeriodTimer::expired, [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        ++handled;
        // A slow handler that lets pending events run, as a draw tick does.
        QTest::qWait(30);
        QCoreApplication::processEvents();
        --depth;
    });
    timer.setPeriod(5);
    QTRY_VERIFY_WITH_TIMEOUT(handled >= 4, 5000);
    timer.setPeriod(0);
    EXPECT_EQ(deepest, 1);
}

// An expiry that falls inside the handler comes once the handler has returned, unless a new
// period, written in the handler or before the held-back expiry is due, made it stale.
TEST(PeriodTimer, DeliversAHeldBackExpiryOnceUnlessThePeriodChanged) {
    struct Case {
        const char* what;
        int periodWritten; // -1: none
        bool inHandler;
        int handledAfterwards;
    };
    const Case cases[] = {
        {"nothing written", -1, false, 2},
        {"the same period", 100, false, 2},
        {"another period in the handler", 200, true, 1},
        {"another period after it", 200, false, 1},
        {"stopped in the handler", 0, true, 1},
        {"stopped after it", 0, false, 1},
    };
    for (const Case& c : cases) {
        PeriodTimer timer;
        timer.setDrivenByHand(true);
        timer.setPeriod(100);
        int depth = 0;
        int deepest = 0;
        int handled = 0;
        QObject::connect(&timer, &PeriodTimer::expired, [&] {
            ++depth;
            deepest = std::max(deepest, depth);
            if (++handled == 1) {
                timer.fire(); // falls inside this handler
                if (c.inHandler && c.periodWritten >= 0) {
                    timer.setPeriod(c.periodWritten);
                }
                QCoreApplication::processEvents();
            }
            --depth;
        });
        timer.fire();
        EXPECT_EQ(handled, 1) << c.what;
        if (!c.inHandler && c.periodWritten >= 0) {
            timer.setPeriod(c.periodWritten);
        }
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        EXPECT_EQ(handled, c.handledAfterwards) << c.what;
        EXPECT_EQ(deepest, 1) << c.what;
    }
}

} // namespace
} // namespace vintrale
