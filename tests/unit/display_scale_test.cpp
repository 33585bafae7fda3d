// Display scaling: the strips at the game's own on-screen scale on either
// monitor, the panel's rules untouched by the scale, and a DPI change
// followed once the game is at rest.
#include "shell/display_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "overlay_fixture.h"

namespace vesk {
namespace {

using platform::DpiAwareness;
using testing::Overlay;

constexpr Rect kPrimary{0, 0, 1920, 1080};
constexpr Rect kSecond{1920, 0, 3840, 1080};

// A game of 1024 x 768 own pixels, frame 4 and caption 16, at (100, 50) of
// a monitor, as the screen shows it at this scale.
Rect gameOn(const Rect& monitor, double scale) {
  const auto at = [&](double v) { return static_cast<int>(std::lround(v * scale)); };
  return {monitor.left + at(100), monitor.top + at(50), monitor.left + at(1132),
          monitor.top + at(842)};
}

struct Desktop : Overlay {
  Desktop(int primaryDpi, int secondDpi) {
    fake.windowing.monitors = {{kPrimary, primaryDpi}, {kSecond, secondDpi}};
  }
  void addScaledGame(DpiAwareness awareness, bool onSecond, double scale) {
    const Rect outer = gameOn(onSecond ? kSecond : kPrimary, scale);
    const int w = static_cast<int>(std::lround(1024 * scale));
    const int h = static_cast<int>(std::lround(768 * scale));
    game = fake.windowing.addForeignWindow({" M H F ", outer, Rect{0, 0, w, h}});
    fake.windowing.foreign(game).awareness = awareness;
  }
  WindowHandle game = 0;
};

TEST(ScreenScale, PositionsRoundedWidthsAtLeastOnePixel) {
  using platform::ScreenScale;
  const struct {
    double factor;
    double value;
    int position;
    int extent;
  } cases[] = {
      {1.0, 118.5, 118, 118},                    // scale 1: as the rules gave, halves to even
      {1.0, 0.4, 0, 0},                          // nothing stays nothing
      {1.0, 2.0, 2, 2},       {1.5, 3.0, 4, 4},  // 4.5: halves to even
      {1.5, 5.0, 8, 8},                          // 7.5
      {1.5, 2.0, 3, 3},       {1.25, 1.0, 1, 1}, {0.5, 1.0, 0, 1},  // a line never vanishes
      {2.0, 0.0, 0, 0},
  };
  for (const auto& c : cases) {
    const ScreenScale s = ScreenScale::of(c.factor);
    EXPECT_EQ(s.position(c.value), c.position) << c.factor << " x " << c.value;
    EXPECT_EQ(s.extent(c.value), c.extent) << c.factor << " x " << c.value;
  }
  // Spans: a line one thickness wherever it starts, a longer span to its
  // far edge's pixel; at scale 1 the start and the length rounded apart.
  const struct {
    double factor, start, length;
    platform::Span span;
  } spans[] = {
      {1.5, 3, 1, {4, 6}},     {1.5, 4, 1, {6, 8}},     {1.5, 5, 1, {8, 10}},
      {1.5, 15, 10, {22, 38}}, {1.5, 25, 10, {38, 52}}, {1.0, 1.5, 2.5, {2, 4}},
      {1.0, 1.5, 3.5, {2, 6}}, {0.5, 3, 3, {2, 3}},     {2.0, 3, 0.4, {6, 6}},
  };
  for (const auto& c : spans) {
    EXPECT_EQ(ScreenScale::of(c.factor).span(c.start, c.length), c.span)
        << c.factor << " x " << c.start << "+" << c.length;
  }
  EXPECT_DOUBLE_EQ(ScreenScale::of(1.5).points(9), 13.5);
  EXPECT_DOUBLE_EQ(ScreenScale::of(std::nan("")).factor, 1.0);
  EXPECT_DOUBLE_EQ(ScreenScale::of(0).factor, platform::kSmallestScale);
  EXPECT_DOUBLE_EQ(ScreenScale::of(1e9).factor, platform::kLargestScale);
}

TEST(DisplayScale, StripsTakeTheGamesOnScreenScale) {
  using enum DpiAwareness;
  constexpr double kNoGame = -1;
  // Expected scales as Windows shows the game: a DPI-unaware one stretched
  // to its monitor's DPI; a system-aware one drawn at the primary's DPI of
  // its start and stretched by the ratio elsewhere; a per-monitor one 1:1.
  const struct {
    DpiAwareness awareness;
    int primaryDpi;
    int secondDpi;
    bool onSecond;
    double scale;
  } cases[] = {
      {Unaware, 96, 144, false, 1.0},     {Unaware, 120, 96, false, 1.25},
      {Unaware, 144, 96, false, 1.5},     {Unaware, 192, 96, false, 2.0},
      {Unaware, 96, 120, true, 1.25},     {Unaware, 96, 144, true, 1.5},
      {Unaware, 120, 192, true, 2.0},     {Unaware, 144, 96, true, 1.0},
      {System, 96, 144, false, 1.0},      {System, 120, 96, false, 1.0},
      {System, 144, 96, false, 1.0},      {System, 192, 96, false, 1.0},
      {System, 96, 120, true, 1.25},      {System, 96, 144, true, 1.5},
      {System, 144, 96, true, 96 / 144.}, {System, 120, 192, true, 1.6},
      {PerMonitor, 96, 144, false, 1.0},  {PerMonitor, 144, 96, false, 1.0},
      {PerMonitor, 192, 120, false, 1.0}, {PerMonitor, 96, 192, true, 1.0},
      {PerMonitor, 120, 144, true, 1.0},  {Unaware, 96, 144, false, kNoGame},
      {Unaware, 120, 96, false, kNoGame}, {Unaware, 144, 96, false, kNoGame},
      {Unaware, 192, 96, false, kNoGame},
  };
  for (const auto& c : cases) {
    Desktop d(c.primaryDpi, c.secondDpi);
    const bool noGame = c.scale == kNoGame;
    // Without a game: the primary's scale for a program the system would
    // have stretched, as it stretched the strips before.
    const double scale = noGame ? c.primaryDpi / 96.0 : c.scale;
    if (!noGame) d.addScaledGame(c.awareness, c.onSecond, scale);
    d.load();
    d.form.onTimer();
    const std::string name = std::to_string(static_cast<int>(c.awareness)) + " at " +
                             std::to_string(c.primaryDpi) + "/" + std::to_string(c.secondDpi) +
                             (noGame       ? " without a game"
                              : c.onSecond ? " on the second"
                                           : "");
    EXPECT_DOUBLE_EQ(d.main().scale.factor, scale) << name;
    EXPECT_DOUBLE_EQ(d.second().scale.factor, scale) << name;
    const Rect main = d.main().rect;
    EXPECT_EQ(main.height(), std::lround(190 * scale)) << name;
    if (noGame) {
      EXPECT_EQ(main, (Rect{0, 0, static_cast<int>(std::lround(1024 * scale)), main.bottom}))
          << name;
      continue;
    }
    // Over the game's client area in screen pixels, exactly as wide.
    const Rect outer = d.fake.windowing.foreign(d.game).windowRect;
    const Rect client = d.fake.windowing.foreign(d.game).clientRect;
    const double frame = (outer.width() - client.width()) / 2.0;
    EXPECT_EQ(main.left, std::lrint(outer.left + frame)) << name;
    EXPECT_EQ(main.top, std::lrint(outer.bottom - frame - client.height())) << name;
    EXPECT_EQ(main.width(), client.width()) << name;
    // The corner strip's box ends at the client area's bottom-right corner.
    const platform::Control& box = d.secondControl("cmdMenu", 4);
    const Rect second = d.second().rect;
    // Sizes round halves to even, as the program rounds.
    EXPECT_NEAR(second.left + std::lrint(box.width * scale), outer.right - frame, 0.5) << name;
    EXPECT_NEAR(second.top + std::lrint(box.height * scale), outer.bottom - frame, 0.5) << name;
  }
}

TEST(DisplayScale, NoGameKeepsTheLastGamesScale) {
  Desktop d(96, 144);
  d.addScaledGame(DpiAwareness::Unaware, true, 1.5);
  d.load();
  d.form.onTimer();
  ASSERT_DOUBLE_EQ(d.main().scale.factor, 1.5);
  d.fake.windowing.closeForeignWindow(d.game);
  for (int i = 0; i < 12; ++i) d.form.onTimer();
  EXPECT_EQ(d.main().rect, (Rect{0, 0, 1536, 285}));
  EXPECT_DOUBLE_EQ(d.main().scale.factor, 1.5);
}

TEST(DisplayScale, SystemThatScalesTheProgramItselfDrawsAtOne) {
  Desktop d(144, 96);
  d.fake.windowing.ownPixels = false;
  d.addScaledGame(DpiAwareness::Unaware, false, 1.5);
  d.load();
  d.form.onTimer();
  EXPECT_DOUBLE_EQ(d.main().scale.factor, 1.0);
}

// The panel's fields that the rules set, for comparing two panels.
std::vector<std::string> panelOf(const std::vector<platform::Control>& controls) {
  std::vector<std::string> out;
  for (const platform::Control& c : controls) {
    out.push_back(c.name + "(" + std::to_string(c.index) + ") " + std::to_string(c.left) + "," +
                  std::to_string(c.top) + " " + std::to_string(c.width) + "x" +
                  std::to_string(c.height) + (c.visible ? " shown " : " hidden ") + c.text + " " +
                  c.font.name + " " + std::to_string(c.font.points));
  }
  return out;
}

TEST(DisplayScale, PanelAtOneAndAHalfIsThePanelAtOneScaledOnTheWay) {
  Desktop at96(96, 96);
  at96.addScaledGame(DpiAwareness::Unaware, false, 1.0);
  at96.load();
  at96.form.onTimer();
  Desktop at144(144, 96);
  at144.addScaledGame(DpiAwareness::Unaware, false, 1.5);
  at144.load();
  at144.form.onTimer();

  // The rules lay out the same panel in their own pixels, the same marker
  // scale included; only the scale handed to the windows differs.
  EXPECT_EQ(panelOf(at144.form.controls().all()), panelOf(at96.form.controls().all()));
  EXPECT_EQ(panelOf(at144.form.frmVESK2().controls().all()),
            panelOf(at96.form.frmVESK2().controls().all()));
  EXPECT_DOUBLE_EQ(at144.form.state().meterLeft, at96.form.state().meterLeft);
  EXPECT_DOUBLE_EQ(at144.form.state().meterStep, at96.form.state().meterStep);
  EXPECT_DOUBLE_EQ(at96.main().scale.factor, 1.0);
  EXPECT_DOUBLE_EQ(at144.main().scale.factor, 1.5);
  // The main strip the same place and size, in screen pixels, times 1.5;
  // the corner strip 1.5 times as big, its box (19 x 1.5 = 28.5 rounded to
  // 28 high) ending at the client area's corner as before.
  const Rect a = at96.main().rect;
  EXPECT_EQ(at144.main().rect,
            (Rect{a.left * 3 / 2, a.top * 3 / 2, a.right * 3 / 2, a.bottom * 3 / 2}));
  const Rect b = at96.second().rect;
  EXPECT_EQ(at144.second().rect, (Rect{b.left * 3 / 2, b.top * 3 / 2 + 1, b.left * 3 / 2 + 300,
                                       b.top * 3 / 2 + 1 + 50}));
}

TEST(DisplayScale, ControlsThatMeetAtFullSizeMeetAtEveryScale) {
  Desktop d(96, 96);
  d.addScaledGame(DpiAwareness::Unaware, false, 1.0);
  d.load();
  d.form.onTimer();
  int meetings = 0;
  for (const auto* controls : {&d.form.controls().all(), &d.form.frmVESK2().controls().all()}) {
    for (const auto& a : *controls) {
      for (const auto& b : *controls) {
        if (!a.visible || !b.visible) continue;
        // b starts where a ends, on an axis along which they overlap.
        const auto meets = [&](double aStart, double aLength, double bStart, double aCross,
                               double aCrossLength, double bCross, double bCrossLength) {
          return std::lround(aStart + aLength) == std::lround(bStart) && aLength > 0 &&
                 aCross < bCross + bCrossLength && bCross < aCross + aCrossLength;
        };
        for (const double factor : {1.25, 1.5, 1.75, 2.0}) {
          const auto s = platform::ScreenScale::of(factor);
          if (meets(a.left, a.width, b.left, a.top, a.height, b.top, b.height)) {
            ++meetings;
            EXPECT_EQ(s.span(a.left, a.width).to, s.span(b.left, b.width).from)
                << factor << ": " << a.name << a.index << " then " << b.name << b.index;
          }
          if (meets(a.top, a.height, b.top, a.left, a.width, b.left, b.width)) {
            ++meetings;
            EXPECT_EQ(s.span(a.top, a.height).to, s.span(b.top, b.height).from)
                << factor << ": " << a.name << a.index << " above " << b.name << b.index;
          }
        }
      }
    }
  }
  EXPECT_GT(meetings, 0);
}

TEST(DisplayScale, DpiChangeOfTheGamesMonitorScalesAgainOnceAtRest) {
  for (const bool resized : {true, false}) {
    Desktop d(96, 96);
    d.addScaledGame(DpiAwareness::Unaware, false, 1.0);
    d.load();
    d.form.onTimer();
    ASSERT_DOUBLE_EQ(d.main().scale.factor, 1.0);
    const int placements = d.main().boundsCalls;

    // The primary goes to 150 %: the system stretches the game (or, for a
    // game that keeps its size, only the DPI changes) and tells the strips.
    d.fake.windowing.monitors[0].dpi = 144;
    if (resized) {
      d.fake.windowing.foreign(d.game).windowRect = gameOn(kPrimary, 1.5);
      d.fake.windowing.foreign(d.game).clientRect = {0, 0, 1536, 1152};
    }
    d.main().events().onDpiChange();
    d.form.onTimer();  // a first look: not yet seen at rest
    EXPECT_DOUBLE_EQ(d.main().scale.factor, 1.0) << resized;
    d.form.onTimer();  // the same rectangle again: at rest
    EXPECT_DOUBLE_EQ(d.main().scale.factor, 1.5) << resized;
    EXPECT_EQ(d.main().rect.height(), 285) << resized;
    EXPECT_EQ(d.main().boundsCalls, placements + 1) << resized;
    for (int i = 0; i < 12; ++i) d.form.onTimer();
    EXPECT_EQ(d.main().boundsCalls, placements + 1) << resized << ": placed once";
  }
}

}  // namespace
}  // namespace vesk
