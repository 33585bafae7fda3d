// Plain values that cross the platform boundary.
#pragma once

#include <cstdint>

namespace vesk::platform {

// A top-level window of any process, as the platform identifies it; 0 is none.
using WindowHandle = std::uintptr_t;

// Four 32-bit integers, pixels: left, top, right, bottom.
struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  std::int32_t width() const { return right - left; }
  std::int32_t height() const { return bottom - top; }
  bool isZero() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

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
constexpr unsigned kSwpShowWindow = 0x0040;

// Mouse buttons as the handlers receive them.
constexpr int kButtonLeft = 1;
constexpr int kButtonRight = 2;
constexpr int kButtonMiddle = 4;

}  // namespace vesk::platform
