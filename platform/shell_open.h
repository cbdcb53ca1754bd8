#pragma once

#include <QString>

namespace vintrale {

// The desktop's "open" on a web address: the user's browser shows the page; we do not wait for
// it. Other operations are not offered here and give false. The parameter text, which some
// desktops hand to the program they start, has no place in how this desktop opens an address and
// is dropped. The address is taken exactly as written; an address that is not valid as written
// is not opened. True means only that the desktop took the request: whether a browser then shows
// the page is not known here.
bool openWithShell(const QString& operation, const QString& target, const QString& parameterText);

} // namespace vintrale
