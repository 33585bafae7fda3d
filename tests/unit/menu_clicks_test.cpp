// The mouse on both strips: each slot by each button, the text lines acting
// as the buttons beneath them, the restacking that hands the keyboard back
// to the game, and the deadline command around the modal editor.
#include <gtest/gtest.h>

#include <functional>

#include "overlay_fixture.h"

namespace vesk {
namespace {

using platform::MouseEvent;
using platform::fake::FakeWindow;
using testing::Overlay;

constexpr Rect kGame{100, 50, 1132, 842};

// The program beside a game, placed; the editor, when it opens, is closed
// at once by the title bar's close box.
struct Clicked : Overlay {
  Clicked() {
    addGame(kGame, 1024, 768);
    load();
    form.onTimer();
    fake.windowing.onModal = [this](FakeWindow& editor) {
      ++editorOpenings;
      hotkeysWhileOpen = fake.windowing.hotkeys.size();
      timerWhileOpen = main().timerEnabled;
      editor.events().onCloseRequest();
    };
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
  // The click's own two restacking calls come last (the editor, when it
  // opens, restacks itself before them).
  bool restacked() {
    const auto& z = fake.windowing.zOrderCalls;
    if (z.size() < 2 || fake.system.slept.empty() || fake.system.slept.back() != 10) return false;
    const auto& panel = z[z.size() - 2];
    const auto& game = z.back();
    return panel.window == main().handle() && panel.insertAfter == platform::kHwndTopmost &&
           game.insertAfter == platform::kHwndNoTopmost && game.flags == 0x43u;
  }
  int editorOpenings = 0;
  std::size_t hotkeysWhileOpen = 99;
  bool timerWhileOpen = true;
};

TEST(MenuClicks, EachSlotByEachButton) {
  const int L = platform::kButtonLeft, R = platform::kButtonRight, M = platform::kButtonMiddle;
  const struct {
    int index, button;
    std::function<bool(Clicked&)> effect;
    bool restack;
  } cases[] = {
      {0, L, [](Clicked& c) { return c.form.state().swRunning; }, true},
      {0, R, [](Clicked& c) { return c.mainControl("txtMenu", 0).text == "0:00:00.00"; }, true},
      {0, M, [](Clicked& c) { return !c.form.state().swRunning; }, true},
      {1, L, [](Clicked& c) { return c.form.state().maxHP == 90; }, true},
      {1, R, [](Clicked& c) { return c.form.state().maxHP == 110; }, true},
      {1, M, [](Clicked& c) { return c.form.state().maxHP == 100; }, true},
      {2, L, [](Clicked& c) { return !c.form.state().allVisible; }, true},
      {2, M, [](Clicked& c) { return !c.form.state().allVisible; }, true},
      {3, R, [](Clicked& c) { return c.form.unloaded() && !c.fake.windowing.window("frmVESK2"); },
       false},
      {4, L, [](Clicked& c) { return c.editorOpenings == 1; }, true},
      {4, R, [](Clicked& c) { return c.editorOpenings == 0; }, true},
      {7, L, [](Clicked& c) { return c.form.state().maxHP == 100 && c.form.state().allVisible; },
       true},
  };
  for (const auto& c : cases) {
    Clicked p;
    p.form.controls().at("txtMenu", 0).text = "0:00:07.00";
    p.press(c.index, c.button);
    EXPECT_TRUE(c.effect(p)) << "slot " << c.index << " button " << c.button;
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

TEST(DeadlineCommand, PausesAroundTheEditorThenReadsTheFileBack) {
  for (const bool withGame : {true, false}) {
    Overlay o;
    if (withGame) o.addGame(kGame, 1024, 768);
    o.load();
    o.form.onTimer();
    std::size_t hotkeysWhileOpen = 99;
    bool timerWhileOpen = true;
    o.fake.windowing.onModal = [&](FakeWindow& editor) {
      hotkeysWhileOpen = o.fake.windowing.hotkeys.size();
      timerWhileOpen = o.main().timerEnabled;
      o.fake.files.put(o.mod.pathTama, "2010/09/25 18:00\r\n");  // as the editor saves
      editor.events().onCloseRequest();
    };
    o.form.state().refreshTick = 5;
    o.form.onHotKey(1048);  // the numeric-pad twin of modifier + 6
    EXPECT_EQ(hotkeysWhileOpen, 0u);
    EXPECT_FALSE(timerWhileOpen);
    EXPECT_EQ(o.fake.windowing.hotkeys.size(), 25u);
    EXPECT_TRUE(o.main().timerEnabled);
    EXPECT_EQ(o.form.state().P_CaravanFlg, 1);
    EXPECT_EQ(o.form.state().gemFileState, -1);
    EXPECT_EQ(o.form.state().refreshTick, 1000);
    EXPECT_TRUE(o.form.state().calendarDirty);
    EXPECT_TRUE(o.second().shown);
    // Box 131 x 19 (a deadline, no calendar files) at the game's client
    // corner, or at the corner of a 1024 x 768 screen without a game.
    const int right = withGame ? 1128 : 1024, bottom = withGame ? 838 : 768;
    EXPECT_EQ(o.second().rect.left, right - 131) << withGame;
    EXPECT_EQ(o.second().rect.top, bottom - 19) << withGame;
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
