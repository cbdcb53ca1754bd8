#include "tray/commands.h"

#include "core/text_rules.h"
#include "platform/clipboard.h"
#include "platform/message_box.h"
#include "platform/shell_open.h"
#include "window/results_box.h"

namespace vintrale {

void onCopyClicked(const RunState& runState, MainWindow& window) {
    // A run refills the box on every tick, so nothing would be copied that the player could
    // still see; this comes before the empty test, so a run with an empty box warns too.
    if (!runState.isIdle) {
        showMessageBox(QStringLiteral("请先停止算号"), QStringLiteral("警告"),
                       MessageStyle::warning);
        return;
    }
    const QString text = window.resultsBox()->toPlainText();
    // The same exact comparison as every other emptiness test of the program.
    if (compareText(text.toStdString(), {}) == 0) {
        showMessageBox(QStringLiteral("号码区没有数据，无法复制"), QStringLiteral("提示"),
                       MessageStyle::information);
        return;
    }
    if (putClipboardText(text)) {
        showMessageBox(QStringLiteral("复制成功！"), QStringLiteral("恭喜！"),
                       MessageStyle::information);
    } else {
        showMessageBox(QStringLiteral("复制没有成功！"), QStringLiteral("对不起！"),
                       MessageStyle::information);
    }
}

void onTrendClicked() {
    // Whether a browser really shows the page cannot be known here, so nothing is reported.
    openWithShell(QStringLiteral("open"), QString::fromLatin1(trendPageAddress),
                  QStringLiteral("explorer "));
}

} // namespace vintrale
