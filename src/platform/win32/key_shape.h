// The shape of a window whose pixels of one key colour are see-through:
// which pixels of its back buffer are not the key, kept so that a repaint
// can tell whether that set changed, and the region they make for
// SetWindowRgn.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/win32/gdi_objects.h"

namespace vesk::platform::win32 {

// Pixels of a 32-bit top-down bitmap, 0x00RRGGBB each.
struct PixelRows {
  const std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
};

class KeyShape {
 public:
  // Forgets every pixel: the next rescan reports a change.
  void reset();
  // Reads the pixels of `area` again; true when one of them became or
  // stopped being `key` (a COLORREF), or when the image changed size.
  bool rescan(const PixelRows& image, const RECT& area, COLORREF key);
  // The opaque pixels as a region, moved by dx, dy (client to window
  // coordinates); an empty region when every pixel is the key.
  GdiObject<HRGN> region(int dx, int dy) const;

 private:
  std::vector<std::uint8_t> opaque_;  // 1 for a pixel that is not the key
  int width_ = 0;
  int height_ = 0;
  bool unknown_ = true;
};

}  // namespace vesk::platform::win32
