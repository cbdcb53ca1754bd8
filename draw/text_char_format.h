#pragma once

#include "core/char_format.h"

#include <QTextCharFormat>

namespace vintrale {

// A CharFormat as the results box applies it: every property set at once, so nothing of an
// earlier format shows through. Sizes and offsets are points; the protected effect has no
// counterpart in the box and is left out; the automatic colour clears the foreground so the
// palette's text colour shows.
QTextCharFormat toTextCharFormat(const CharFormat& format);

} // namespace vintrale
