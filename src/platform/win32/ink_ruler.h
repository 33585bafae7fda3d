// Where a line of text really ends on screen. The system's extents and glyph
// metrics describe advances, and may pad or leave out a glyph's overhang
// (Wine reports a bold digit's whole cell as ink), so the line is drawn
// aside, in a scratch bitmap kept for the next line, and looked at.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/win32/gdi_objects.h"

namespace vesk::platform::win32 {

class InkRuler {
 public:
  InkRuler() = default;
  ~InkRuler();
  InkRuler(const InkRuler&) = delete;
  InkRuler& operator=(const InkRuler&) = delete;

  // The column after the last one that `text` in `font` inks, drawn from
  // x = 0 (extent: the line's GetTextExtentPoint32 size); the extent's
  // width when it cannot be drawn aside.
  int inkEnd(HFONT font, const std::wstring& text, SIZE extent);

 private:
  bool fit(int width, int height);
  void release();

  std::unique_ptr<MemoryDc> dc_;
  GdiObject<HBITMAP> bitmap_;
  HGDIOBJ previousBitmap_ = nullptr;
  const std::uint32_t* bits_ = nullptr;  // 32 bits a pixel, top row first
  int width_ = 0;
  int height_ = 0;
};

}  // namespace vesk::platform::win32
