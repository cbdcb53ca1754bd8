#pragma once

#include "app/skin_library.h"

#include <QByteArray>
#include <string>

namespace vintrale {

// What the executable carries: the engine library, byte for byte, and the skin data.
QByteArray skinLibraryBytes();
QByteArray skinData();

// The first step of the created event. Puts the carried engine into the program's folder unless
// an entry of its name is there already (an unwritable folder is no error), binds
// SkinH_AttachRes and hands it the skin. When no engine with that function can be loaded the
// program cannot go on: a fatal error, before any window is shown.
void applySkin(const std::string& programDirectory, SkinLibrary& library);

} // namespace vintrale
