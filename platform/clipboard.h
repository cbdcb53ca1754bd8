#pragma once

#include <QString>

namespace vintrale {

// Puts text on the clipboard as plain text, replacing whatever it held in every format. True only
// when the clipboard really holds it afterwards: where the desktop tracks clipboard ownership we
// must own it, elsewhere the text must read back unchanged. A refused copy is never reported as
// done.
bool putClipboardText(const QString& text);

// Test hook: while set, putClipboardText leaves the clipboard alone and fails, as it does when
// another program holds on to the clipboard.
void setClipboardRefusedForTests(bool refused);

} // namespace vintrale
