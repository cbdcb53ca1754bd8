#pragma once

#include <QString>

namespace vintrale {

// For errors the program cannot go on from: an error box naming what went wrong, then the
// process ends at once with exit status 255, skipping the orderly clean-up.
[[noreturn]] void fatalError(const QString& message);

} // namespace vintrale
