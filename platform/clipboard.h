#pragma once

#include <QString>

namespace vintrale {

// Puts text on the clipboard as plain text, replacing whatever it held in every format. True only
// when the clipboard really holds it afterwards: where the desktop tracks clipboard ownership we
// must own it, elsewhere the text must read back unchanged. A refused copy is never reported as
// done.
bool putClipboardText(const QString& text);

} // namespace vintrale
