#include "platform/win32/gdi_objects.h"

namespace vesk::platform::win32 {

GdiCensus& gdiCensus() {
  static GdiCensus census;
  return census;
}

GdiObject<HBITMAP> createPixelBitmap(HDC dc, int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  *bits = nullptr;
  GdiObject<HBITMAP> bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0));
  if (!*bits) bitmap.reset();
  return bitmap;
}

}  // namespace vesk::platform::win32
