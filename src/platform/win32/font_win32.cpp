#include "platform/win32/font_win32.h"

#include <cmath>

#include "platform/win32/wide_text.h"

namespace vesk::platform::win32 {

GdiObject<HFONT> createFont(const Font& font, int dotsPerInch, BYTE quality) {
  const double points = font.points > 0 && std::isfinite(font.points) ? font.points : 9.0;
  std::wstring face = toWide(font.name);
  if (face.size() >= LF_FACESIZE) face.resize(LF_FACESIZE - 1);
  const int height =
      -static_cast<int>(std::lround(points * (dotsPerInch > 0 ? dotsPerInch : 96) / 72.0));
  const auto charset =
      static_cast<DWORD>(font.charset >= 0 && font.charset <= 255 ? font.charset : DEFAULT_CHARSET);
  return GdiObject<HFONT>(CreateFontW(
      height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, charset,
      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, quality, DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
}

}  // namespace vesk::platform::win32
