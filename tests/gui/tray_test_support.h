#pragma once

#include "app/program.h"
#include "platform/clipboard.h"
#include "platform/message_box.h"
#include "tray/tray_icon.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace vintrale {

// A message box as the player would see it.
struct Box {
    QString text;
    QString caption;
    MessageStyle style;
    bool operator==(const Box&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Box& box) {
    return out << '"' << box.text.toStdString() << "\" / \"" << box.caption.toStdString() << "\" / "
               << static_cast<int>(box.style);
}

// A started program whose message boxes are answered by `answer` and recorded in `shown`, on a
// desktop that has a notification area unless a test says otherwise.
class TrayProgram : public ::testing::Test {
protected:
    void SetUp() override {
        setTrayAvailabilityProbe([this] { return trayAvailable; });
        setMessageBoxScript([this](const MessageBoxRequest& request) {
            shown.push_back({request.text, request.caption, request.style});
            return answer;
        });
        program.loadMainWindow();
        QApplication::setActiveWindow(&window());
        shown.clear();
    }
    void TearDown() override {
        setMessageBoxScript({});
        setTrayAvailabilityProbe({});
        setClipboardRefusedForTests(false);
    }

    MainWindow& window() { return program.mainWindow(); }
    TrayIcon& tray() { return program.trayIcon(); }

    // Closes the window with the answer Yes, so it goes to the tray.
    void closeToTray() {
        answer = MessageAnswer::yes;
        window().requestClose();
        shown.clear();
    }

    std::vector<Box> shown;
    MessageAnswer answer = MessageAnswer::no;
    bool trayAvailable = true;
    Program program{ProgramLocation{"/opt/vintrale", "vintrale"}};
};

inline const Box minimiseQuestion{QStringLiteral("是否最小化到系统托盘"), QStringLiteral("提示！"),
                                  MessageStyle::askYesNo};

} // namespace vintrale
