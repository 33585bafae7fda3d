// frmVESK, the main strip, as it stands before any code runs: every control
// with its kind, name, index, position and size (design twips divided by
// the screen's twips per pixel), colours, font and sample text.
#pragma once

#include <vector>

#include "platform/control.h"
#include "platform/windowing.h"

namespace vesk {

platform::WindowDesign frmVESKDesign(int twipsPerPixelX, int twipsPerPixelY);
std::vector<platform::Control> frmVESKControls(int twipsPerPixelX, int twipsPerPixelY);

}  // namespace vesk
