#include "platform/win32/painter_win32.h"

#include <algorithm>
#include <climits>
#include <cmath>

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

COLORREF colourRef(Colour colour) { return static_cast<COLORREF>(colour & 0xFFFFFF); }

void fill(HDC dc, const RECT& r, COLORREF colour) {
  const GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  if (brush) FillRect(dc, &r, brush.get());
}

void frame(HDC dc, const RECT& r, COLORREF colour) {
  const GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  if (brush) FrameRect(dc, &r, brush.get());
}

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
  return true;
}

void Painter::render(const RECT& area, Colour background, const std::vector<Control>& controls) {
  if (!buffer_) return;
  const RECT whole{0, 0, bufferWidth_, bufferHeight_};
  RECT clipped;
  if (!IntersectRect(&clipped, &area, &whole)) return;
  const HDC buffer = buffer_->get();
  // The buffer holds client coordinates; only the area is drawn.
  SelectClipRgn(buffer, nullptr);
  IntersectClipRect(buffer, clipped.left, clipped.top, clipped.right, clipped.bottom);

  fill(buffer, clipped, colourRef(background));
  for (const std::size_t i : stackingOrder(controls)) {
    const Control& control = controls[i];
    if (!control.visible || isNative(control)) continue;
    const RECT bounds = controlRect(control);
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
  return PixelRows{static_cast<const std::uint32_t*>(bits_), bufferWidth_, bufferHeight_};
}

void Painter::drawControl(HDC dc, const Control& control) {
  const RECT bounds = controlRect(control);
  if (IsRectEmpty(&bounds)) return;
  const UINT alignment = control.centred ? DT_CENTER : DT_LEFT;
  const RECT inner = control.border ? inset(bounds, 1, 1) : bounds;
  fill(dc, bounds, colourRef(control.backColour));

  switch (control.kind) {
    case ControlKind::Button:
      // A captioned button gets a thin frame in its text colour; the
      // caption-less menu buttons are plain faces of their back colour.
      if (!control.text.empty()) {
        frame(dc, bounds, colourRef(control.textColour));
        drawText(dc, control, bounds, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      }
      break;
    case ControlKind::TextBox:
      if (control.multiLine) {
        drawMultiLine(dc, control, inset(inner, kTextInset, 0));
      } else {
        drawText(dc, control, inset(inner, kTextInset, 0), alignment | DT_SINGLELINE);
      }
      break;
    case ControlKind::Label:
      drawText(dc, control, inner, alignment | DT_WORDBREAK);
      break;
    case ControlKind::ComboBox:
      // A native child window (NativeComboBoxes), never painted here.
      break;
    case ControlKind::CheckBox: {
      const int top = (bounds.top + bounds.bottom - kCheckBoxSize) / 2;
      const RECT box{bounds.left, top, bounds.left + kCheckBoxSize, top + kCheckBoxSize};
      fill(dc, box, kFieldWhite);
      frame(dc, box, kBorderColour);
      if (control.selected == 1) fill(dc, inset(box, 3, 3), kBorderColour);
      RECT caption = bounds;
      caption.left = box.right + 4;
      drawText(dc, control, caption, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
      break;
    }
  }
  if (control.border) frame(dc, bounds, kBorderColour);
}

void Painter::drawMultiLine(HDC dc, const Control& control, const RECT& box) {
  const std::wstring text = toWide(control.text);
  if (text.empty() || IsRectEmpty(&box)) return;
  useFont(dc, fontFor(dc, control.font));
  SetTextColor(dc, colourRef(control.textColour));
  drawRows(dc, wrapRows(dc, text, box.right - box.left), box, control.centred);
}

void Painter::drawText(HDC dc, const Control& control, RECT box, UINT format) {
  std::wstring text = toWide(control.text);
  if (text.empty() || IsRectEmpty(&box) || text.size() > INT_MAX) return;
  useFont(dc, fontFor(dc, control.font));
  SetTextColor(dc, colourRef(control.textColour));
  // A single line wider than its box shows its beginning, as an edit
  // control does, rather than a middle part cut at both ends.
  SIZE extent{};
  if ((format & DT_SINGLELINE) && (format & DT_CENTER) &&
      GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent) &&
      extent.cx > box.right - box.left) {
    format &= ~static_cast<UINT>(DT_CENTER);
  }
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &box, format | DT_NOPREFIX);
}

HFONT Painter::fontFor(HDC dc, const Font& font) {
  const int dotsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
  const double points = font.points > 0 && std::isfinite(font.points) ? font.points : 9.0;
  const FontKey key{font.name, points, font.bold, font.charset, dotsPerInch};
  if (const auto found = fonts_.find(key); found != fonts_.end()) return found->second.get();
  if (fonts_.size() >= kFontCacheLimit) {
    restoreFont();  // none of the fonts about to go may stay selected
    fonts_.clear();
  }

  GdiObject<HFONT> created = createFont(font, dotsPerInch, NONANTIALIASED_QUALITY);
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

void Painter::restoreFont() {
  if (buffer_ && originalFont_) SelectObject(buffer_->get(), originalFont_);
  originalFont_ = nullptr;
  selectedFont_ = nullptr;
}

}  // namespace vesk::platform::win32
