// The shape of a window whose pixels of one key colour are see-through:
// the runs of other pixels in each row of its back buffer, kept so that a
// repaint can tell whether the set of key pixels changed, and the region
// they make for SetWindowRgn.
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>
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
  // Forgets every row: the next rescan of all rows reports a change.
  void reset(int height);
  // Reads rows [top, bottom) again; true when the runs of pixels that are
  // not `key` (a COLORREF) changed in any of them.
  bool rescan(const PixelRows& image, int top, int bottom, COLORREF key);
  // The opaque pixels as a region, moved by dx, dy (client to window
  // coordinates); an empty region when every pixel is the key.
  GdiObject<HRGN> region(int dx, int dy) const;

 private:
  using Run = std::pair<int, int>;  // [first, last + 1) of one row
  std::vector<std::vector<Run>> rows_;
  bool unknown_ = true;
};

}  // namespace vesk::platform::win32
