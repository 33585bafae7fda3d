// Who has the keyboard: a strip never takes it from the game, and the
// editor takes it only as the active window, giving it back to the list
// that had it when it is activated again.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "combo_lists.h"
#include "message_pump.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windowing_win32.h"
#include "recorder_window.h"

namespace vesk::platform::win32 {
namespace {

HWND hwndOf(const Window& window) { return reinterpret_cast<HWND>(window.handle()); }

// The window that has the keyboard, in front: active, foreground and focused.
::testing::AssertionResult inFront(HWND expected) {
  settle();
  if (GetForegroundWindow() == expected && GetActiveWindow() == expected) {
    return ::testing::AssertionSuccess();
  }
  wchar_t name[64] = {};
  GetClassNameW(GetForegroundWindow(), name, 64);
  return ::testing::AssertionFailure()
         << "foreground " << GetForegroundWindow() << " of class " << toUtf8(name) << ", active "
         << GetActiveWindow() << ", expected " << expected;
}

bool bringToFront(HWND window) {
  SetForegroundWindow(window);
  return pumpUntil([&] { return GetForegroundWindow() == window; });
}

// The window's combo boxes, left to right.
std::vector<HWND> listsLeftToRight(const Window& window) {
  std::vector<HWND> found = combos(window);
  const auto left = [](HWND c) {
    RECT r{};
    GetWindowRect(c, &r);
    return r.left;
  };
  std::sort(found.begin(), found.end(), [&](HWND a, HWND b) { return left(a) < left(b); });
  return found;
}

class Win32ActivationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(game.get());
    ASSERT_TRUE(bringToFront(game.get()));
  }
  Win32Windowing windowing;
  WindowEvents events;
  RecorderWindow game;  // the game in front
};

TEST_F(Win32ActivationTest, AStripNeverTakesTheActivationFromTheGame) {
  const auto strip = windowing.createWindow(
      WindowDesign{"frmTestNoActivate", "", WindowStyle::Strip, 200, 33, kKeyColour}, events);
  ASSERT_NE(strip, nullptr);
  Control button;
  button.kind = ControlKind::Button;
  button.name = "cmdMenu";
  button.width = 200;
  button.height = 33;
  button.backColour = 0x404040;
  const struct {
    const char* what;
    std::function<void()> act;
  } steps[] = {
      {"shown at start",
       [&] {
         strip->setColourKey(kKeyColour);
         strip->setBounds(320, 320, 200, 33);
         strip->present({button});
         strip->setVisible(true);
       }},
      {"hidden and shown again, as when the game is restored",
       [&] {
         strip->setVisible(false);
         strip->setVisible(true);
       }},
  };
  for (const auto& step : steps) {
    step.act();
    EXPECT_TRUE(inFront(game.get())) << step.what;
    EXPECT_EQ(GetFocus(), game.get()) << step.what;
  }
  EXPECT_TRUE(strip->visible());
}

TEST_F(Win32ActivationTest, TheEditorTakesTheKeyboardAsTheActiveWindowAndGivesItBackToItsList) {
  const auto editor = windowing.createWindow(
      WindowDesign{"frmTestEditorFocus", "editor", WindowStyle::ToolDialog, 200, 40, 0x400040},
      events);
  ASSERT_NE(editor, nullptr);
  editor->present({list(0, 10, {"a"}, 0), list(1, 70, {"b"}, 0), list(2, 130, {"c"}, 0)});
  const std::vector<HWND> found = listsLeftToRight(*editor);
  ASSERT_EQ(found.size(), 3u);
  editor->setVisible(true);

  // Inactive: the named list is remembered, the game keeps the keyboard.
  editor->setFocus("Combo1", 1);
  EXPECT_TRUE(inFront(game.get()));
  EXPECT_EQ(GetFocus(), game.get());

  ASSERT_TRUE(bringToFront(hwndOf(*editor)));
  EXPECT_TRUE(pumpUntil([&] { return GetFocus() == found[1]; })) << "the list named before";

  // The player moves to the third list, goes to the game and comes back.
  SetFocus(found[2]);
  ASSERT_TRUE(bringToFront(game.get()));
  EXPECT_EQ(GetFocus(), game.get());
  ASSERT_TRUE(bringToFront(hwndOf(*editor)));
  settle();
  EXPECT_EQ(GetFocus(), found[2]) << "the list the player was in";

  // Active: the named list takes the keyboard at once.
  editor->setFocus("Combo1", 0);
  EXPECT_EQ(GetFocus(), found[0]);
}

}  // namespace
}  // namespace vesk::platform::win32
