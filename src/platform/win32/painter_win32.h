// Draws a window's controls from their data. Everything is drawn into a
// back buffer first and reaches the screen in one blit, so nothing flickers.
//
// Text is drawn without anti-aliasing: on the strips, whose background is
// the see-through key colour, the blended fringe pixels of smoothed text
// would not match the key and would show as an opaque grey halo.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "common/colour.h"
#include "platform/control.h"
#include "platform/win32/gdi_objects.h"

namespace vesk::platform::win32 {

class Painter {
 public:
  Painter() = default;
  ~Painter();
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  // Repaints `area` (client pixels) of the target: the window's background,
  // then every visible control that meets the area, bottom first.
  void paint(HDC target, const RECT& area, Colour background, const std::vector<Control>& controls);

 private:
  void drawControl(HDC dc, const Control& control);
  void drawText(HDC dc, const Control& control, RECT box, UINT format);
  void drawMultiLine(HDC dc, const Control& control, const RECT& box);
  HFONT fontFor(HDC dc, const Font& font);

  HDC bufferFor(HDC target, int width, int height);
  void releaseBuffer();

  std::unique_ptr<MemoryDc> buffer_;
  GdiObject<HBITMAP> bitmap_;
  HGDIOBJ previousBitmap_ = nullptr;
  int bufferWidth_ = 0;
  int bufferHeight_ = 0;

  using FontKey = std::tuple<std::string, double, bool, int, int>;
  std::map<FontKey, GdiObject<HFONT>> fonts_;
};

}  // namespace vesk::platform::win32
