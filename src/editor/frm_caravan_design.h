// frmCaravan, the gem deadline editor, as it stands before its load step:
// the window and every control with its kind, name, index, position and
// size (design twips divided by the screen's twips per pixel), colours,
// font and design-time text.
#pragma once

#include <vector>

#include "common/colour.h"
#include "platform/control.h"
#include "platform/windowing.h"

namespace vesk {

// The eight back colours the load step picks from, pick 1 to 8.
inline constexpr Colour kCaravanBackColours[8] = {0x000000, 0x000040, 0x404080, 0x004040,
                                                  0x004000, 0x404000, 0x400000, 0x400040};

platform::WindowDesign frmCaravanDesign(int twipsPerPixelX, int twipsPerPixelY);
std::vector<platform::Control> frmCaravanControls(int twipsPerPixelX, int twipsPerPixelY);

}  // namespace vesk
