// The window-level state of the main window frmVESK, read and written by most
// of the program. Start-up fills the settings from the command line and the
// deadline from its file; everything else starts as listed here.
#pragma once

#include <cstdint>

#include "common/timestamp.h"
#include "common/window_types.h"

namespace vesk {

// The six start-up settings carried on the command line and in the settings
// shortcuts.
struct SettingsRecord {
  std::int16_t hotkeyModifier = 8;  // 8 Windows key, 2 Ctrl, 1 Alt
  std::int16_t compactMode = 0;     // button size: 0 large, 1 medium, 2 small
  std::int16_t btnPos = 0;          // menu buttons: 0 left, 1 right
  std::int16_t fontSize = 11;       // stopwatch font: 10, 11, 12 or 14 points
  bool fontBold = true;
  std::int16_t ptLine = 0;  // party lines: 0 off, 1 on

  friend bool operator==(const SettingsRecord&, const SettingsRecord&) = default;
};

struct MainState : SettingsRecord {
  Timestamp P_CaravanDate = 0;    // hunter-gem deadline
  std::int16_t P_CaravanFlg = 0;  // 1 when the deadline file exists
  std::int16_t gemFileState = 0;  // -1 when the deadline file exists, else 0
  std::int16_t dayOffset = 0;     // days added to the calendar shown
  bool refreshRequested = false;  // full refresh at the next tick
  WindowHandle gameHwnd = 0;
  Rect gameWindowRect;
  Rect gameClientRect;
  Rect lastGameRect;
  double frameX = 0;
  double frameY = 0;
  double captionHeight = 0;
  double meterLeft = 0;
  double meterRightPad = 0;
  double meterStep = 0;
  bool allVisible = true;
  bool swRunning = false;
  std::uint64_t swStartTick = 0;  // tick count at stopwatch start, milliseconds
  std::int16_t maxHP = 100;
  bool placePending = false;
  bool calendarDirty = false;
  std::int16_t refreshTick = 1000;
  bool parking = false;
};

}  // namespace vesk
