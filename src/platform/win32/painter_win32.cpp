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

RECT inset(RECT r, int dx, int dy) {
  InflateRect(&r, -dx, -dy);
  return r;
}

}  // namespace

Painter::~Painter() { releaseBuffer(); }

void Painter::releaseBuffer() {
  restoreFont();
  if (buffer_ && previousBitmap_) SelectObject(buffer_->get(), previousBitmap_);
  previousBitmap_ = nullptr;
  bitmap_.reset();
  bits_ = nullptr;
  buffer_.reset();
  bufferWidth_ = bufferHeight_ = 0;
}

bool Painter::resize(int width, int height) {
  // One back buffer for the window's life, remade only when the client
  // area changes size: a stopwatch line redrawn ten times a second makes no
  // GDI objects. A 32-bit top-down DIB section, so that the window's shape
  // can be read from its pixels.
  if (buffer_ && width == bufferWidth_ && height == bufferHeight_) return false;
  releaseBuffer();
  if (width <= 0 || height <= 0) return false;
  auto dc = std::make_unique<MemoryDc>(nullptr);
  if (!*dc) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  GdiObject<HBITMAP> bitmap(CreateDIBSection(dc->get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return false;
  const HGDIOBJ previous = SelectObject(dc->get(), bitmap.get());
  if (!previous || previous == HGDI_ERROR) return false;
  buffer_ = std::move(dc);
  bitmap_ = std::move(bitmap);
  bits_ = bits;
  previousBitmap_ = previous;
  bufferWidth_ = width;
  bufferHeight_ = height;
  SetBkMode(buffer_->get(), TRANSPARENT);
  dotsPerInch_ = GetDeviceCaps(buffer_->get(), LOGPIXELSY);
  textColour_ = CLR_INVALID;
  clipRegionSet_ = false;
  gdiPending_ = false;
  return true;
}

void Painter::render(const RECT& area, Colour background, const std::vector<Control>& controls) {
  if (!buffer_) return;
  const RECT whole{0, 0, bufferWidth_, bufferHeight_};
  RECT clipped;
  if (!IntersectRect(&clipped, &area, &whole)) return;
  const HDC buffer = buffer_->get();
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
    if (IntersectRect(&meeting, &bounds, &clipped)) drawControl(buffer, control);
  }
}

void Painter::show(HDC target, const RECT& area) const {
  if (!buffer_) return;
  BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top,
         buffer_->get(), area.left, area.top, SRCCOPY);
}

PixelRows Painter::pixels() const {
  if (!buffer_) return {};
  // GDI may batch drawing calls; the pixels are read directly.
  GdiFlush();
  gdiPending_ = false;
  return PixelRows{static_cast<const std::uint32_t*>(bits_), bufferWidth_, bufferHeight_};
}

void Painter::drawControl(HDC dc, const Control& control) {
  const RECT bounds = controlRect(control, scale_);
  if (IsRectEmpty(&bounds)) return;
  const UINT alignment = control.centred ? DT_CENTER : DT_LEFT;
  const int line = scale_.extent(1);
  const int textInset = scale_.extent(kTextInset);
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
        drawMultiLine(dc, control, inset(inner, textInset, 0));
      } else {
        drawLine(dc, control, inset(inner, textInset, 0), control.centred, false);
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
      RECT caption = bounds;
      caption.left = box.right + scale_.extent(4);
      drawLine(dc, control, caption, false, true);
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
  auto* const rows = static_cast<std::uint32_t*>(bits_);
  for (LONG y = visible.top; y < visible.bottom; ++y) {
    std::uint32_t* const row = rows + static_cast<std::ptrdiff_t>(y) * bufferWidth_;
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

std::wstring Painter::textToDraw(HDC dc, const Control& control, const RECT& box) {
  std::wstring text = toWide(control.text);
  if (text.size() > INT_MAX || IsRectEmpty(&box)) return {};
  if (!text.empty()) {
    useFont(dc, fontFor(control.font));
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
  const std::wstring text = textToDraw(dc, control, box);
  if (text.empty()) return;
  const int length = static_cast<int>(text.size());
  SIZE extent{};
  if (!GetTextExtentPoint32W(dc, text.data(), length, &extent)) return;
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

HFONT Painter::fontFor(const Font& font) {
  const double points =
      scale_.points(font.points > 0 && std::isfinite(font.points) ? font.points : 9.0);
  const int dotsPerInch = fontDpi_ > 0 ? fontDpi_ : dotsPerInch_;
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
  if (buffer_ && originalFont_) SelectObject(buffer_->get(), originalFont_);
  originalFont_ = nullptr;
  selectedFont_ = nullptr;
}

}  // namespace vesk::platform::win32
