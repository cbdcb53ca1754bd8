#pragma once

#include <QString>
#include <functional>

namespace vintrale {

// The four kinds of box the program shows; the values are the style numbers players' support
// documents quote.
enum class MessageStyle : int {
    error = 16,       // error icon, OK
    warning = 48,     // warning icon, OK
    information = 64, // information icon, OK
    askYesNo = 68,    // information icon, Yes and No
};

enum class MessageAnswer : int {
    ok = 0,
    cancel = 1,
    abort = 2,
    retry = 3,
    ignore = 4,
    yes = 5,
    no = 6
};

struct MessageBoxRequest {
    QString text;
    QString caption;
    MessageStyle style;
};

// Shows an owner-less, application-modal box and waits for the answer. Button texts are
// Chinese whatever the system language, like every other text of the program.
MessageAnswer showMessageBox(const QString& text, const QString& caption, MessageStyle style);

// Test hook: while a script is installed no box is shown; the script sees each request and
// gives the answer. Pass an empty function to show real boxes again.
using MessageBoxScript = std::function<MessageAnswer(const MessageBoxRequest&)>;
void setMessageBoxScript(MessageBoxScript script);

} // namespace vintrale
