// Control geometry, stacking and repaint areas, and the painter's pixels.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>

#include "platform/win32/control_geometry.h"
#include "platform/win32/font_win32.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/painter_win32.h"

namespace vesk::platform::win32 {
namespace {

Control make(ControlKind kind, const std::string& name, int index, double left, double top,
             double width, double height) {
  Control c;
  c.kind = kind;
  c.name = name;
  c.index = index;
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  return c;
}

bool sameRect(const RECT& r, LONG left, LONG top, LONG right, LONG bottom) {
  return r.left == left && r.top == top && r.right == right && r.bottom == bottom;
}

TEST(ControlGeometry, RectanglesRoundHalvesToEven) {
  EXPECT_TRUE(
      sameRect(controlRect(make(ControlKind::Label, "l", 0, 2.5, 3.5, 10.5, 1.5)), 2, 4, 12, 6));
  const RECT negative = controlRect(make(ControlKind::Label, "l", 0, 5, 5, -3, 4));
  EXPECT_TRUE(IsRectEmpty(&negative));
  // cmdDummy parked far to the right stays far to the right.
  EXPECT_EQ(controlRect(make(ControlKind::Button, "cmdDummy", -1, 28815, 76, 9, 17)).left, 28815);
}

TEST(ControlGeometry, TextLinesLieOverButtonsAndButtonsOverLabels) {
  const std::vector<Control> controls = {
      make(ControlKind::TextBox, "txtMenu", 0, 8, 4, 55, 12),
      make(ControlKind::Button, "cmdMenu", 0, 0, 0, 70, 20),
      make(ControlKind::Label, "lblKajiLine", 0, 60, 0, 2, 30),
  };
  EXPECT_EQ(controlAt(controls, {10, 5})->name, "txtMenu");  // listed first, still on top
  EXPECT_EQ(controlAt(controls, {2, 2})->name, "cmdMenu");
  EXPECT_EQ(controlAt(controls, {61, 2})->name, "cmdMenu");  // listed last, still beneath
  EXPECT_EQ(controlAt(controls, {61, 25})->name, "lblKajiLine");
  EXPECT_EQ(controlAt(controls, {69, 17})->name, "cmdMenu");
  EXPECT_EQ(controlAt(controls, {70, 5}), nullptr);  // right edge is outside
  std::vector<Control> hidden = controls;
  hidden[0].visible = false;
  EXPECT_EQ(controlAt(hidden, {10, 5})->name, "cmdMenu");
}

TEST(ControlGeometry, LaterControlsOfOneLayerLieOnTop) {
  const std::vector<Control> labels = {make(ControlKind::Label, "a", 0, 0, 0, 10, 10),
                                       make(ControlKind::Label, "b", 0, 5, 5, 10, 10)};
  EXPECT_EQ(controlAt(labels, {7, 7})->name, "b");
  EXPECT_EQ(controlAt(labels, {2, 2})->name, "a");
}

TEST(ControlGeometry, OnlyChangedControlsNeedRepainting) {
  std::vector<Control> before = {make(ControlKind::TextBox, "txtMenu", 0, 0, 0, 50, 10),
                                 make(ControlKind::Label, "lblHPLine", 0, 100, 0, 2, 20)};
  EXPECT_TRUE(changedAreas(before, before).empty());

  std::vector<Control> after = before;
  after[0].text = "0:00:01.00";
  auto areas = changedAreas(before, after);
  ASSERT_EQ(areas.size(), 2u);  // old and new place, both the same here
  EXPECT_TRUE(sameRect(areas[0], 0, 0, 50, 10));

  after = before;
  after[1].left = 120;
  areas = changedAreas(before, after);
  ASSERT_EQ(areas.size(), 2u);
  EXPECT_TRUE(sameRect(areas[0], 100, 0, 102, 20));
  EXPECT_TRUE(sameRect(areas[1], 120, 0, 122, 20));

  after = before;
  after[1].visible = false;  // disappears: its old place only
  areas = changedAreas(before, after);
  ASSERT_EQ(areas.size(), 1u);
  EXPECT_TRUE(sameRect(areas[0], 100, 0, 102, 20));

  after.pop_back();  // a shorter list: the dropped control's place
  EXPECT_EQ(changedAreas(before, after).size(), 1u);
  EXPECT_EQ(changedAreas({}, before).size(), 2u);

  // The kept copy becomes the new list, whether it changed, shrank or grew.
  std::vector<Control> changedText = before;
  changedText[0].text = "0:00:02.00";
  for (const auto& now : {changedText, after, std::vector<Control>{}, before}) {
    adoptChanges(before, now);
    ASSERT_EQ(before.size(), now.size());
    for (std::size_t i = 0; i < now.size(); ++i) EXPECT_TRUE(looksSame(before[i], now[i])) << i;
  }
}

// Paints into a memory bitmap and reads the pixels back.
class PainterTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 120;
  static constexpr int kHeight = 40;

  void SetUp() override {
    ASSERT_TRUE(screen);
    ASSERT_TRUE(buffer);
    ASSERT_TRUE(bitmap);
    ASSERT_TRUE(selection.selected());
  }

  void paint(const std::vector<Control>& controls, RECT area = {0, 0, kWidth, kHeight}) {
    painter.resize(kWidth, kHeight);
    painter.render(area, kKeyColour, controls);
    painter.show(buffer.get(), area);
  }
  COLORREF at(int x, int y) { return GetPixel(buffer.get(), x, y); }

  // The distinct colours inside a rectangle.
  std::set<COLORREF> coloursIn(const RECT& r) {
    std::set<COLORREF> colours;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) colours.insert(at(x, y));
    }
    return colours;
  }

  WindowDc screen{nullptr};
  MemoryDc buffer{screen.get()};
  GdiObject<HBITMAP> bitmap{CreateCompatibleBitmap(screen.get(), kWidth, kHeight)};
  SelectionScope selection{buffer.get(), bitmap.get()};
  Painter painter;
};

TEST_F(PainterTest, FillsBackgroundButtonsAndBorders) {
  Control button = make(ControlKind::Button, "cmdMenu", 0, 0, 0, 70, 20);
  button.backColour = 0x008080;
  Control line = make(ControlKind::Label, "lblHPLine", 0, 100, 0, 2, 20);
  line.border = true;
  paint({button, line});
  EXPECT_EQ(at(110, 30), kKeyColour);
  EXPECT_EQ(at(35, 10), 0x008080u);
  EXPECT_EQ(at(100, 10), 0u);  // a 2-pixel bordered label is a black line
  EXPECT_EQ(at(101, 10), 0u);
  EXPECT_EQ(at(102, 10), kKeyColour);
}

TEST_F(PainterTest, TextIsDrawnWithoutBlendedPixels) {
  for (const bool bold : {false, true}) {
    Control text = make(ControlKind::TextBox, "txtMenu", 0, 0, 0, kWidth, kHeight);
    text.backColour = kKeyColour;
    text.textColour = 0xFFFFFF;
    text.font.points = 14;
    text.font.bold = bold;
    text.text = "属性 HP100 ｷｰ";
    paint({text});
    // Only the two colours: any third would be an opaque fringe on the key.
    EXPECT_EQ(coloursIn({0, 0, kWidth, kHeight}), (std::set<COLORREF>{kKeyColour, 0xFFFFFF}));
  }
}

TEST_F(PainterTest, MultiLineTextBreaksAtLineEndsAndWrapsAtTheBoxWidth) {
  // Text, box width, rows of ink expected: a line end starts a row, and a
  // line without blanks wider than the box wraps between characters.
  const struct {
    const char* text;
    int width;
    int rows;
  } cases[] = {{"A\r\nB", kWidth, 2}, {"属性バンザイ属性", kWidth, 1}, {"属性バンザイ属性", 40, 3}};
  for (const auto& c : cases) {
    Control text = make(ControlKind::TextBox, "txtMenu", 4, 0, 0, c.width, kHeight);
    text.multiLine = true;
    text.backColour = 0x404040;
    text.textColour = 0xFFFFFF;
    text.text = c.text;
    paint({text});
    // Rows of text with an empty band of background between them.
    std::vector<bool> inked(kHeight);
    for (int y = 0; y < kHeight; ++y) inked[y] = coloursIn({0, y, c.width, y + 1}).size() > 1;
    int runs = 0;
    for (int y = 0; y < kHeight; ++y) runs += inked[y] && (y == 0 || !inked[y - 1]);
    EXPECT_EQ(runs, c.rows) << c.text << " in " << c.width;
  }
}

TEST_F(PainterTest, ASingleLineTooWideForItsBoxShowsItsBeginning) {
  const auto pixels = [&](const std::string& text, bool centred) {
    Control box = make(ControlKind::TextBox, "txtMenu", 0, 0, 0, 40, kHeight);
    box.text = text;
    box.centred = centred;
    paint({box});
    std::vector<COLORREF> all;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < 40; ++x) all.push_back(at(x, y));
    }
    return all;
  };
  EXPECT_EQ(pixels("0:00:00.00 long", true), pixels("0:00:00.00 long", false));
  EXPECT_NE(pixels("0", true), pixels("0", false));  // a short one stays centred
}

// The painter places single lines itself; each must land on the pixels
// where the system's DrawText puts it, whatever the font, the box's parity
// and a line taller or wider than its box.
// Glyphs hinted at a larger size may be wider than the scale: a line that
// fits its box at 100 % still shows whole at every scale, its first and
// last glyphs (both "0") alike.
TEST(PainterScale, ALineThatFitsAtFullSizeShowsWholeAtEveryScale) {
  const struct {
    ControlKind kind;
    double width, height, points;
    const char* text;
    int glyphs;
  } lines[] = {
      {ControlKind::TextBox, 70, 16, 11, "0:00:00.00", 10},  // the stopwatch
      {ControlKind::TextBox, 100, 20, 14, "0:00:00.00", 10},
      {ControlKind::Button, 40, 20, 9, "0 00", 3},
  };
  for (const auto& l : lines) {
    for (const double factor : {1.0, 1.25, 1.5, 1.75, 2.0}) {
      Control c = make(l.kind, "txtMenu", 0, 0, 0, l.width, l.height);
      c.font = {"Arial", l.points, true, 0};
      c.backColour = 0x404040;
      c.textColour = 0xFFFFFF;
      c.text = l.text;
      const ScreenScale scale = ScreenScale::of(factor);
      const int width = scale.extent(l.width);
      const int height = scale.extent(l.height);
      Painter painter;
      painter.setScale(scale);
      painter.setFontDpi(96);
      ASSERT_TRUE(painter.resize(width, height));
      painter.render({0, 0, width, height}, kKeyColour, {c});
      const PixelRows image = painter.pixels();
      // Columns of white, as runs: one a glyph.
      std::vector<std::pair<int, int>> runs;
      const int last = width - scale.extent(1) - 1;  // inside a button's frame
      for (int x = scale.extent(1); x <= last; ++x) {
        bool white = false;
        for (int y = scale.extent(1); y < height - scale.extent(1); ++y) {
          white = white || (image.pixels[y * image.width + x] & 0xFFFFFF) == 0xFFFFFF;
        }
        if (!white) continue;
        if (!runs.empty() && runs.back().second == x - 1) {
          runs.back().second = x;
        } else {
          runs.emplace_back(x, x);
        }
      }
      ASSERT_EQ(static_cast<int>(runs.size()), l.glyphs) << l.text << " at " << factor;
      EXPECT_EQ(runs.back().second - runs.back().first, runs.front().second - runs.front().first)
          << l.text << " at " << factor << ": the last glyph cut";
    }
  }
}

TEST_F(PainterTest, SingleLinesLandWhereDrawTextPutsThem) {
  const Font fonts[] = {
      {"MS UI Gothic", 9, false, 128}, {"Arial", 9, true, 0}, {"Arial", 20, false, 0}};
  const RECT boxes[] = {{3, 2, 60, 22}, {4, 5, 61, 18}, {0, 0, 120, 40}, {7, 9, 30, 16}};
  const char* texts[] = {"0:00:12.34", "HP100", "A much longer line than any box"};
  const struct {
    ControlKind kind;
    bool centred;
    UINT format;  // what was asked of DrawText for it
  } kinds[] = {
      {ControlKind::Button, true, DT_CENTER | DT_VCENTER},
      {ControlKind::TextBox, true, DT_CENTER},
      {ControlKind::TextBox, false, DT_LEFT},
  };
  const WindowDc screenDc(nullptr);
  const int dpi = GetDeviceCaps(screenDc.get(), LOGPIXELSY);
  MemoryDc expected(screenDc.get());
  GdiObject<HBITMAP> expectedBitmap(CreateCompatibleBitmap(screenDc.get(), kWidth, kHeight));
  SelectionScope expectedSelection(expected.get(), expectedBitmap.get());
  SetBkMode(expected.get(), TRANSPARENT);
  const auto fillRect = [&](RECT r, COLORREF colour) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(expected.get(), &r, brush.get());
  };
  for (const Font& font : fonts) {
    GdiObject<HFONT> handle = createFont(font, dpi, NONANTIALIASED_QUALITY);
    SelectionScope fontInDc(expected.get(), handle.get());
    for (const RECT& r : boxes) {
      for (const char* text : texts) {
        for (const auto& k : kinds) {
          Control c = make(k.kind, "c", 0, r.left, r.top, r.right - r.left, r.bottom - r.top);
          c.text = text;
          c.font = font;
          c.centred = k.centred;
          c.backColour = 0x808000;
          c.textColour = 0xFFFFFF;
          paint({c});

          fillRect({0, 0, kWidth, kHeight}, 0xC0C0C0);
          fillRect(r, 0x808000);
          RECT box = r;
          if (k.kind == ControlKind::Button) {
            GdiObject<HBRUSH> brush(CreateSolidBrush(0xFFFFFF));
            FrameRect(expected.get(), &r, brush.get());
          } else {
            InflateRect(&box, -1, 0);
          }
          const std::wstring wide(text, text + std::strlen(text));
          SIZE extent{};
          GetTextExtentPoint32W(expected.get(), wide.data(), static_cast<int>(wide.size()),
                                &extent);
          UINT format = k.format | DT_SINGLELINE | DT_NOPREFIX;
          if (extent.cx > box.right - box.left) format &= ~static_cast<UINT>(DT_CENTER);
          SetTextColor(expected.get(), 0xFFFFFF);
          DrawTextW(expected.get(), wide.data(), static_cast<int>(wide.size()), &box, format);

          int differing = 0;
          for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
              differing += at(x, y) != GetPixel(expected.get(), x, y);
            }
          }
          EXPECT_EQ(differing, 0) << font.name << " " << font.points << " '" << text << "' in ("
                                  << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom
                                  << ") format " << k.format;
        }
      }
    }
  }
}

// One painter keeps its fonts and text colour from draw to draw; what it
// draws after the text's size or boldness changed, or after its back buffer
// was made anew, must be what a fresh painter draws.
TEST(PainterCaches, TextAfterNewSizesBoldnessAndBuffersLooksAsFromAFreshPainter) {
  const struct {
    double points;
    bool bold;
    int width;
    int height;
  } steps[] = {{9, false, 120, 40}, {20, false, 121, 40}, {20, true, 121, 41}, {9, true, 120, 40}};
  const auto draw = [](Painter& painter, const auto& step) {
    Control text = make(ControlKind::TextBox, "txtMenu", 0, 0, 0, 120, 40);
    text.backColour = 0x404040;
    text.textColour = 0x00FFFF;
    text.font = {"Arial", step.points, step.bold, 0};
    text.text = "HP100 属性";
    painter.resize(step.width, step.height);
    painter.render({0, 0, step.width, step.height}, kKeyColour, {text});
    const PixelRows rows = painter.pixels();
    return std::vector<std::uint32_t>(rows.pixels, rows.pixels + rows.width * rows.height);
  };
  Painter kept;
  for (const auto& step : steps) {
    Painter fresh;
    const std::vector<std::uint32_t> expected = draw(fresh, step);
    // Yellow text on grey, never black: the text colour is in the picture.
    EXPECT_TRUE(std::any_of(expected.begin(), expected.end(),
                            [](std::uint32_t pixel) { return (pixel & 0xFFFFFF) == 0xFFFF00; }));
    EXPECT_TRUE(draw(kept, step) == expected)
        << step.points << " points" << (step.bold ? " bold" : "") << " in " << step.width << "x"
        << step.height;
  }
}

TEST_F(PainterTest, RepaintsOnlyTheGivenArea) {
  Control button = make(ControlKind::Button, "cmdMenu", 0, 0, 0, kWidth, kHeight);
  button.backColour = 0x0000FF;
  paint({button});
  button.backColour = 0x00FF00;
  paint({button}, {10, 10, 20, 20});
  EXPECT_EQ(at(15, 15), 0x00FF00u);
  EXPECT_EQ(at(5, 5), 0x0000FFu);
  EXPECT_EQ(at(25, 15), 0x0000FFu);
}

}  // namespace
}  // namespace vesk::platform::win32
