#include "platform/win32/ink_ruler.h"

#include <climits>
#include <cstdint>

namespace vesk::platform::win32 {

bool InkRuler::fit(int width, int height) {
  if (canvas_ && width <= canvas_->width() && height <= canvas_->height()) return true;
  canvas_ = std::make_unique<PixelCanvas>(width, height);
  if (!*canvas_) {
    canvas_.reset();
    return false;
  }
  SetTextColor(canvas_->dc(), RGB(255, 255, 255));
  SetBkColor(canvas_->dc(), RGB(0, 0, 0));
  return true;
}

int InkRuler::inkEnd(HFONT font, const std::wstring& text, SIZE extent) {
  // Room beyond the advance for any overhang, as much as the line is high.
  const long long room = static_cast<long long>(extent.cx) + extent.cy;
  if (text.empty() || extent.cx <= 0 || extent.cy <= 0 || room > SHRT_MAX) return extent.cx;
  const int width = static_cast<int>(room);
  if (!font || !fit(width, extent.cy)) return extent.cx;
  const HDC dc = canvas_->dc();
  const SelectionScope selected(dc, font);
  if (!selected.selected()) return extent.cx;
  const RECT all{0, 0, width, extent.cy};
  if (!ExtTextOutW(dc, 0, 0, ETO_OPAQUE | ETO_CLIPPED, &all, text.data(),
                   static_cast<UINT>(text.size()), nullptr)) {
    return extent.cx;
  }
  GdiFlush();
  for (int x = width - 1; x >= 0; --x) {
    for (int y = 0; y < extent.cy; ++y) {
      if (canvas_->bits()[static_cast<std::ptrdiff_t>(y) * canvas_->width() + x] & 0xFFFFFF) {
        return x + 1;
      }
    }
  }
  return 0;
}

}  // namespace vesk::platform::win32
