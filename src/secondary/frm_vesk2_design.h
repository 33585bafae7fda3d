// frmVESK2, the secondary strip, as it stands before any code runs.
#pragma once

#include <vector>

#include "platform/control.h"
#include "platform/windowing.h"

namespace vesk {

platform::WindowDesign frmVESK2Design(int twipsPerPixelX, int twipsPerPixelY);
std::vector<platform::Control> frmVESK2Controls(int twipsPerPixelX, int twipsPerPixelY);

}  // namespace vesk
