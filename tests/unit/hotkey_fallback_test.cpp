// Chords that another program holds: the hook's decision, and the program
// around it (hook installed for the refused chords only, acting like the
// hotkey, released with the editor and at the end, the message when
// nothing serves them).
#include "shell/hotkey_fallback.h"

#include <gtest/gtest.h>

#include <vector>

#include "overlay_fixture.h"

namespace vesk {
namespace {

using platform::HookAction;
using platform::KeyEvent;
using testing::Overlay;

constexpr unsigned kWin = platform::kModWin;
constexpr unsigned kUp = 0x26, kNum2 = 0x62;

TEST(HookDecision, ActsOnARefusedChordOverTheGameOrVeskAndPassesEverythingElse) {
  const std::vector<HookChord> chords{{1030, kWin, '2'}, {1027, kWin, kUp}, {1054, kWin, 'S'}};
  constexpr WindowHandle game = 1, own = 2, other = 3;
  const auto classify = [](WindowHandle w) {
    return w == game  ? HookForeground::Game
           : w == own ? HookForeground::Own
                      : HookForeground::Other;
  };
  const struct {
    KeyEvent event;
    bool released;
    HookAction action;
    int id;
  } cases[] = {
      {{'2', true, kWin, game}, false, HookAction::Act, 1030},
      {{kUp, true, kWin, own}, false, HookAction::Act, 1027},
      {{'S', true, kWin, game}, false, HookAction::Act, 1054},
      {{'2', false, kWin, game}, false, HookAction::Swallow, 0},  // its release
      {{'2', true, kWin, other}, false, HookAction::Pass, 0},     // the shell's then
      {{'2', false, kWin, other}, false, HookAction::Pass, 0},    // and so is its release
      {{'2', true, kWin, 0}, false, HookAction::Pass, 0},
      {{'2', true, kWin | platform::kModShift, game}, false, HookAction::Pass, 0},
      {{'2', true, 0, game}, false, HookAction::Pass, 0},     // typed in the game
      {{'3', true, kWin, game}, false, HookAction::Pass, 0},  // registered: a hotkey
      {{kNum2, true, kWin, game}, false, HookAction::Pass, 0},
      {{'2', true, kWin, game}, true, HookAction::Pass, 0},  // the editor is open
  };
  for (const auto& c : cases) {
    const platform::HookVerdict v = decideHookedKey(chords, c.released, c.event, classify);
    EXPECT_EQ(v.action, c.action) << c.event.virtualKey << " mods " << c.event.modifiers
                                  << " in front " << c.event.foreground << " released "
                                  << c.released;
    EXPECT_EQ(v.id, c.id) << c.event.virtualKey;
  }
}

TEST(HookDecision, TheMessageNamesEveryKeyAsTheKeyboardShowsIt) {
  constexpr unsigned kCtrl = platform::kModCtrl, kAlt = platform::kModAlt;
  const struct {
    unsigned modifiers;
    unsigned virtualKey;
    const char* name;
  } cases[] = {
      {kWin, '0', "Win+0"},     {kCtrl, '1', "Ctrl+1"},     {kAlt, '9', "Alt+9"},
      {kWin, 0x60, "Win+Num0"}, {kCtrl, 0x65, "Ctrl+Num5"}, {kAlt, 0x69, "Alt+Num9"},
      {kWin, 0x25, "Win+Left"}, {kCtrl, kUp, "Ctrl+Up"},    {kAlt, 0x27, "Alt+Right"},
      {kWin, 0x28, "Win+Down"}, {kWin, 'S', "Win+S"},
  };
  for (const auto& c : cases) EXPECT_EQ(hotKeyName(c.modifiers, c.virtualKey), c.name);
}

TEST(HookLossCheck, APressRawInputSawAndTheHookDidNotMeansTheHookIsGone) {
  platform::HookLossCheck check;
  check.onRawPress();  // raw input may hear first
  check.onHookPress();
  EXPECT_FALSE(check.settle());
  check.onHookPress();  // presses the hook ate: no raw input for them
  check.onHookPress();
  EXPECT_FALSE(check.settle());
  check.onRawPress();  // by raw input alone: removed
  EXPECT_TRUE(check.settle());
  EXPECT_FALSE(check.settle());  // once
}

// The shell holds Windows key + 2, + Up and + S, as on Windows 10 and 11.
struct ShellHoldsChords : Overlay {
  explicit ShellHoldsChords(const std::string& arguments = "") : Overlay(arguments) {
    for (const unsigned key : {0x32u, kUp, 0x53u}) fake.windowing.heldByOthers.insert({kWin, key});
    game = addGame({100, 50, 1132, 842}, 1024, 768);
    other = fake.windowing.addForeignWindow({"Shell_TrayWnd", {}, {}});
  }
  platform::HookVerdict press(unsigned key, WindowHandle foreground, unsigned mods = kWin) {
    return fake.windowing.hookKey({key, true, mods, foreground});
  }
  WindowHandle game = 0, other = 0;
};

TEST(HookFallback, RefusedChordsActOverTheGameOrVeskOnlyAndTheHookFollowsTheHotkeys) {
  ShellHoldsChords o;
  o.load();
  o.form.onTimer();
  const auto& hook = o.fake.windowing.hook;
  ASSERT_TRUE(hook.installed());
  EXPECT_EQ(hook.owner, o.main().handle());
  EXPECT_EQ(hook.keys.count(), 3u);  // 2, Up and S only
  EXPECT_TRUE(hook.keys.test('2') && hook.keys.test(kUp) && hook.keys.test('S'));
  const bool shown = o.form.state().allVisible;

  EXPECT_EQ(o.press('2', o.other).action, HookAction::Pass);
  EXPECT_EQ(o.form.state().allVisible, shown);
  EXPECT_EQ(o.press('2', o.game).action, HookAction::Act);
  EXPECT_EQ(o.form.state().allVisible, !shown);
  EXPECT_EQ(o.press('2', o.main().handle()).action, HookAction::Act);  // auto-repeat too
  EXPECT_EQ(o.form.state().allVisible, shown);
  EXPECT_EQ(o.press(kUp, o.second().handle()).action, HookAction::Act);
  EXPECT_TRUE(o.form.state().swRunning);
  // The neutral key goes at the Windows key's release, once per press
  // that ate a chord; a lone press opens Start as ever.
  EXPECT_EQ(hook.neutralKeys, 0);
  o.fake.windowing.hookKey({platform::StartMenuMask::kLeftWin, false, 0, o.game});
  EXPECT_EQ(hook.neutralKeys, 1);
  o.fake.windowing.hookKey({platform::StartMenuMask::kLeftWin, true, kWin, o.game});
  o.fake.windowing.hookKey({platform::StartMenuMask::kLeftWin, false, 0, o.game});
  EXPECT_EQ(hook.neutralKeys, 1);
  // A stale game handle: the window of another class now holds it.
  o.fake.windowing.closeForeignWindow(o.game);
  o.fake.windowing.addForeignWindowAt(o.game, {"Notepad", {}, {}});
  EXPECT_EQ(o.press(kUp, o.game).action, HookAction::Pass);

  // The editor: no hook while it is open, and a hook message still queued
  // then does nothing; the hook is back afterwards.
  bool hookedWhileOpen = true;
  o.fake.windowing.onModal = [&](platform::fake::FakeWindow& editor) {
    hookedWhileOpen = hook.installed();
    o.form.onHotKey(1030);
    editor.events().onCloseRequest();
  };
  const bool before = o.form.state().allVisible;
  o.form.onHotKey(1038);
  EXPECT_FALSE(hookedWhileOpen);
  EXPECT_EQ(o.form.state().allVisible, before);
  EXPECT_TRUE(hook.installed());
  EXPECT_EQ(hook.installCalls, 2);

  o.fake.windowing.addForeignWindowAt(o.game, {" M H F ", {100, 50, 1132, 842}, {0, 0, 1024, 768}});
  EXPECT_EQ(o.press('0', o.game).action, HookAction::Pass);  // registered: a hotkey
  o.form.onHotKey(1031);
  EXPECT_TRUE(o.form.unloaded());
  EXPECT_FALSE(hook.installed());
  EXPECT_TRUE(o.fake.system.messages.empty());
}

TEST(HookFallback, TheHookAndTheMessageOnlyWhenNeeded) {
  const struct {
    const char* arguments;
    bool shellHolds;
    bool hookRefused;
    int installs;
    const char* message;  // the keys it names; nullptr: no message
  } cases[] = {
      {"", true, false, 1, nullptr},                    // the hook serves the refused chords
      {"", true, true, 1, "\nWin+Up, Win+2, Win+S\n"},  // nothing serves them
      {"", false, true, 0, nullptr},                    // nothing refused
      {"1", true, true, 1, "\nWin+S\n"},  // Ctrl: only the settings key is the shell's
      {"1", false, true, 0, nullptr},
  };
  for (const auto& c : cases) {
    ShellHoldsChords o(c.arguments);
    if (!c.shellHolds) o.fake.windowing.heldByOthers.clear();
    o.fake.windowing.hook.refuse = c.hookRefused;
    o.load();
    EXPECT_EQ(o.fake.windowing.hook.installCalls, c.installs) << c.arguments << c.shellHolds;
    ASSERT_EQ(o.fake.system.messages.size(), c.message ? 1u : 0u) << c.arguments << c.shellHolds;
    if (c.message) {
      EXPECT_NE(o.fake.system.messages[0].find(c.message), std::string::npos)
          << o.fake.system.messages[0];
      EXPECT_NE(o.fake.system.messages[0].find("1 (Ctrl) か 3 (Alt)"), std::string::npos);
      // Once: not again when the editor gives the hotkeys back.
      o.fake.windowing.onModal = [](platform::fake::FakeWindow& e) { e.events().onCloseRequest(); };
      o.form.onHotKey(1038);
      EXPECT_EQ(o.fake.system.messages.size(), 1u);
    }
  }
}

}  // namespace
}  // namespace vesk
