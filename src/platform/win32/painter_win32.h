// Draws a window's controls from their data into a back buffer the size of
// the window's client area, which always holds the whole window as it
// should look: areas reach the screen from it in one blit each, so nothing
// flickers, and an exposure is a blit alone.
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
#include "platform/screen_scale.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/ink_ruler.h"
#include "platform/win32/key_shape.h"

namespace vesk::platform::win32 {

class Painter {
 public:
  Painter() = default;
  ~Painter();
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  // Makes the back buffer width x height pixels, unless it is that size
  // already; true when it was made anew (its pixels are then undefined).
  // False, and no buffer, when the system refuses one.
  bool resize(int width, int height);
  // The scale the controls are drawn at (screen_scale.h): their
  // rectangles, fonts, frame lines and text insets. Call render() for the
  // whole buffer after a change.
  void setScale(ScreenScale scale) { scale_ = scale; }
  ScreenScale scale() const { return scale_; }
  // The dots per inch fonts are made for, before the scale; 0 (the
  // default) takes the back buffer's own.
  void setFontDpi(int dotsPerInch) { fontDpi_ = dotsPerInch; }
  // Redraws `area` (client pixels) of the back buffer: the window's
  // background, then every visible control that meets the area, bottom
  // first.
  void render(const RECT& area, Colour background, const std::vector<Control>& controls);
  // Copies `area` of the back buffer to the target.
  void show(HDC target, const RECT& area) const;
  // The back buffer's pixels, everything drawn so far included.
  PixelRows pixels() const;
  int width() const { return buffer_ ? buffer_->width() : 0; }
  int height() const { return buffer_ ? buffer_->height() : 0; }

 private:
  // The control within its bounds at this scale.
  void drawControl(HDC dc, const Control& control, const RECT& bounds);
  // The control's text, with its colour and (unless the caller picks the
  // size itself) its font selected; empty when there is nothing to draw in
  // the box.
  std::wstring textToDraw(HDC dc, const Control& control, const RECT& box, bool selectFont = true);
  // One line of text in the box, centred across and down as asked.
  void drawLine(HDC dc, const Control& control, const RECT& box, bool centred, bool vcentred);
  // Selects the font for a single line in a box `width` wide, and gives the
  // line's extent in it; false when the system cannot measure it.
  bool lineFont(HDC dc, const Control& control, const std::wstring& text, int width, SIZE& extent);
  // Text wrapped at words as DrawText wraps it.
  void drawWrapped(HDC dc, const Control& control, RECT box, UINT format);
  // Solid colour and one-pixel frames, within the area being drawn.
  void fill(const RECT& r, COLORREF colour);
  // Lines of the scaled one-pixel width inside the rectangle.
  void frame(const RECT& r, COLORREF colour);
  void flushGdi();
  // The area being drawn as the DC's clip region, for the text that needs it.
  void clipToArea(HDC dc);
  void drawMultiLine(HDC dc, const Control& control, const RECT& box);
  // The control's font at this scale, or at a size of its own in points.
  HFONT fontFor(const Font& font);
  HFONT fontAt(const Font& font, double points);
  int fontDpi() const { return fontDpi_ > 0 ? fontDpi_ : dotsPerInch_; }
  // Selects the font (null: the default GUI font) into the back buffer
  // unless it is selected already.
  void useFont(HDC dc, HFONT font);
  // Puts the buffer's own font back, before a selected font is deleted.
  void restoreFont();
  void useTextColour(HDC dc, COLORREF colour);

  void releaseBuffer();

  std::unique_ptr<PixelCanvas> buffer_;
  int dotsPerInch_ = 96;  // of the buffer, read when it is made
  int fontDpi_ = 0;
  ScreenScale scale_;
  COLORREF textColour_ = CLR_INVALID;
  RECT clip_{};                      // the area being drawn
  bool clipRegionSet_ = false;       // the DC's clip region is clip_
  mutable bool gdiPending_ = false;  // GDI drew since the pixels were last written directly

  InkRuler ink_;
  // A fitted line's font size in points, by its font, box width, scale and
  // text with its digits as zeros.
  using FitKey = std::tuple<std::string, double, bool, int, int, int, double, std::wstring>;
  std::map<FitKey, double> fitted_;

  using FontKey = std::tuple<std::string, double, bool, int, int>;
  std::map<FontKey, GdiObject<HFONT>> fonts_;
  HGDIOBJ selectedFont_ = nullptr;  // ours, in the buffer now
  HGDIOBJ originalFont_ = nullptr;  // the buffer's own, put back at the end
};

}  // namespace vesk::platform::win32
