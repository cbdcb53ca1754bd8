#include "app/program.h"

#include "platform/fatal_error.h"
#include "platform/message_box.h"

#include <QLabel>
#include <QPushButton>
#include <new>

namespace vintrale {

namespace {

std::unique_ptr<CharFormat> newStartFormat() {
    auto format = std::make_unique<CharFormat>();
    format->faceName = songTypeface;
    format->size = 9;
    format->color = automaticColor;
    return format;
}

} // namespace

CharFormats createFormats() {
    try {
        CharFormats formats;
        formats.redFormat = newStartFormat();
        formats.blueFormat = newStartFormat();
        return formats;
    } catch (const std::bad_alloc&) {
        fatalError(QStringLiteral("内存不足：无法分配 %1 字节。").arg(sizeof(CharFormat)));
    }
}

Program::Program(ProgramLocation location, StartupSteps startupSteps)
    : location_(std::move(location)), startupSteps_(std::move(startupSteps)),
      formats_(createFormats()) {}

Program::~Program() = default;

void Program::loadMainWindow() {
    mainWindow_ = std::make_unique<MainWindow>();
    trayIcon_ = std::make_unique<TrayIcon>(*mainWindow_);
    closeToTray_ = std::make_unique<CloseToTray>(*mainWindow_, *trayIcon_);
    resultsDisplay_ = std::make_unique<ResultsDisplay>(
        *mainWindow_->resultsBox(), *mainWindow_->countEdit(), formats_, randomSource_);
    runControl_ =
        std::make_unique<RunControl>(*mainWindow_, runState_, *resultsDisplay_, *trayIcon_);
    bindHandlers();
    mainWindow_->load();
}

void Program::onMainWindowCreated() {
    if (startupSteps_.applySkin) {
        startupSteps_.applySkin();
    }
    if (startupSteps_.anotherInstanceRunning && startupSteps_.anotherInstanceRunning()) {
        showMessageBox(QStringLiteral("您已打开了本软件，并正在运行"),
                       QStringLiteral("不支持多开！"), MessageStyle::warning);
        // The remaining steps still run: the window is shown for a moment, then the event loop
        // destroys it and the program ends in the orderly way.
        mainWindow_->destroyQueued();
    }
    mainWindow_->setTrayMenuVisible(false);
    runState_.isIdle = true;
    mainWindow_->startStopButton()->setText(QStringLiteral("开始算号"));
    formats_.redFormat->color = pureRed;
    formats_.redFormat->size = 16;
    formats_.blueFormat->size = 16;
    formats_.blueFormat->color = pureBlue;
    mainWindow_->countLabel()->setFocus(Qt::OtherFocusReason);
}

void Program::exitCleanup() {
    if (cleanedUp_) {
        return;
    }
    cleanedUp_ = true;
    formats_.redFormat.reset();
    formats_.blueFormat.reset();
}

} // namespace vintrale
