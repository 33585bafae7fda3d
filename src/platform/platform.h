// The services the program's logic calls, gathered so that they travel as
// one reference: the Win32 set in vesk.exe, the fake set in the unit tests.
#pragma once

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/game_watch.h"
#include "platform/shortcuts.h"
#include "platform/system.h"
#include "platform/windowing.h"

namespace vesk::platform {

struct Platform {
  Clock& clock;
  Files& files;
  System& system;
  Shortcuts& shortcuts;
  Windowing& windowing;
  GameWatch& gameWatch;
};

}  // namespace vesk::platform
