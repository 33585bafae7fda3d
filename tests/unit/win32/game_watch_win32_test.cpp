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
  PlainWindow lower(WS_EX_TOPMOST | WS_EX_NOACTIVATE);
  PlainWindow upper(WS_EX_TOPMOST | WS_EX_NOACTIVATE);
  ASSERT_TRUE(game.hwnd && lower.hwnd && upper.hwnd);
  ShowWindow(lower.hwnd, SW_SHOWNOACTIVATE);
  ShowWindow(upper.hwnd, SW_SHOWNOACTIVATE);
  const WindowHandle strips[] = {upper.handle(), lower.handle()};
  const auto raise = [](const PlainWindow& w) {
    return SetWindowPos(w.hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  };

  EXPECT_FALSE(watch.isShown(game.handle())) << "created hidden";
  ShowWindow(game.hwnd, SW_SHOWNORMAL);
  EXPECT_TRUE(watch.isShown(game.handle()));
  EXPECT_FALSE(watch.isAbove(game.handle(), strips)) << "below the topmost band";

  ASSERT_TRUE(raise(game));
  EXPECT_TRUE(watch.isAbove(game.handle(), strips)) << "raised into it, on top";
  ASSERT_TRUE(raise(upper));
  EXPECT_TRUE(watch.isAbove(game.handle(), strips)) << "still above the lower strip";
  ASSERT_TRUE(raise(lower));
  EXPECT_FALSE(watch.isAbove(game.handle(), strips)) << "both strips restacked over it";

  // Following glances at the rectangle alone: minimising must change it.
  RECT shown{};
  RECT minimised{};
  ASSERT_TRUE(GetWindowRect(game.hwnd, &shown));
  ShowWindow(game.hwnd, SW_MINIMIZE);
  EXPECT_FALSE(watch.isShown(game.handle())) << "minimised";
  ASSERT_TRUE(GetWindowRect(game.hwnd, &minimised));
  EXPECT_FALSE(EqualRect(&shown, &minimised)) << "a minimised window keeps its rectangle";
}

}  // namespace
}  // namespace vesk::platform::win32
