// Where a line of text really ends on screen. The system's extents and glyph
// metrics describe advances, and may pad or leave out a glyph's overhang
// (Wine reports a bold digit's whole cell as ink), so the line is drawn
// aside, in a scratch bitmap kept for the next line, and looked at.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "platform/win32/gdi_objects.h"

namespace vesk::platform::win32 {

class InkRuler {
 public:
  // The column after the last one that `text` in `font` inks, drawn from
  // x = 0 (extent: the line's GetTextExtentPoint32 size); the extent's
  // width when it cannot be drawn aside.
  int inkEnd(HFONT font, const std::wstring& text, SIZE extent);

 private:
  // A scratch canvas at least width x height.
  bool fit(int width, int height);

  std::unique_ptr<PixelCanvas> canvas_;
};

}  // namespace vesk::platform::win32
