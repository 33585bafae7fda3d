// Plain values that describe other windows: a window's identity and a
// rectangle of screen or client pixels.
#pragma once

#include <cstdint>

namespace vesk {

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

}  // namespace vesk
