// The program from start to end on any platform: the load step, then the
// message loop until the last window is gone.
#pragma once

#include "platform/platform.h"

namespace vesk {

// Returns the process exit code.
int runApp(platform::Platform& platform);

}  // namespace vesk
