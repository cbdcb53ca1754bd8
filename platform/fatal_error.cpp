#include "platform/fatal_error.h"

#include "platform/message_box.h"

#include <cstdlib>

namespace vintrale {

void fatalError(const QString& message) {
    showMessageBox(message, QStringLiteral("错误"), MessageStyle::error);
    // _Exit skips atexit handlers and static destructors: nothing of the program runs any more.
    std::_Exit(-1);
}

} // namespace vintrale
