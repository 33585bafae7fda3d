// Living with the game window: what to do for each sight of it, and the
// strips through a game that is minimised, moved, raised, closed and
// started again, with the game's window never changed.
#include "shell/game_follow.h"

#include <gtest/gtest.h>

#include "overlay_fixture.h"

namespace vesk {
namespace {

using testing::Overlay;

constexpr Rect kGame{100, 50, 1132, 842};  // 1024 x 768 client, frame 4, caption 16
constexpr Rect kMoved{300, 150, 1332, 942};
constexpr Rect kPlacedMain{104, 70, 1128, 260};

TEST(GameFollow, StepForEachSightOfTheGame) {
  using enum FollowStep;
  using A = Attachment;
  constexpr Rect kNone{};
  const GameSight gone{};
  const GameSight minimised{true, false, {}, false};
  const GameSight there{true, true, kGame, false};
  const GameSight moved{true, true, kMoved, false};
  const GameSight covering{true, true, kGame, true};
  const struct {
    const char* name;
    FollowState state;
    GameSight game;
    Rect last;
    FollowStep step;
  } cases[] = {
      {"no game, none comes", {A::None, false, kNone}, gone, kNone, None},
      {"a game appears", {A::None, false, kNone}, there, kNone, Attach},
      {"a game appears minimised", {A::None, false, kNone}, minimised, kNone, None},
      {"placed, game closes", {A::Placed, false, kNone}, gone, kGame, Fallback},
      {"parked, game closes", {A::Parked, false, kNone}, gone, kNone, Fallback},
      {"hidden, game closes", {A::Placed, true, kNone}, gone, kGame, Fallback},
      {"placed, minimised", {A::Placed, false, kNone}, minimised, kGame, Hide},
      {"parked, minimised", {A::Parked, false, kNone}, minimised, kNone, Hide},
      {"hidden, still minimised", {A::Placed, true, kNone}, minimised, kGame, None},
      {"placed, restored", {A::Placed, true, kNone}, there, kGame, Restore},
      {"parked, restored", {A::Parked, true, kNone}, there, kNone, Restore},
      {"placed, moving", {A::Placed, false, kGame}, moved, kGame, Wait},
      {"placed, moved and at rest", {A::Placed, false, kMoved}, moved, kGame, Replace},
      {"parked, moved", {A::Parked, false, kMoved}, moved, kNone, None},
      {"placed, unmoved", {A::Placed, false, kGame}, there, kGame, None},
      {"placed, covered", {A::Placed, false, kNone}, covering, kGame, Restack},
      {"parked, covered", {A::Parked, false, kNone}, {true, true, kMoved, true}, kNone, Restack},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(followStep(c.state, c.game, c.last), c.step) << c.name;
  }
}

struct Followed : Overlay {
  explicit Followed(const std::string& arguments = "") : Overlay(arguments) {
    game = addGame(kGame, 1024, 768);
    load();
    main().setVisible(true);  // as the start-up shows it
    form.onTimer();           // the pending placement
  }
  platform::fake::FakeWindowing::ForeignWindow& window() { return fake.windowing.foreign(game); }
  // The watch's notice, then the next tick.
  void notice() {
    fake.gameWatch.notify();
    form.onTimer();
  }
  void expectPlacedOn(Rect outer, const char* why) {
    EXPECT_EQ(main().rect,
              (Rect{outer.left + 4, outer.top + 20, outer.left + 1028, outer.top + 210}))
        << why;
    EXPECT_TRUE(main().shown && second().shown) << why;
    EXPECT_EQ(second().rect.left + 50, outer.right - 4) << why;
  }
  bool gameTouched() const {
    for (const auto& call : fake.windowing.zOrderCalls) {
      if (call.window == game) return true;
    }
    return false;
  }
  WindowHandle game;
};

TEST(GameFollow, StripsLiveWithTheGame) {
  Followed o;
  o.expectPlacedOn(kGame, "at start");
  o.window().shown = false;
  o.notice();
  o.window().shown = true;
  o.form.onHotKey(1029);  // before the next look: parks, as the game is unmoved
  EXPECT_TRUE(o.main().shown) << "the hotkey shows a strip hidden with the game";
  o.form.onHotKey(1029);
  o.expectPlacedOn(kGame, "placed again");
  o.fake.windowing.zOrderCalls.clear();

  o.window().shown = false;
  o.notice();
  EXPECT_FALSE(o.main().shown || o.second().shown) << "minimised";
  o.window().shown = true;
  o.notice();
  o.expectPlacedOn(kGame, "restored");

  o.window().windowRect = kMoved;
  o.notice();
  o.expectPlacedOn(kGame, "still moving: not yet");
  o.form.onTimer();
  o.expectPlacedOn(kMoved, "at rest after the move");
  EXPECT_FALSE(o.gameTouched()) << "following never changes the game's window";
  o.form.onHotKey(1029);
  EXPECT_EQ(o.main().rect, (Rect{0, 0, 1024, 190})) << "the hotkey parks a followed strip";
  o.fake.windowing.zOrderCalls.clear();

  o.window().windowRect = kGame;
  o.window().shown = false;
  o.notice();
  EXPECT_FALSE(o.main().shown || o.second().shown) << "parked, minimised";
  o.window().shown = true;
  o.notice();
  o.form.onTimer();
  EXPECT_EQ(o.main().rect, (Rect{0, 0, 1024, 190})) << "parked stays parked";
  EXPECT_TRUE(o.main().shown && !o.second().shown) << "parked, restored";

  o.window().aboveStrips = true;
  o.notice();
  o.notice();
  ASSERT_EQ(o.fake.windowing.zOrderCalls.size(), 1u) << "restacked once, then above already";
  EXPECT_EQ(o.fake.windowing.zOrderCalls[0].window, o.main().handle());
  EXPECT_EQ(o.fake.windowing.zOrderCalls[0].insertAfter, platform::kHwndTopmost);
  EXPECT_FALSE(o.gameTouched()) << "following never changes the game's window";

  o.form.onHotKey(1029);
  o.expectPlacedOn(kGame, "the hotkey places a parked strip after the game moved");
}

TEST(GameFollow, BetweenNoticesMostLooksReadTheRectangleAlone) {
  const struct {
    const char* name;
    void (*change)(Followed&);
    bool (*seen)(Followed&);
    int withinTicks;
  } cases[] = {
      {"moved", [](Followed& o) { o.window().windowRect = kMoved; },
       [](Followed& o) { return o.main().rect.left == kMoved.left + 4; }, 4},
      {"minimised (moved off the screen)",
       [](Followed& o) {
         o.window().shown = false;
         o.window().windowRect = {-32000, -32000, -31840, -31972};
       },
       [](Followed& o) { return !o.main().shown; }, 3},
      {"hidden in place", [](Followed& o) { o.window().shown = false; },
       [](Followed& o) { return !o.main().shown; }, 12},
      {"raised over the strips", [](Followed& o) { o.window().aboveStrips = true; },
       [](Followed& o) { return !o.fake.windowing.zOrderCalls.empty(); }, 12},
  };
  for (const auto& c : cases) {
    Followed o;
    for (int tick = 0; tick < 12; ++tick) o.form.onTimer();
    o.fake.windowing.zOrderCalls.clear();
    const int before = o.fake.gameWatch.shownReads;
    const int checksBefore = o.fake.windowing.classChecks;
    for (int tick = 0; tick < 24; ++tick) o.form.onTimer();
    EXPECT_LE(o.fake.gameWatch.shownReads - before, 2) << c.name << ": full looks while idle";
    EXPECT_EQ(o.fake.windowing.classChecks, checksBefore) << c.name << ": class checks while idle";
    c.change(o);
    int ticks = 0;
    while (!c.seen(o) && ticks < 50) {
      o.form.onTimer();
      ++ticks;
    }
    EXPECT_LE(ticks, c.withinTicks) << c.name;
  }
}

TEST(GameFollow, WhereMovesComeAsNoticesTheTickLooksInFullEveryThreeSeconds) {
  for (const bool reported : {false, true}) {
    Followed o;
    o.fake.gameWatch.reportsMoves = reported;
    for (int tick = 0; tick < 30; ++tick) o.form.onTimer();
    const int before = o.fake.gameWatch.shownReads;
    for (int tick = 0; tick < 60; ++tick) o.form.onTimer();
    // Without notices a look every third tick, every fourth one full.
    EXPECT_EQ(o.fake.gameWatch.shownReads - before, reported ? 2 : 5) << reported;
    o.window().windowRect = kMoved;
    o.notice();
    o.form.onTimer();
    o.expectPlacedOn(kMoved, "a move reported: followed at once");
  }
}

TEST(GameFollow, ACloakedGameHidesBothStripsAndTheyComeBackAsTheyStood) {
  for (const bool parked : {false, true}) {
    Followed o;
    if (parked) o.form.onHotKey(1029);
    const Rect before = o.main().rect;
    o.window().cloaked = true;  // another virtual desktop: visible, not shown
    o.notice();
    EXPECT_FALSE(o.main().shown || o.second().shown) << parked;
    o.window().cloaked = false;
    o.notice();
    EXPECT_TRUE(o.main().shown) << parked;
    EXPECT_EQ(o.second().shown, !parked);
    EXPECT_EQ(o.main().rect, before) << parked;
  }
}

TEST(GameFollow, ClosedGameFallsBackAndANewOneIsAttached) {
  Followed o;
  o.window().shown = false;
  o.notice();
  o.fake.windowing.closeForeignWindow(o.game);
  // No notice: the tick's own look finds it gone within a second.
  for (int tick = 0; tick < 10; ++tick) o.form.onTimer();
  EXPECT_EQ(o.main().rect, (Rect{0, 0, 1024, 190}));
  EXPECT_TRUE(o.main().shown && !o.second().shown) << "as at a start without a game";
  EXPECT_FALSE(o.form.unloaded());
  EXPECT_EQ(o.fake.gameWatch.watched, 0u) << "watching for any window shown";

  const WindowHandle again = o.addGame(kMoved, 1024, 768);
  o.notice();
  EXPECT_EQ(o.fake.gameWatch.watched, again);
  o.expectPlacedOn(kMoved, "a new game, no key pressed");
}

TEST(GameFollow, AGameRestartedAtTheSameSpotIsPlacedOnNotParked) {
  const struct {
    const char* name;
    int ticksBetween;  // after the close, before the new game shows
  } cases[] = {{"after the strips fell back", 10}, {"before the next look", 0}};
  for (const auto& c : cases) {
    Followed o;
    o.fake.windowing.closeForeignWindow(o.game);
    for (int tick = 0; tick < c.ticksBetween; ++tick) o.form.onTimer();
    o.addGame(kGame, 1024, 768);
    for (int tick = 0; tick < 10; ++tick) o.form.onTimer();
    o.expectPlacedOn(kGame, c.name);
  }
}

TEST(GameFollow, StartedBesideAMinimisedGameTheStripsHideAndLandOnItsClientAreaOnRestore) {
  Overlay o;
  const WindowHandle game =
      o.fake.windowing.addForeignWindow({" M H F ", {-32000, -32000, -31840, -31972}, {}});
  o.fake.windowing.foreign(game).shown = false;
  o.load();
  o.main().setVisible(true);  // as the start-up shows it
  o.form.onTimer();
  EXPECT_FALSE(o.main().shown || o.second().shown) << "hidden with the minimised game";

  // Restored with a frame of 8 and a caption of 22, unlike what a minimised
  // window is taken to have.
  o.fake.windowing.foreign(game) = {" M H F ", {100, 50, 1140, 856}, {0, 0, 1024, 768}};
  o.fake.gameWatch.notify();
  o.form.onTimer();
  EXPECT_EQ(o.main().rect, (Rect{108, 80, 1132, 270}));
  EXPECT_EQ(o.second().rect.left + 50, 1140 - 8);
  EXPECT_TRUE(o.main().shown && o.second().shown);
}

TEST(GameFollow, AResizedGameGetsThePanelLaidOutForItsWidthAtOnce) {
  Followed o("0,0,1");  // buttons on the right
  o.window().windowRect = {100, 50, 1332, 842};
  o.window().clientRect = {0, 0, 1224, 768};
  o.notice();
  o.form.onTimer();  // at rest
  ASSERT_EQ(o.main().rect, (Rect{104, 70, 1328, 260}));
  // What the window was given to draw.
  const auto drawn = [&](const char* name, int index) {
    for (const platform::Control& c : o.main().controls) {
      if (c.name == name && c.index == index) return c;
    }
    ADD_FAILURE() << name << index << " not presented";
    return platform::Control{};
  };
  EXPECT_DOUBLE_EQ(drawn("lblHPLine", 15).left, 1224 - 4 - 20) << "the scale ends by the edge";
  const platform::Control button = drawn("cmdMenu", 0);
  EXPECT_DOUBLE_EQ(button.left + button.width, 1224) << "buttons at the right edge";
  // With 100 health the last adrenaline mark lies at 40 on the scale.
  EXPECT_DOUBLE_EQ(drawn("lblKajiLine", 4).left, drawn("lblHPLine", 4).left);
}

TEST(GameFollow, RestacksOverARaisedGameNeverTakeTheActivation) {
  for (const bool parked : {false, true}) {
    SCOPED_TRACE(parked ? "parked" : "placed");
    Followed o;
    if (parked) o.form.onHotKey(1029);
    o.fake.windowing.zOrderCalls.clear();
    o.window().aboveStrips = true;
    o.notice();
    const auto& z = o.fake.windowing.zOrderCalls;
    ASSERT_EQ(z.size(), parked ? 1u : 2u);
    for (const auto& call : z) {
      EXPECT_TRUE(call.window == o.main().handle() || call.window == o.second().handle());
      EXPECT_EQ(call.insertAfter, platform::kHwndTopmost);
      EXPECT_EQ(call.flags, 0x13u);  // no move, no size, no activation
    }
  }
}

TEST(GameFollow, WithoutAGameOrNoticesIdleLooksChangeNothingAndALaterGameIsFoundInASecond) {
  // The game starts at each tick of two seconds: found within a second of any.
  for (int idle = 30; idle < 50; ++idle) {
    SCOPED_TRACE(idle);
    Overlay o;
    o.load();
    o.main().setVisible(true);
    o.form.onTimer();
    o.form.onHotKey(1030);  // the reduced panel
    const bool allVisible = o.form.state().allVisible;
    const Rect main = o.main().rect;
    o.fake.windowing.zOrderCalls.clear();
    for (int tick = 0; tick < idle; ++tick) o.form.onTimer();
    EXPECT_EQ(o.form.state().allVisible, allVisible) << "the Show/Hide state stays";
    EXPECT_TRUE(o.fake.windowing.zOrderCalls.empty()) << "nothing restacked";
    EXPECT_EQ(o.main().rect, main);
    EXPECT_TRUE(o.main().shown && !o.second().shown);

    o.addGame(kGame, 1024, 768);  // no notice, as under Wine
    int ticks = 0;
    while (o.main().rect != kPlacedMain && ticks < 30) {
      o.form.onTimer();
      ++ticks;
    }
    EXPECT_LE(ticks, 10) << "100 ms ticks";
  }
}

}  // namespace
}  // namespace vesk
