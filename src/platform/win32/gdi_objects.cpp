#include "platform/win32/gdi_objects.h"

namespace vesk::platform::win32 {

GdiCensus& gdiCensus() {
  static GdiCensus census;
  return census;
}

PixelCanvas::PixelCanvas(int width, int height) {
  if (!dc_ || width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ =
      GdiObject<HBITMAP>(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap_ || !bits) return;
  const HGDIOBJ previous = SelectObject(dc_.get(), bitmap_.get());
  if (!previous || previous == HGDI_ERROR) return;
  previous_ = previous;
  bits_ = static_cast<std::uint32_t*>(bits);
  width_ = width;
  height_ = height;
}

PixelCanvas::~PixelCanvas() {
  // The bitmap leaves the context before either is deleted.
  if (previous_) SelectObject(dc_.get(), previous_);
}

}  // namespace vesk::platform::win32
