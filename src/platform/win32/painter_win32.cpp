#include "platform/win32/painter_win32.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/win32/colour_ref.h"
#include "platform/win32/control_geometry.h"
#include "platform/win32/font_win32.h"
#include "platform/win32/text_rows.h"
#include "platform/win32/wide_text.h"

namespace vesk::platform::win32 {

namespace {

constexpr COLORREF kBorderColour = 0x000000;
constexpr COLORREF kFieldWhite = 0xFFFFFF;
constexpr int kCheckBoxSize = 13;
constexpr int kTextInset = 1;
// Fonts of every size and weight in use fit easily; the cache is emptied
// beyond this in case a caller keeps inventing new ones.
constexpr std::size_t kFontCacheLimit = 64;
constexpr std::size_t kFitCacheLimit = 64;

// A line's fitting is worked out once for its shape: tabular digits make
// "0:00:12.34" and "0:00:12.35" the same width.
std::wstring digitsAsZeros(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'0' && c <= L'9') c = L'0';
  }
  return text;
}

RECT inset(RECT r, int dx, int dy) {
  InflateRect(&r, -dx, -dy);
  return r;
}

double pointsOf(const Font& font) {
  return font.points > 0 && std::isfinite(font.points) ? font.points : 9.0;
}

// Where a single line of the control's text goes within its bounds at this
// scale: a button's whole face, a text box inside its border and inset, a
// check box's caption beside the box.
RECT lineBox(const Control& control, const RECT& bounds, ScreenScale scale) {
  switch (control.kind) {
    case ControlKind::TextBox: {
      const int line = scale.extent(1);
      const RECT inner = control.border ? inset(bounds, line, line) : bounds;
      return inset(inner, scale.extent(kTextInset), 0);
    }
    case ControlKind::CheckBox: {
      RECT caption = bounds;
      caption.left = bounds.left + scale.extent(kCheckBoxSize) + scale.extent(4);
      return caption;
    }
    default:
      return bounds;
  }
}

}  // namespace

Painter::~Painter() { releaseBuffer(); }

void Painter::releaseBuffer() {
  restoreFont();
  buffer_.reset();
}

bool Painter::resize(int width, int height) {
  // One back buffer for the window's life, remade only when the client
  // area changes size: a stopwatch line redrawn ten times a second makes no
  // GDI objects. A 32-bit top-down DIB section, so that the window's shape
  // can be read from its pixels.
  if (buffer_ && width == buffer_->width() && height == buffer_->height()) return false;
  releaseBuffer();
  auto canvas = std::make_unique<PixelCanvas>(width, height);
  if (!*canvas) return false;
  buffer_ = std::move(canvas);
  SetBkMode(buffer_->dc(), TRANSPARENT);
  dotsPerInch_ = GetDeviceCaps(buffer_->dc(), LOGPIXELSY);
  textColour_ = CLR_INVALID;
  clipRegionSet_ = false;
  gdiPending_ = false;
  return true;
}

void Painter::render(const RECT& area, Colour background, const std::vector<Control>& controls) {
  if (!buffer_) return;
  const RECT whole{0, 0, buffer_->width(), buffer_->height()};
  RECT clipped;
  if (!IntersectRect(&clipped, &area, &whole)) return;
  const HDC buffer = buffer_->dc();
  // The buffer holds client coordinates; only the area is drawn. Fills and
  // single lines keep to it themselves; a clip region is set only for the
  // wrapped texts that need one.
  clip_ = clipped;
  if (clipRegionSet_) SelectClipRgn(buffer, nullptr);
  clipRegionSet_ = false;

  fill(clipped, colourRef(background));
  for (const std::size_t i : stackingOrder(controls)) {
    const Control& control = controls[i];
    if (!control.visible || isNative(control)) continue;
    const RECT bounds = controlRect(control, scale_);
    RECT meeting;
    if (IntersectRect(&meeting, &bounds, &clipped)) drawControl(buffer, control, bounds);
  }
}

void Painter::show(HDC target, const RECT& area) const {
  if (!buffer_) return;
  BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, buffer_->dc(),
         area.left, area.top, SRCCOPY);
}

PixelRows Painter::pixels() const {
  if (!buffer_) return {};
  // GDI may batch drawing calls; the pixels are read directly.
  GdiFlush();
  gdiPending_ = false;
  return PixelRows{buffer_->bits(), buffer_->width(), buffer_->height()};
}

void Painter::drawControl(HDC dc, const Control& control, const RECT& bounds) {
  if (IsRectEmpty(&bounds)) return;
  const UINT alignment = control.centred ? DT_CENTER : DT_LEFT;
  const int line = scale_.extent(1);
  const RECT inner = control.border ? inset(bounds, line, line) : bounds;
  fill(bounds, colourRef(control.backColour));

  switch (control.kind) {
    case ControlKind::Button:
      // A captioned button gets a thin frame in its text colour; the
      // caption-less menu buttons are plain faces of their back colour.
      if (!control.text.empty()) {
        frame(bounds, colourRef(control.textColour));
        drawLine(dc, control, bounds, true, true);
      }
      break;
    case ControlKind::TextBox:
      if (control.multiLine) {
        drawMultiLine(dc, control, lineBox(control, bounds, scale_));
      } else {
        drawLine(dc, control, lineBox(control, bounds, scale_), control.centred, false);
      }
      break;
    case ControlKind::Label:
      drawWrapped(dc, control, inner, alignment | DT_WORDBREAK);
      break;
    case ControlKind::ComboBox:
      // A native child window (NativeComboBoxes), never painted here.
      break;
    case ControlKind::CheckBox: {
      const int size = scale_.extent(kCheckBoxSize);
      const int top = (bounds.top + bounds.bottom - size) / 2;
      const RECT box{bounds.left, top, bounds.left + size, top + size};
      fill(box, kFieldWhite);
      frame(box, kBorderColour);
      const int mark = scale_.extent(3);
      if (control.selected == 1) fill(inset(box, mark, mark), kBorderColour);
      drawLine(dc, control, lineBox(control, bounds, scale_), false, true);
      break;
    }
  }
  if (control.border) frame(bounds, kBorderColour);
}

void Painter::fill(const RECT& r, COLORREF colour) {
  // Straight into the bitmap's pixels: under Wine every GDI call crosses
  // into the system, and ten times a second its code is no longer in the
  // processor's caches, so a fill through GDI costs tens of microseconds.
  RECT visible;
  if (!IntersectRect(&visible, &r, &clip_)) return;
  flushGdi();  // text drawn before lies beneath
  const std::uint32_t pixel = dibPixel(colour);
  std::uint32_t* const rows = buffer_->bits();
  for (LONG y = visible.top; y < visible.bottom; ++y) {
    std::uint32_t* const row = rows + static_cast<std::ptrdiff_t>(y) * buffer_->width();
    std::fill(row + visible.left, row + visible.right, pixel);
  }
}

void Painter::frame(const RECT& r, COLORREF colour) {
  // Inside the rectangle, as FrameRect draws its one pixel.
  if (IsRectEmpty(&r)) return;
  const int w = scale_.extent(1);
  fill({r.left, r.top, r.left + w, r.bottom}, colour);
  fill({r.right - w, r.top, r.right, r.bottom}, colour);
  fill({r.left, r.top, r.right, r.top + w}, colour);
  fill({r.left, r.bottom - w, r.right, r.bottom}, colour);
}

void Painter::flushGdi() {
  // GDI may batch drawing calls; before the pixels are written directly,
  // what it drew must be in them.
  if (gdiPending_) GdiFlush();
  gdiPending_ = false;
}

void Painter::clipToArea(HDC dc) {
  if (clipRegionSet_) return;
  SelectClipRgn(dc, nullptr);
  IntersectClipRect(dc, clip_.left, clip_.top, clip_.right, clip_.bottom);
  clipRegionSet_ = true;
}

std::wstring Painter::textToDraw(HDC dc, const Control& control, const RECT& box, bool selectFont) {
  std::wstring text = toWide(control.text);
  if (text.size() > INT_MAX || IsRectEmpty(&box)) return {};
  if (!text.empty()) {
    if (selectFont) useFont(dc, fontFor(control.font));
    useTextColour(dc, colourRef(control.textColour));
  }
  return text;
}

void Painter::drawMultiLine(HDC dc, const Control& control, const RECT& box) {
  const std::wstring text = textToDraw(dc, control, box);
  if (text.empty()) return;
  clipToArea(dc);
  drawRows(dc, wrapRows(dc, text, box.right - box.left), box, control.centred);
  gdiPending_ = true;
}

void Painter::drawLine(HDC dc, const Control& control, const RECT& box, bool centred,
                       bool vcentred) {
  RECT visible;
  if (!IntersectRect(&visible, &box, &clip_)) return;
  const std::wstring text = textToDraw(dc, control, box, false);
  if (text.empty()) return;
  const int length = static_cast<int>(text.size());
  SIZE extent{};
  if (!lineFont(dc, control, text, box.right - box.left, extent)) return;
  // Placed as DrawText places a single line, except that a line wider than
  // its box shows its beginning, as an edit control does, rather than a
  // middle part cut at both ends.
  const int x = centred && extent.cx <= box.right - box.left
                    ? (box.left + box.right - extent.cx) / 2
                    : box.left;
  const int y = vcentred ? box.top + (box.bottom - box.top) / 2 - extent.cy / 2 : box.top;
  ExtTextOutW(dc, x, y, ETO_CLIPPED, &visible, text.data(), static_cast<UINT>(length), nullptr);
  gdiPending_ = true;
}

void Painter::drawWrapped(HDC dc, const Control& control, RECT box, UINT format) {
  const std::wstring text = textToDraw(dc, control, box);
  if (text.empty()) return;
  clipToArea(dc);
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &box, format | DT_NOPREFIX);
  gdiPending_ = true;
}

bool Painter::lineFont(HDC dc, const Control& control, const std::wstring& text, int width,
                       SIZE& extent) {
  const int length = static_cast<int>(text.size());
  const auto measure = [&](double points) {
    useFont(dc, fontAt(control.font, points));
    return GetTextExtentPoint32W(dc, text.data(), length, &extent) != FALSE;
  };
  const double points = pointsOf(control.font);
  if (scale_.factor <= 1) return measure(scale_.points(points));
  // Glyphs hinted at a scaled size may come out wider than the scale: a
  // line whose ink fits its box at 100 % is drawn a pixel of height smaller
  // at a time, down to its size at 100 %, until its ink fits its box at this
  // scale too. A line cut at 100 % already is cut here as there. The size
  // is kept for lines of the same shape in the same box: a stopwatch line
  // is fitted once, not on every tick.
  const FitKey key{control.font.name, points, control.font.bold, control.font.charset,
                   fontDpi(),         width,  scale_.factor,     digitsAsZeros(text)};
  if (const auto found = fitted_.find(key); found != fitted_.end()) return measure(found->second);
  const auto fits = [&](double size, int room) {
    if (!measure(size)) return false;
    if (extent.cx <= room) return true;
    return ink_.inkEnd(static_cast<HFONT>(selectedFont_), text, extent) <= room;
  };
  const double scaled = scale_.points(points);
  const RECT fullSize = lineBox(control, controlRect(control), ScreenScale{});
  double chosen = scaled;
  bool measured = fits(scaled, width);  // the chosen size is the one measured last
  if (!measured && fits(points, fullSize.right - fullSize.left)) {
    const double onePixel = 72.0 / fontDpi();
    chosen = points;
    for (double p = scaled - onePixel; p > points; p -= onePixel) {
      if (fits(p, width)) {
        chosen = p;
        measured = true;
        break;
      }
    }
  }
  if (fitted_.size() >= kFitCacheLimit) fitted_.clear();
  fitted_.emplace(key, chosen);
  return measured || measure(chosen);
}

HFONT Painter::fontFor(const Font& font) { return fontAt(font, scale_.points(pointsOf(font))); }

HFONT Painter::fontAt(const Font& font, double points) {
  const int dotsPerInch = fontDpi();
  const FontKey key{font.name, points, font.bold, font.charset, dotsPerInch};
  if (const auto found = fonts_.find(key); found != fonts_.end()) return found->second.get();
  if (fonts_.size() >= kFontCacheLimit) {
    restoreFont();  // none of the fonts about to go may stay selected
    fonts_.clear();
  }

  Font scaled = font;
  scaled.points = points;
  GdiObject<HFONT> created = createFont(scaled, dotsPerInch, NONANTIALIASED_QUALITY);
  if (!created) return nullptr;
  const HFONT handle = created.get();
  fonts_.emplace(key, std::move(created));
  return handle;
}

void Painter::useFont(HDC dc, HFONT font) {
  // A font stays selected until another one is needed: under Wine each
  // selection of a font into a DC also reads the X resource defaults, which
  // on a display without them means opening files on every tick.
  const HGDIOBJ wanted = font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT);
  if (wanted == selectedFont_) return;
  const HGDIOBJ previous = SelectObject(dc, wanted);
  if (!previous || previous == HGDI_ERROR) return;
  if (!originalFont_) originalFont_ = previous;
  selectedFont_ = wanted;
}

void Painter::useTextColour(HDC dc, COLORREF colour) {
  if (colour == textColour_) return;
  if (SetTextColor(dc, colour) != CLR_INVALID) textColour_ = colour;
}

void Painter::restoreFont() {
  if (buffer_ && originalFont_) SelectObject(buffer_->dc(), originalFont_);
  originalFont_ = nullptr;
  selectedFont_ = nullptr;
}

}  // namespace vesk::platform::win32
