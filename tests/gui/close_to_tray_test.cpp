#include "tray_test_support.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>

namespace vintrale {
namespace {

using CloseQuestion = TrayProgram;

TEST_F(CloseQuestion, YesHidesToTheTrayWithTheProgramNameAsTip) {
    window().setCaption(QStringLiteral("Vintrale-[00：01：05]"));
    answer = MessageAnswer::yes;
    EXPECT_FALSE(window().requestClose());
    EXPECT_EQ(shown, std::vector<Box>{minimiseQuestion});
    EXPECT_FALSE(window().isDestroyed());
    EXPECT_FALSE(window().isShownOnScreen());
    EXPECT_TRUE(tray().isShown());
    EXPECT_EQ(tray().tip(), "Vintrale"); // whatever the caption read
}

TEST_F(CloseQuestion, NoClosesAndTheProgramEnds) {
    QSignalSpy ended(&window(), &MainWindow::windowDestroyed);
    answer = MessageAnswer::no;
    EXPECT_TRUE(window().requestClose());
    EXPECT_EQ(shown, std::vector<Box>{minimiseQuestion});
    EXPECT_TRUE(window().isDestroyed());
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(tray().isShown());
}

TEST_F(CloseQuestion, YesWithoutANotificationAreaMinimisesInstead) {
    trayAvailable = false;
    answer = MessageAnswer::yes;
    EXPECT_FALSE(window().requestClose());
    EXPECT_FALSE(window().isDestroyed());
    EXPECT_TRUE(window().isMinimized());
    EXPECT_TRUE(window().isVisible()); // still on the task bar, so it can come back
    EXPECT_FALSE(tray().isShown());
}

TEST_F(CloseQuestion, ARunGoesOnInTheTray) {
    program.runState().isIdle = false;
    window().drawTimer().setPeriod(100);
    closeToTray();
    EXPECT_FALSE(window().isShownOnScreen());
    EXPECT_FALSE(program.runState().isIdle);
    EXPECT_EQ(window().drawTimer().period(), 100);
    window().drawTimer().setPeriod(0);
}

TEST_F(CloseQuestion, AskedAgainInTheTrayMakesAFreshIconWithTheProgramName) {
    closeToTray();
    tray().setTrayIcon(trayIconData(), QStringLiteral("something else"));
    answer = MessageAnswer::yes;
    EXPECT_FALSE(window().requestClose());
    EXPECT_FALSE(window().isShownOnScreen());
    EXPECT_EQ(tray().tip(), "Vintrale");
}

struct TrayEventCase {
    const char* what;
    bool startInTray;
    int type;
    bool expectShown;
    bool expectIcon;
};

TEST_F(TrayProgram, TrayEventsToggleOnDoubleClickOnly) {
    const TrayEventCase cases[] = {
        {"double-click in the tray", true, 2, true, false},
        {"double-click on the shown window", false, 2, false, true},
        {"left click in the tray", true, 1, false, true},
        {"left click on the shown window", false, 1, true, false},
        {"unknown type 0", true, 0, false, true},
        {"unknown type 4", true, 4, false, true},
        {"unknown type -1", false, -1, true, false},
    };
    for (const TrayEventCase& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.startInTray) {
            closeToTray();
        } else {
            window().setShownOnScreen(true);
            tray().removeTrayIcon();
        }
        emit tray().trayEvent(c.type);
        EXPECT_EQ(window().isShownOnScreen(), c.expectShown);
        EXPECT_EQ(tray().isShown(), c.expectIcon);
        EXPECT_TRUE(shown.empty());
    }
}

TEST_F(TrayProgram, HidingByDoubleClickTakesTheCaptionAsTipOnce) {
    window().setCaption(QStringLiteral("Vintrale-[00：00：42]"));
    emit tray().trayEvent(2);
    ASSERT_FALSE(window().isShownOnScreen());
    EXPECT_EQ(tray().tip(), "Vintrale-[00：00：42]");
    window().setCaption(QStringLiteral("Vintrale-[00：00：43]"));
    EXPECT_EQ(tray().tip(), "Vintrale-[00：00：42]");

    emit tray().trayEvent(2);
    window().setCaption(QString());
    emit tray().trayEvent(2);
    EXPECT_TRUE(tray().isShown());
    EXPECT_EQ(tray().tip(), "");
}

// A double-click reaches the program in whichever way the notification area reports it, and
// toggles the window exactly once. The window starts shown with an icon, so the icon stays for
// every report and a second toggle would show.
TEST_F(TrayProgram, ADoubleClickOnTheIconTogglesOnceWhateverTheAreaReports) {
    using Reason = QSystemTrayIcon::ActivationReason;
    struct Report {
        Reason reason;
        int afterMs;
    };
    struct AreaCase {
        const char* what;
        std::vector<Report> reports;
        bool expectToggled;
    };
    const int quick = QApplication::doubleClickInterval() / 4;
    const int slow = QApplication::doubleClickInterval() * 3;
    const AreaCase cases[] = {
        {"reported as a double-click", {{Reason::Trigger, 0}, {Reason::DoubleClick, quick}}, true},
        {"reported as two triggers", {{Reason::Trigger, 0}, {Reason::Trigger, quick}}, true},
        {"reported both ways",
         {{Reason::Trigger, 0}, {Reason::Trigger, quick}, {Reason::DoubleClick, 1}},
         true},
        {"with a release after it",
         {{Reason::Trigger, 0}, {Reason::DoubleClick, quick}, {Reason::Trigger, quick}},
         true},
        {"two slow clicks", {{Reason::Trigger, 0}, {Reason::Trigger, slow}}, false},
        {"one click", {{Reason::Trigger, 0}}, false},
        {"right click", {{Reason::Context, 0}}, false},
    };
    std::int64_t now = 0;
    tray().setClockForTests([&now] { return now; });
    for (const AreaCase& c : cases) {
        SCOPED_TRACE(c.what);
        window().setShownOnScreen(true);
        tray().setTrayIcon(trayIconData(), QStringLiteral("Vintrale"));
        now += 100'000;
        for (const Report& report : c.reports) {
            now += report.afterMs;
            ASSERT_TRUE(tray().isShown());
            emit tray().systemTrayIcon()->activated(report.reason);
            QCoreApplication::processEvents();
        }
        window().trayMenu()->hide();
        EXPECT_EQ(window().isShownOnScreen(), !c.expectToggled);
    }
}

TEST_F(TrayProgram, TwoQuickTriggersBringTheWindowBackFromTheTray) {
    std::int64_t now = 1'000;
    tray().setClockForTests([&now] { return now; });
    closeToTray();
    emit tray().systemTrayIcon()->activated(QSystemTrayIcon::Trigger);
    QCoreApplication::processEvents();
    now += QApplication::doubleClickInterval() / 4;
    emit tray().systemTrayIcon()->activated(QSystemTrayIcon::Trigger);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window().isShownOnScreen());
    EXPECT_FALSE(tray().isShown());
}

class TrayMenu : public TrayProgram {
protected:
    void SetUp() override {
        TrayProgram::SetUp();
        cursorAt = QGuiApplication::primaryScreen()->geometry().center();
        QCursor::setPos(cursorAt);
    }
    void TearDown() override {
        window().trayMenu()->hide();
        TrayProgram::TearDown();
    }
    QMenu* menu() { return window().trayMenu(); }
    void choose(QAction* item, Qt::MouseButton button) {
        ASSERT_TRUE(menu()->isVisible());
        QTest::mouseClick(menu(), button, {}, menu()->actionGeometry(item).center());
        QCoreApplication::processEvents();
    }
    QPoint cursorAt;
};

TEST_F(TrayMenu, PopsUpBesideTheCursorWithBothItems) {
    closeToTray();
    emit tray().trayEvent(3);
    ASSERT_TRUE(menu()->isVisible());
    EXPECT_EQ(menu()->pos(), cursorAt + QPoint(3, 3));
    ASSERT_EQ(menu()->actions().size(), 2);
    EXPECT_EQ(menu()->actions().at(0), window().showWindowItem());
    EXPECT_EQ(menu()->actions().at(1), window().exitItem());
    EXPECT_FALSE(window().isShownOnScreen()); // the window stays where it was
}

TEST_F(TrayMenu, DismissedWithoutAChoiceChangesNothing) {
    closeToTray();
    emit tray().trayEvent(3);
    ASSERT_TRUE(menu()->isVisible());
    QTest::keyClick(menu(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_FALSE(menu()->isVisible());
    EXPECT_FALSE(window().isShownOnScreen());
    EXPECT_TRUE(tray().isShown());
    EXPECT_FALSE(window().isDestroyed());
}

TEST_F(TrayMenu, ShowWindowBringsItBackWithEitherButton) {
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        SCOPED_TRACE(button);
        closeToTray();
        emit tray().trayEvent(3);
        choose(window().showWindowItem(), button);
        EXPECT_TRUE(window().isShownOnScreen());
        EXPECT_FALSE(tray().isShown());
    }
}

TEST_F(TrayMenu, ShowWindowOnAShownWindowDropsAnyIcon) {
    tray().setTrayIcon(trayIconData(), QStringLiteral("Vintrale"));
    emit tray().trayEvent(3);
    choose(window().showWindowItem(), Qt::LeftButton);
    EXPECT_TRUE(window().isShownOnScreen());
    EXPECT_FALSE(tray().isShown());
}

TEST_F(TrayMenu, ExitEndsWithoutAQuestionAndTakesTheIcon) {
    closeToTray();
    QSignalSpy ended(&window(), &MainWindow::windowDestroyed);
    emit tray().trayEvent(3);
    choose(window().exitItem(), Qt::LeftButton);
    QCoreApplication::processEvents(); // the destruction is queued
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(window().isDestroyed());
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(tray().isShown());
}

using SessionEnd = TrayProgram;

TEST_F(SessionEnd, YesObjectsAndKeepsTheProgramInTheTray) {
    answer = MessageAnswer::yes;
    EXPECT_TRUE(program.closeToTray().onSessionEndQuery(true));
    EXPECT_EQ(shown, std::vector<Box>{minimiseQuestion});
    EXPECT_FALSE(window().isShownOnScreen());
    EXPECT_TRUE(tray().isShown());
    EXPECT_EQ(tray().tip(), "Vintrale");

    // A close afterwards asks again as usual.
    shown.clear();
    answer = MessageAnswer::yes;
    EXPECT_FALSE(window().requestClose());
    EXPECT_EQ(shown, std::vector<Box>{minimiseQuestion});
}

TEST_F(SessionEnd, AnAllowedEndClosesTheWindowWithoutAskingTwice) {
    struct EndCase {
        const char* what;
        bool mayAsk;
        std::vector<Box> expectAsked;
    };
    const EndCase cases[] = {
        {"answered No", true, {minimiseQuestion}},
        {"no leave to ask", false, {}},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.what);
        Program fresh{ProgramLocation{"/opt/vintrale", "vintrale"}};
        fresh.loadMainWindow();
        shown.clear();
        answer = MessageAnswer::no;
        EXPECT_FALSE(fresh.closeToTray().onSessionEndQuery(c.mayAsk));
        EXPECT_EQ(shown, c.expectAsked);
        EXPECT_TRUE(fresh.mainWindow().isShownOnScreen());

        // The session's end then closes the window: no second question.
        shown.clear();
        answer = MessageAnswer::yes;
        EXPECT_TRUE(fresh.mainWindow().requestClose());
        EXPECT_TRUE(shown.empty());
        EXPECT_TRUE(fresh.mainWindow().isDestroyed());
    }
}

} // namespace
} // namespace vintrale
