#pragma once

namespace vintrale {

// "宋体" is the Windows name of the Song face the numbers were designed in. Maps it to the Song or
// Ming faces a Linux desktop has, so the numbers keep their look instead of falling back to sans.
void registerFontSubstitutes();

} // namespace vintrale
