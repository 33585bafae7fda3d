#include "platform/win32/ink_ruler.h"

#include <climits>
#include <cstdint>

namespace vesk::platform::win32 {

InkRuler::~InkRuler() { release(); }

void InkRuler::release() {
  if (dc_ && previousBitmap_) SelectObject(dc_->get(), previousBitmap_);
  previousBitmap_ = nullptr;
  bitmap_.reset();
  bits_ = nullptr;
  dc_.reset();
  width_ = height_ = 0;
}

bool InkRuler::fit(int width, int height) {
  if (dc_ && width <= width_ && height <= height_) return true;
  release();
  auto dc = std::make_unique<MemoryDc>(nullptr);
  if (!*dc) return false;
  void* bits = nullptr;
  GdiObject<HBITMAP> bitmap = createPixelBitmap(dc->get(), width, height, &bits);
  if (!bitmap || !bits) return false;
  const HGDIOBJ previous = SelectObject(dc->get(), bitmap.get());
  if (!previous || previous == HGDI_ERROR) return false;
  dc_ = std::move(dc);
  bitmap_ = std::move(bitmap);
  previousBitmap_ = previous;
  bits_ = static_cast<const std::uint32_t*>(bits);
  width_ = width;
  height_ = height;
  SetTextColor(dc_->get(), RGB(255, 255, 255));
  SetBkColor(dc_->get(), RGB(0, 0, 0));
  return true;
}

int InkRuler::inkEnd(HFONT font, const std::wstring& text, SIZE extent) {
  // Room beyond the advance for any overhang, as much as the line is high.
  const long long room = static_cast<long long>(extent.cx) + extent.cy;
  if (text.empty() || extent.cx <= 0 || extent.cy <= 0 || room > SHRT_MAX) return extent.cx;
  const int width = static_cast<int>(room);
  if (!font || !fit(width, extent.cy)) return extent.cx;
  const HDC dc = dc_->get();
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
      if (bits_[static_cast<std::ptrdiff_t>(y) * width_ + x] & 0xFFFFFF) return x + 1;
    }
  }
  return 0;
}

}  // namespace vesk::platform::win32
