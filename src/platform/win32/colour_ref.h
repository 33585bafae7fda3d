// The program's colours (0x00BBGGRR) as GDI takes them and as a 32-bit
// DIB section holds them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/colour.h"

namespace vesk::platform::win32 {

inline COLORREF colourRef(Colour colour) { return static_cast<COLORREF>(colour & 0xFFFFFF); }

// A COLORREF as GDI stores it in a 32-bit DIB: 0x00RRGGBB.
inline std::uint32_t dibPixel(COLORREF colour) {
  return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) |
         (static_cast<std::uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
}

}  // namespace vesk::platform::win32
