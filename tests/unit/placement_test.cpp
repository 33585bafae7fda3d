// SetForm beside a fake game window: every branch with worked rectangles,
// the park toggle, a game that moves, closes or comes later.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "overlay_fixture.h"

namespace vesk {
namespace {

using platform::kHwndNoTopmost;
using platform::kHwndTopmost;
using testing::Overlay;

constexpr Rect kGame{100, 50, 1132, 842};  // 1024 x 768 client, frame 4, caption 16

TEST(SetForm, EachBranchPlacesBothStrips) {
  // The first placement runs in the load step, while the secondary box still
  // has its design size of 141 x 30 pixels.
  enum ZOrder { MainOnly, None, Full };
  const struct {
    const char* name;
    std::function<void(Overlay&)> game;
    Rect main;
    int secondX, secondY;
    bool secondShown;
    ZOrder zorder;
  } cases[] = {
      {"absent", [](Overlay&) {}, {0, 0, 1024, 190}, 883, 738, false, MainOnly},
      {"outer rectangle fails",
       [](Overlay& o) { o.fake.windowing.foreign(o.addGame(kGame, 1024, 768)).rectFails = true; },
       {0, 0, 1024, 190},
       883,
       738,
       true,
       None},
      {"client rectangle fails",
       [](Overlay& o) { o.fake.windowing.foreign(o.addGame(kGame, 1024, 768)).clientFails = true; },
       {0, 0, 1024, 190},
       883,
       738,
       true,
       Full},
      {"minimised",
       [](Overlay& o) {
         o.addGame({-32000, -32000, -31840, -31972}, 0, 0);
       },
       {0, 0, 1024, 190},
       879,
       734,
       true,
       Full},
      {"placed",
       [](Overlay& o) { o.addGame(kGame, 1024, 768); },
       {104, 70, 1128, 260},
       987,
       808,
       true,
       Full},
      // Frame difference 7: frame 3.5, caption 17, halves to even.
      {"odd frame",
       [](Overlay& o) {
         o.addGame({100, 50, 1131, 842}, 1024, 768);
       },
       {104, 70, 1128, 260},
       987,
       809,
       true,
       Full},
  };
  for (const auto& c : cases) {
    Overlay o;
    c.game(o);
    o.load();
    EXPECT_EQ(o.main().rect, c.main) << c.name;
    EXPECT_EQ(o.second().rect.left, c.secondX) << c.name;
    EXPECT_EQ(o.second().rect.top, c.secondY) << c.name;
    EXPECT_EQ(o.second().shown, c.secondShown) << c.name;
    EXPECT_TRUE(o.form.state().allVisible) << c.name;
    const auto& z = o.fake.windowing.zOrderCalls;
    const std::size_t expected = c.zorder == MainOnly ? 1 : c.zorder == None ? 0 : 3;
    ASSERT_EQ(z.size(), expected) << c.name;
    if (c.zorder == MainOnly) {
      EXPECT_EQ(z[0].window, o.main().handle());
    }
    if (c.zorder == Full) {
      EXPECT_EQ(z[0].window, o.second().handle());
      EXPECT_EQ(z[1].window, o.main().handle());
      EXPECT_EQ(z[0].insertAfter, kHwndTopmost);
      EXPECT_EQ(z[2].insertAfter, kHwndNoTopmost);
      EXPECT_EQ(z[2].flags, 0x43u);  // shown and activated: the game keeps the keyboard
    }
  }
}

TEST(SetForm, PlacesParksAndPlacesAgainUnlessTheGameMoved) {
  Overlay o;
  const WindowHandle game = o.addGame(kGame, 1024, 768);
  o.load();
  o.form.onTimer();  // the pending placement: places, never parks
  EXPECT_EQ(o.main().rect, (Rect{104, 70, 1128, 260}));
  EXPECT_DOUBLE_EQ(o.form.state().meterStep, 58.8);
  // The box now has its laid-out size, 50 x 19 without data files.
  EXPECT_EQ(o.second().rect.left, 1078);
  EXPECT_EQ(o.second().rect.top, 819);

  o.form.onHotKey(1029);  // unmoved: park
  EXPECT_EQ(o.main().rect, (Rect{0, 0, 1024, 190}));
  EXPECT_FALSE(o.second().shown);
  EXPECT_FALSE(o.form.state().allVisible);
  EXPECT_FALSE(o.form.state().parking);

  o.form.onHotKey(1039);  // the numeric-pad twin places again
  EXPECT_EQ(o.main().rect, (Rect{104, 70, 1128, 260}));
  EXPECT_TRUE(o.second().shown);

  o.fake.windowing.foreign(game).windowRect = {100, 50, 1232, 842};  // resized only
  o.fake.windowing.foreign(game).clientRect = {0, 0, 1124, 768};
  o.form.onHotKey(1029);
  EXPECT_EQ(o.main().rect, (Rect{0, 0, 1124, 190})) << "resized counts as unmoved";

  o.form.onHotKey(1029);
  o.fake.windowing.foreign(game).windowRect = {300, 150, 1432, 942};  // moved
  o.form.onHotKey(1029);
  EXPECT_EQ(o.main().rect, (Rect{304, 170, 1428, 360}));
}

TEST(SetForm, ParksOnlyWhenAPlacementIsOnRecordAndTheCornerIsTheSame) {
  // Steps: the game's outer rectangle (a 1024 x 768 client, frame 4,
  // caption 16; a minimised game has no client), then a tick or modifier +
  // 1, then where the main strip is. The first tick places as pending.
  constexpr Rect kMinimised{-32000, -32000, -31840, -31972};
  constexpr Rect kPlaced{104, 70, 1128, 260}, kParked{0, 0, 1024, 190};
  constexpr Rect kFallback = kParked;  // a 1024 x 768 screen's top band
  enum Call { Tick, Key };
  struct Step {
    Rect game;
    Call call;
    Rect main;
  };
  const struct {
    const char* name;
    std::vector<Step> steps;
  } cases[] = {
      {"left alone 0",
       {{{0, 50, 1032, 842}, Tick, {4, 70, 1028, 260}},
        {{0, 50, 1032, 842}, Key, kParked},
        {{0, 50, 1032, 842}, Key, {4, 70, 1028, 260}}}},
      {"top alone 0",
       {{{100, 0, 1132, 792}, Tick, {104, 20, 1128, 210}}, {{100, 0, 1132, 792}, Key, kParked}}},
      {"moved only vertically",
       {{kGame, Tick, kPlaced}, {{100, 150, 1132, 942}, Key, {104, 170, 1128, 360}}}},
      {"minimised and restored between two calls",
       {{kGame, Tick, kPlaced}, {kMinimised, Tick, kPlaced}, {kGame, Key, kParked}}},
      {"called while minimised, then restored",
       {{kGame, Tick, kPlaced}, {kMinimised, Key, kFallback}, {kGame, Key, kPlaced}}},
  };
  for (const auto& c : cases) {
    Overlay o;
    const WindowHandle game = o.addGame(c.steps[0].game, 1024, 768);
    o.load();
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      const Step& st = c.steps[i];
      o.fake.windowing.foreign(game).windowRect = st.game;
      o.fake.windowing.foreign(game).clientRect =
          st.game == kMinimised ? Rect{} : Rect{0, 0, 1024, 768};
      if (st.call == Tick) {
        o.form.onTimer();
      } else {
        o.form.onHotKey(1029);
      }
      EXPECT_EQ(o.main().rect, st.main) << c.name << ", step " << i;
    }
  }
}

TEST(SetForm, AttachesToAGameThatComesLaterOrRestartsAndNeverTouchesAStranger) {
  Overlay o;
  o.load();
  EXPECT_EQ(o.form.state().gameHwnd, 0u);
  const WindowHandle first = o.addGame(kGame, 1024, 768);
  o.form.onHotKey(1029);
  EXPECT_EQ(o.form.state().gameHwnd, first);
  EXPECT_EQ(o.main().rect, (Rect{104, 70, 1128, 260}));

  // The game closes and another program's window gets its handle.
  o.fake.windowing.closeForeignWindow(first);
  o.fake.windowing.addForeignWindowAt(first, {"Notepad", {0, 0, 500, 400}, {0, 0, 492, 360}});
  o.fake.windowing.zOrderCalls.clear();
  o.form.onHotKey(1029);
  EXPECT_EQ(o.main().rect, (Rect{0, 0, 1024, 190}));
  for (const auto& call : o.fake.windowing.zOrderCalls) EXPECT_NE(call.window, first);

  const WindowHandle second = o.addGame({200, 100, 1032, 724}, 824, 600);
  o.form.onHotKey(1029);
  EXPECT_EQ(o.form.state().gameHwnd, second);
  EXPECT_EQ(o.main().rect, (Rect{204, 120, 1028, 310}));
}

TEST(SetForm, AnOverflowEndsTheHandlerAndTheProgramGoesOn) {
  Overlay o;
  o.addGame({40000, 0, 41032, 792}, 1024, 768);  // beyond a 16-bit position
  o.load();
  o.form.onTimer();
  EXPECT_FALSE(o.form.state().placePending);
  o.form.onHotKey(1027);  // start the stopwatch
  o.fake.clock.advance(1500);
  o.form.onTimer();
  EXPECT_EQ(o.mainControl("txtMenu", 0).text, "0:00:01.50");
}

}  // namespace
}  // namespace vesk
