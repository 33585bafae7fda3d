// The key shape: which pixels a repaint turned into or out of the key, and
// the region of the others.
#include "platform/win32/key_shape.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vesk::platform::win32 {
namespace {

constexpr COLORREF kKey = 0xC0C0C0;
constexpr std::uint32_t kKeyPixel = 0xC0C0C0;

// Rows of '.' (the key), '#' (black) and 'w' (white).
struct Image {
  explicit Image(const std::vector<std::string>& rows) : width(int(rows[0].size())) {
    for (const std::string& row : rows) {
      for (char c : row) pixels.push_back(c == '.' ? kKeyPixel : c == '#' ? 0 : 0xFFFFFF);
    }
  }
  PixelRows view() const { return {pixels.data(), width, int(pixels.size()) / width}; }
  std::vector<std::uint32_t> pixels;
  int width;
};

// The region as rows of '#' (inside) and '.' (outside).
std::vector<std::string> picture(HRGN region, int width, int height) {
  std::vector<std::string> rows;
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) row += PtInRegion(region, x, y) ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

TEST(KeyShape, RegionHoldsExactlyTheOtherPixels) {
  const std::vector<std::string> rows = {"..##..w.", "..##..w.", "#......#", "........"};
  KeyShape shape;
  EXPECT_TRUE(shape.rescan(Image(rows).view(), {0, 0, 8, 4}, kKey));
  const GdiObject<HRGN> region = shape.region(0, 0);
  ASSERT_TRUE(region);
  EXPECT_EQ(picture(region.get(), 8, 4),
            (std::vector<std::string>{"..##..#.", "..##..#.", "#......#", "........"}));
  // Moved into window coordinates.
  const GdiObject<HRGN> moved = shape.region(1, 2);
  EXPECT_TRUE(PtInRegion(moved.get(), 3, 2));
  EXPECT_FALSE(PtInRegion(moved.get(), 2, 2));

  // All key: an empty region, never none (which would show the whole window).
  KeyShape clear;
  clear.rescan(Image({"....", "...."}).view(), {0, 0, 4, 2}, kKey);
  const GdiObject<HRGN> empty = clear.region(0, 0);
  ASSERT_TRUE(empty);
  RECT box{};
  EXPECT_EQ(GetRgnBox(empty.get(), &box), NULLREGION);
}

TEST(KeyShape, ChangeIsReportedOnlyWhenAPixelEntersOrLeavesTheKey) {
  struct Case {
    const char* what;
    std::vector<std::string> after;
    RECT area;
    bool changed;
  };
  const std::vector<std::string> before = {"..##", "...."};
  const Case cases[] = {
      {"nothing", before, {0, 0, 4, 2}, false},
      {"one colour for another", {"..#w", "...."}, {0, 0, 4, 2}, false},
      {"a key pixel drawn on", {"..##", ".#.."}, {0, 0, 4, 2}, true},
      {"a pixel turned to the key", {"...#", "...."}, {0, 0, 4, 2}, true},
      {"a change outside the area", {"..##", "#..."}, {2, 0, 4, 2}, false},
  };
  for (const Case& c : cases) {
    KeyShape shape;
    ASSERT_TRUE(shape.rescan(Image(before).view(), {0, 0, 4, 2}, kKey)) << "the first scan";
    EXPECT_EQ(shape.rescan(Image(c.after).view(), c.area, kKey), c.changed) << c.what;
  }
  KeyShape shape;
  shape.rescan(Image(before).view(), {0, 0, 4, 2}, kKey);
  EXPECT_TRUE(shape.rescan(Image({"..##.", "....."}).view(), {0, 0, 0, 0}, kKey)) << "a new width";
  EXPECT_TRUE(shape.rescan(Image({"..##.", ".....", "....."}).view(), {0, 0, 0, 0}, kKey))
      << "a new height alone";
}

}  // namespace
}  // namespace vesk::platform::win32
