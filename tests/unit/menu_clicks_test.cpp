// The mouse on both strips: each slot by each button, the text lines acting
// as the buttons beneath them, the restacking that hands the keyboard back
// to the game, and the deadline command around the modal editor.
#include <gtest/gtest.h>

#include "overlay_fixture.h"

namespace vesk {
namespace {

using platform::MouseEvent;
using platform::fake::FakeWindow;
using testing::Effects;
using testing::Overlay;

constexpr Rect kGame = testing::Placed::kGame;

// The program beside a game, placed, the z-order calls of the placement
// forgotten.
struct Clicked : testing::Placed {
  Clicked() {
    fake.windowing.zOrderCalls.clear();
    fake.system.slept.clear();
  }
  void press(int index, int button, const char* control = "cmdMenu", bool down = true) {
    MouseEvent e;
    e.control = control;
    e.index = index;
    e.button = button;
    e.down = down;
    main().events().onMouse(e);
  }
  // The click's own two restacking calls come last.
  bool restacked() {
    const auto& z = fake.windowing.zOrderCalls;
    if (z.size() < 2 || fake.system.slept.empty() || fake.system.slept.back() != 10) return false;
    const auto& panel = z[z.size() - 2];
    const auto& game = z.back();
    return panel.window == main().handle() && panel.insertAfter == platform::kHwndTopmost &&
           game.insertAfter == platform::kHwndNoTopmost && game.flags == 0x43u;
  }
};

TEST(MenuClicks, EachSlotByEachButtonDoesWhatItsRowSaysAndNothingElse) {
  const int L = platform::kButtonLeft, R = platform::kButtonRight, M = platform::kButtonMiddle;
  const auto nothing = [](Effects&) {};
  const auto end = [](Effects& e) {
    e.unloaded = true;
    e.main = {};
    e.secondShown = false;
  };
  const struct {
    int index, button;
    void (*change)(Effects&);
    bool restack;
  } cases[] = {
      {0, L, [](Effects& e) { e.swRunning = true; }, true},
      {0, R, [](Effects& e) { e.stopwatch = "0:00:00.00"; }, true},
      {0, M, nothing, true},
      {1, L, [](Effects& e) { e.maxHP = 90; }, true},
      {1, R, [](Effects& e) { e.maxHP = 110; }, true},
      {1, M, nothing, true},
      {2, L, [](Effects& e) { e.allVisible = false; }, true},
      {2, R, [](Effects& e) { e.allVisible = false; }, true},
      {2, M, [](Effects& e) { e.allVisible = false; }, true},
      {3, L, end, false},
      {3, R, end, false},
      {3, M, end, false},
      {4, L, [](Effects& e) { e.editorOpenings = 1; }, true},
      {4, R, nothing, true},
      {4, M, nothing, true},
      {5, L, nothing, true},
      {7, R, nothing, true},
  };
  for (const auto& c : cases) {
    Clicked p;
    p.form.controls().at("txtMenu", 0).text = "0:00:07.00";  // a stopped stopwatch
    Effects expected = p.effects();
    c.change(expected);
    p.press(c.index, c.button);
    EXPECT_EQ(p.effects(), expected) << "slot " << c.index << " button " << c.button;
    if (p.form.unloaded()) {
      EXPECT_TRUE(p.fake.windowing.zOrderCalls.empty()) << "slot " << c.index;
      continue;
    }
    EXPECT_EQ(p.restacked(), c.restack) << "slot " << c.index << " button " << c.button;
    EXPECT_EQ(p.main().focus.first, "cmdDummy");
  }
}

TEST(MenuClicks, ATextLineActsOnReleaseAndAnErrorStopsBeforeTheRestacking) {
  Clicked p;
  p.press(1, platform::kButtonRight, "txtMenu", true);  // a press on a line does nothing
  EXPECT_EQ(p.form.state().maxHP, 100);
  p.press(1, platform::kButtonRight, "txtMenu", false);
  EXPECT_EQ(p.form.state().maxHP, 110);
  EXPECT_TRUE(p.restacked());

  // A layout that overflows ends the click where it stands.
  p.fake.windowing.zOrderCalls.clear();
  p.form.controls().at("cmdMenu", 0).top = 40000;
  p.press(2, platform::kButtonLeft);
  EXPECT_FALSE(p.form.state().allVisible) << "what it changed stays";
  EXPECT_TRUE(p.fake.windowing.zOrderCalls.empty());
}

TEST(MenuClicks, TheSecondaryLineForwardsAndPutsItselfBackOnTop) {
  Clicked p;
  MouseEvent e;
  e.control = "txtMenu";
  e.index = 4;
  e.down = false;
  e.button = platform::kButtonRight;
  p.second().events().onMouse(e);
  EXPECT_EQ(p.editorOpenings, 0);
  const auto& z = p.fake.windowing.zOrderCalls;
  ASSERT_EQ(z.size(), 3u);
  EXPECT_EQ(z[2].window, p.second().handle());
  EXPECT_EQ(z[2].insertAfter, platform::kHwndTopmost);
  e.button = platform::kButtonLeft;
  p.second().events().onMouse(e);
  EXPECT_EQ(p.editorOpenings, 1);
}

TEST(DeadlineCommand, EveryRoadGivesTheKeyboardBackToTheGameOnceTheEditorIsGone) {
  const struct {
    const char* road;
    void (*open)(Clicked&);
  } cases[] = {
      {"modifier + 6", [](Clicked& p) { p.form.onHotKey(1038); }},
      {"modifier + numeric-pad 6", [](Clicked& p) { p.form.onHotKey(1048); }},
      {"a click on slot 4", [](Clicked& p) { p.press(4, platform::kButtonLeft); }},
      {"a release on the secondary line",
       [](Clicked& p) {
         p.second().events().onMouse(MouseEvent{"txtMenu", 4, false, platform::kButtonLeft});
       }},
  };
  for (const auto& c : cases) {
    Clicked p;
    c.open(p);
    EXPECT_EQ(p.editorOpenings, 1) << c.road;
    EXPECT_TRUE(p.gameActivatedAfterEditor()) << c.road;
  }
}

TEST(DeadlineCommand, PausesAroundTheEditorThenReadsTheFileBack) {
  // Where the box's bottom-right corner goes: the game's client corner as
  // last measured, or the corner of a 1024 x 768 screen without a game.
  enum Game { NoGame, OnGame, MinimisedSince, PlacedWhileMinimised };
  const struct {
    Game game;
    int right, bottom;
  } cases[] = {
      {NoGame, 1024, 768},
      {OnGame, 1128, 838},
      {MinimisedSince, 1128, 838},
      {PlacedWhileMinimised, -31844, -31976},  // frame 4 of a client-less window
  };
  for (const auto& c : cases) {
    Overlay o;
    const WindowHandle game = c.game == NoGame ? 0 : o.addGame(kGame, 1024, 768);
    o.load();
    o.form.onTimer();
    if (c.game == MinimisedSince || c.game == PlacedWhileMinimised) {
      o.fake.windowing.foreign(game).windowRect = {-32000, -32000, -31840, -31972};
      o.fake.windowing.foreign(game).clientRect = {};
      if (c.game == PlacedWhileMinimised) o.form.onHotKey(1029);
    }
    std::size_t hotkeysWhileOpen = 99;
    std::size_t hotkeysOnceGone = 0;
    bool timerWhileOpen = true;
    o.fake.windowing.onModal = [&](FakeWindow& editor) {
      hotkeysWhileOpen = o.fake.windowing.hotkeys.size();
      timerWhileOpen = o.main().timerEnabled;
      o.fake.files.put(o.mod.pathTama, "2010/09/25 18:00\r\n");  // as the editor saves
      editor.events().onCloseRequest();
      // Gone, and the modal loop not yet left: a chord pressed now must
      // find its hotkey.
      hotkeysOnceGone = editor.destroyed() ? o.fake.windowing.hotkeys.size() : 0;
    };
    o.form.state().refreshTick = 5;
    o.form.onHotKey(1048);  // the numeric-pad twin of modifier + 6
    EXPECT_EQ(hotkeysWhileOpen, 0u);
    EXPECT_EQ(hotkeysOnceGone, 25u);
    EXPECT_FALSE(timerWhileOpen);
    EXPECT_EQ(o.fake.windowing.hotkeys.size(), 25u);
    EXPECT_TRUE(o.main().timerEnabled);
    EXPECT_EQ(o.form.state().P_CaravanFlg, 1);
    EXPECT_EQ(o.form.state().gemFileState, -1);
    EXPECT_EQ(o.form.state().refreshTick, 1000);
    EXPECT_TRUE(o.form.state().calendarDirty);
    EXPECT_TRUE(o.second().shown);
    // Box 131 x 19: a deadline, no calendar files.
    EXPECT_EQ(o.second().rect.left, c.right - 131) << c.game;
    EXPECT_EQ(o.second().rect.top, c.bottom - 19) << c.game;
  }
}

TEST(Command1, EachClickMovesTheCalendarADayOnUpToTheLastOne) {
  Clicked o;
  o.form.onClick("Command1", -1);
  EXPECT_TRUE(o.restacked());
  o.form.onClick("Command1", -1);
  EXPECT_EQ(o.form.state().dayOffset, 2);
  EXPECT_TRUE(o.form.state().refreshRequested);
  o.form.state().dayOffset = 32767;
  o.form.onClick("Command1", -1);
  EXPECT_EQ(o.form.state().dayOffset, 32767);
}

}  // namespace
}  // namespace vesk
