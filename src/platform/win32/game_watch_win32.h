// The game watch on Win32: out-of-context WinEvent hooks on the game's
// process (location change, minimise start and end, show, hide, destroy,
// foreground, move-size end, cloaked and uncloaked), delivered by the
// thread's message loop.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/game_watch.h"

namespace vesk::platform::win32 {

// One WinEvent hook, unhooked exactly once.
class WinEventHook {
 public:
  WinEventHook() = default;
  WinEventHook(const WinEventHook&) = delete;
  WinEventHook& operator=(const WinEventHook&) = delete;
  ~WinEventHook() { reset(); }
  // Unhooks the one held, then holds this one (null: none).
  void reset(HWINEVENTHOOK hook = nullptr);
  explicit operator bool() const { return hook_ != nullptr; }

 private:
  HWINEVENTHOOK hook_ = nullptr;
};

class Win32GameWatch final : public GameWatch {
 public:
  Win32GameWatch() = default;
  Win32GameWatch(const Win32GameWatch&) = delete;
  Win32GameWatch& operator=(const Win32GameWatch&) = delete;
  ~Win32GameWatch() override;

  void watch(WindowHandle window, std::function<void()> changed) override;
  void stop() override;
  bool isShown(WindowHandle window) override;
  bool isAbove(WindowHandle window, std::span<const WindowHandle> own) override;
  bool movesReported() const override { return movesReported_; }

 private:
  static void CALLBACK onEvent(HWINEVENTHOOK hook, DWORD event, HWND hwnd, LONG idObject,
                               LONG idChild, DWORD thread, DWORD time);
  // On another virtual desktop (or hidden by the shell): visible by its
  // style, but not shown.
  bool cloaked(HWND window);

  HWND window_ = nullptr;
  std::function<void()> changed_;
  WinEventHook systemEvents_;  // foreground .. minimise end
  WinEventHook objectEvents_;  // destroy .. location change
  WinEventHook cloakEvents_;   // cloaked, uncloaked
  bool movesReported_ = false;
  bool cloakingKnown_ = true;  // false once the system answers that it has none
};

}  // namespace vesk::platform::win32
