#include "platform/message_box.h"

#include <QMessageBox>
#include <QPushButton>

namespace vintrale {

namespace {

MessageBoxScript& installedScript() {
    static MessageBoxScript script;
    return script;
}

QMessageBox::Icon iconFor(MessageStyle style) {
    switch (style) {
    case MessageStyle::error:
        return QMessageBox::Critical;
    case MessageStyle::warning:
        return QMessageBox::Warning;
    case MessageStyle::information:
    case MessageStyle::askYesNo:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void setMessageBoxScript(MessageBoxScript script) {
    installedScript() = std::move(script);
}

MessageAnswer showMessageBox(const QString& text, const QString& caption, MessageStyle style) {
    if (installedScript()) {
        return installedScript()({text, caption, style});
    }
    QMessageBox box(iconFor(style), caption, text);
    box.setWindowModality(Qt::ApplicationModal);
    if (style == MessageStyle::askYesNo) {
        QPushButton* yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.exec();
        return box.clickedButton() == no ? MessageAnswer::no : MessageAnswer::yes;
    }
    QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return MessageAnswer::ok;
}

} // namespace vintrale
