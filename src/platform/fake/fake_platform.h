// The whole fake platform in one object, for tests.
#pragma once

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_game_watch.h"
#include "platform/fake/fake_shortcuts.h"
#include "platform/fake/fake_system.h"
#include "platform/fake/fake_windowing.h"
#include "platform/platform.h"

namespace vesk::platform::fake {

struct FakePlatform {
  FakeClock clock;
  FakeFiles files;
  FakeSystem system;
  FakeShortcuts shortcuts;
  FakeWindowing windowing;
  FakeGameWatch gameWatch{windowing};
  Platform services{clock, files, system, shortcuts, windowing, gameWatch};
};

}  // namespace vesk::platform::fake
