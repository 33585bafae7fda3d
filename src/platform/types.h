// Plain values that cross the platform boundary.
#pragma once

#include <cstdint>

#include "common/window_types.h"

namespace vesk::platform {

using vesk::Rect;
using vesk::WindowHandle;

// Hotkey modifier flags, as RegisterHotKey takes them.
constexpr unsigned kModAlt = 1;
constexpr unsigned kModCtrl = 2;
constexpr unsigned kModShift = 4;
constexpr unsigned kModWin = 8;

// Z-order targets and flags, as SetWindowPos takes them.
constexpr WindowHandle kHwndTopmost = static_cast<WindowHandle>(-1);
constexpr WindowHandle kHwndNoTopmost = static_cast<WindowHandle>(-2);
constexpr unsigned kSwpNoSize = 0x0001;
constexpr unsigned kSwpNoMove = 0x0002;
constexpr unsigned kSwpNoActivate = 0x0010;
constexpr unsigned kSwpShowWindow = 0x0040;

// Mouse buttons as the handlers receive them.
constexpr int kButtonLeft = 1;
constexpr int kButtonRight = 2;
constexpr int kButtonMiddle = 4;

}  // namespace vesk::platform
