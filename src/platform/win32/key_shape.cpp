#include "platform/win32/key_shape.h"

#include <algorithm>
#include <cstddef>

#include "platform/win32/colour_ref.h"

namespace vesk::platform::win32 {

void KeyShape::reset() { unknown_ = true; }

bool KeyShape::rescan(const PixelRows& image, const RECT& area, COLORREF key) {
  if (!image.pixels || image.width <= 0 || image.height <= 0) return false;
  RECT scanned = area;
  if (unknown_ || image.width != width_ || image.height != height_) {
    width_ = image.width;
    height_ = image.height;
    opaque_.assign(static_cast<std::size_t>(width_) * height_, 0);
    scanned = RECT{0, 0, width_, height_};
    unknown_ = true;
  }
  const RECT whole{0, 0, width_, height_};
  if (!IntersectRect(&scanned, &scanned, &whole)) return std::exchange(unknown_, false);
  const std::uint32_t keyPixel = dibPixel(key);
  bool changed = std::exchange(unknown_, false);
  for (int y = scanned.top; y < scanned.bottom; ++y) {
    const std::size_t row = static_cast<std::size_t>(y) * width_;
    for (int x = scanned.left; x < scanned.right; ++x) {
      const std::uint8_t opaque = (image.pixels[row + x] & 0xFFFFFF) != keyPixel;
      if (opaque_[row + x] != opaque) {
        opaque_[row + x] = opaque;
        changed = true;
      }
    }
  }
  return changed;
}

GdiObject<HRGN> KeyShape::region(int dx, int dy) const {
  // Each row's runs of opaque pixels; rows with the same runs make one
  // band. Bands top to bottom and runs left to right are the order that
  // RGNDATA describes.
  using Run = std::pair<int, int>;
  const auto runsOf = [&](int y) {
    std::vector<Run> runs;
    const std::uint8_t* row = opaque_.data() + static_cast<std::size_t>(y) * width_;
    for (int x = 0; x < width_;) {
      while (x < width_ && !row[x]) ++x;
      const int first = x;
      while (x < width_ && row[x]) ++x;
      if (x > first) runs.emplace_back(first, x);
    }
    return runs;
  };
  std::vector<RECT> rects;
  std::vector<Run> band = height_ > 0 ? runsOf(0) : std::vector<Run>{};
  for (int top = 0, y = 1; top < height_; ++y) {
    std::vector<Run> next = y < height_ ? runsOf(y) : std::vector<Run>{};
    if (y < height_ && next == band) continue;
    for (const Run& run : band)
      rects.push_back(RECT{run.first + dx, top + dy, run.second + dx, y + dy});
    band = std::move(next);
    top = y;
  }

  RGNDATAHEADER header{};
  header.dwSize = sizeof(RGNDATAHEADER);
  header.iType = RDH_RECTANGLES;
  header.nCount = static_cast<DWORD>(rects.size());
  header.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
  for (const RECT& r : rects) UnionRect(&header.rcBound, &header.rcBound, &r);
  std::vector<std::byte> data(sizeof(header) + header.nRgnSize);
  std::copy_n(reinterpret_cast<const std::byte*>(&header), sizeof(header), data.data());
  if (!rects.empty()) {
    std::copy_n(reinterpret_cast<const std::byte*>(rects.data()), header.nRgnSize,
                data.data() + sizeof(header));
  }
  return GdiObject<HRGN>(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                         reinterpret_cast<const RGNDATA*>(data.data())));
}

}  // namespace vesk::platform::win32
