#include "platform/win32/key_shape.h"

#include <algorithm>

namespace vesk::platform::win32 {

void KeyShape::reset(int height) {
  rows_.assign(static_cast<std::size_t>(std::max(height, 0)), {});
  unknown_ = true;
}

bool KeyShape::rescan(const PixelRows& image, int top, int bottom, COLORREF key) {
  if (!image.pixels || image.width <= 0 || image.height <= 0) return false;
  if (rows_.size() != static_cast<std::size_t>(image.height)) reset(image.height);
  top = std::max(top, 0);
  bottom = std::min(bottom, image.height);
  // The bitmap holds red in bits 16-23, a COLORREF in bits 0-7.
  const std::uint32_t keyPixel = (static_cast<std::uint32_t>(GetRValue(key)) << 16) |
                                 (static_cast<std::uint32_t>(GetGValue(key)) << 8) |
                                 GetBValue(key);
  bool changed = std::exchange(unknown_, false);
  std::vector<Run> runs;
  for (int y = top; y < bottom; ++y) {
    const std::uint32_t* row = image.pixels + static_cast<std::size_t>(y) * image.width;
    runs.clear();
    for (int x = 0; x < image.width;) {
      while (x < image.width && (row[x] & 0xFFFFFF) == keyPixel) ++x;
      const int first = x;
      while (x < image.width && (row[x] & 0xFFFFFF) != keyPixel) ++x;
      if (x > first) runs.emplace_back(first, x);
    }
    if (runs != rows_[y]) {
      rows_[y] = runs;
      changed = true;
    }
  }
  return changed;
}

GdiObject<HRGN> KeyShape::region(int dx, int dy) const {
  // Rows with the same runs make one band; bands top to bottom and runs
  // left to right are the order RGNDATA describes.
  std::vector<RECT> rects;
  for (std::size_t y = 0; y < rows_.size();) {
    std::size_t end = y + 1;
    while (end < rows_.size() && rows_[end] == rows_[y]) ++end;
    for (const Run& run : rows_[y]) {
      rects.push_back(RECT{run.first + dx, static_cast<LONG>(y) + dy, run.second + dx,
                           static_cast<LONG>(end) + dy});
    }
    y = end;
  }
  std::vector<std::byte> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  RGNDATAHEADER header{};
  header.dwSize = sizeof(RGNDATAHEADER);
  header.iType = RDH_RECTANGLES;
  header.nCount = static_cast<DWORD>(rects.size());
  header.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
  for (const RECT& r : rects) {
    if (&r == &rects.front()) header.rcBound = r;
    UnionRect(&header.rcBound, &header.rcBound, &r);
  }
  std::copy_n(reinterpret_cast<const std::byte*>(&header), sizeof(header), data.data());
  if (!rects.empty()) {
    std::copy_n(reinterpret_cast<const std::byte*>(rects.data()), rects.size() * sizeof(RECT),
                data.data() + sizeof(header));
  }
  return GdiObject<HRGN>(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                         reinterpret_cast<const RGNDATA*>(data.data())));
}

}  // namespace vesk::platform::win32
