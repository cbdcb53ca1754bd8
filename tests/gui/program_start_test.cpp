#include "app/program.h"
#include "platform/message_box.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vintrale {
namespace {

// The created event with both outside steps replaced: each step notes when it ran and whether
// any window of the program was on screen by then, and so does every message box.
class StartSteps : public ::testing::Test {
protected:
    void SetUp() override {
        setMessageBoxScript([this](const MessageBoxRequest& request) {
            note("box " + request.caption.toStdString());
            boxes.push_back(request);
            return MessageAnswer::ok;
        });
    }
    void TearDown() override { setMessageBoxScript({}); }

    void note(const std::string& what) {
        // Called only from inside loadMainWindow, once the window exists.
        const bool windowShown = program.mainWindow().isVisible();
        steps.push_back(what + (windowShown ? " (window shown)" : ""));
    }

    void start() { program.loadMainWindow(); }

    bool otherInstance = false;
    std::vector<std::string> steps;
    std::vector<MessageBoxRequest> boxes;
    Program program{ProgramLocation{"/opt/vintrale", "vintrale"},
                    StartupSteps{[this] { note("skin"); },
                                 [this] {
                                     note("guard");
                                     return otherInstance;
                                 }}};
};

TEST_F(StartSteps, AloneTheSkinComesFirstThenTheGuardAndNoBox) {
    start();
    EXPECT_EQ(steps, (std::vector<std::string>{"skin", "guard"}));
    EXPECT_TRUE(boxes.empty());

    QCoreApplication::processEvents();
    EXPECT_TRUE(program.mainWindow().isVisible());
    EXPECT_FALSE(program.mainWindow().isDestroyed());
}

TEST_F(StartSteps, ASecondInstanceIsRefusedBeforeAnyWindowIsShown) {
    otherInstance = true;
    start();

    EXPECT_EQ(steps, (std::vector<std::string>{"skin", "guard", "box 不支持多开！"}));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "您已打开了本软件，并正在运行");
    EXPECT_EQ(boxes[0].caption, "不支持多开！");
    EXPECT_EQ(boxes[0].style, MessageStyle::warning);
}

TEST_F(StartSteps, ARefusedInstanceFinishesItsStartThenTheLoopDestroysTheWindow) {
    otherInstance = true;
    start();

    // The rest of the start ran in spite of the refusal, and the destruction waits for the
    // event loop.
    MainWindow& window = program.mainWindow();
    EXPECT_FALSE(window.isDestroyed());
    EXPECT_TRUE(program.runState().isIdle);
    EXPECT_EQ(window.startStopButton()->text(), "开始算号");
    EXPECT_EQ(program.formats().redFormat->size, 16);
    EXPECT_EQ(program.formats().blueFormat->color, pureBlue);

    QSignalSpy destroyed(&window, &MainWindow::windowDestroyed);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.isDestroyed());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(destroyed.count(), 1);
    EXPECT_EQ(boxes.size(), 1u) << "the destruction asks nothing";

    program.exitCleanup();
    EXPECT_EQ(program.formats().redFormat, nullptr);
}

TEST(StartStepDefaults, ATestProgramNeitherSkinsNorRefuses) {
    setMessageBoxScript([](const MessageBoxRequest& request) -> MessageAnswer {
        ADD_FAILURE() << "unexpected box " << request.caption.toStdString();
        return MessageAnswer::ok;
    });
    const QString sheetBefore = qApp->styleSheet();
    {
        Program program{ProgramLocation{"/opt/vintrale", "vintrale"}};
        program.loadMainWindow();
        QCoreApplication::processEvents();
        EXPECT_FALSE(program.mainWindow().isDestroyed());
    }
    EXPECT_EQ(qApp->styleSheet(), sheetBefore);
    setMessageBoxScript({});
}

} // namespace
} // namespace vintrale
