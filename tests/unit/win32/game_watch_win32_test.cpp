// The game watch's reading of a window on the real window manager: shown
// or not, above one of the program's topmost strips or not.
#include "platform/win32/game_watch_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace vesk::platform::win32 {
namespace {

// A plain overlapped window of the system's static class, destroyed at the end.
struct PlainWindow {
  explicit PlainWindow(DWORD exStyle = 0)
      : hwnd(CreateWindowExW(exStyle, L"STATIC", L"watched", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100,
                             nullptr, nullptr, nullptr, nullptr)) {}
  ~PlainWindow() {
    if (hwnd) DestroyWindow(hwnd);
  }
  WindowHandle handle() const { return reinterpret_cast<WindowHandle>(hwnd); }
  HWND hwnd;
};

TEST(Win32GameWatch, ReadsShownAndAbove) {
  Win32GameWatch watch;
  PlainWindow game;
  PlainWindow strip(WS_EX_TOPMOST | WS_EX_NOACTIVATE);
  ASSERT_TRUE(game.hwnd && strip.hwnd);
  ShowWindow(strip.hwnd, SW_SHOWNOACTIVATE);

  EXPECT_FALSE(watch.isShown(game.handle())) << "created hidden";
  ShowWindow(game.hwnd, SW_SHOWNORMAL);
  EXPECT_TRUE(watch.isShown(game.handle()));
  EXPECT_FALSE(watch.isAbove(game.handle(), strip.handle())) << "below the topmost band";

  ASSERT_TRUE(SetWindowPos(game.hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
  EXPECT_TRUE(watch.isAbove(game.handle(), strip.handle())) << "raised into it, on top";
  ASSERT_TRUE(
      SetWindowPos(strip.hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
  EXPECT_FALSE(watch.isAbove(game.handle(), strip.handle())) << "the strip restacked over it";

  ShowWindow(game.hwnd, SW_MINIMIZE);
  EXPECT_FALSE(watch.isShown(game.handle())) << "minimised";
}

}  // namespace
}  // namespace vesk::platform::win32
