// WH_KEYBOARD_LL on the user-interface thread. The hook procedure reads the
// event, the held modifiers and the foreground window, asks the decision,
// posts WM_HOTKEY to the owner for an Act verdict and returns at once.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "platform/keyboard_hook.h"

namespace vesk::platform::win32 {

class Win32KeyboardHook final : public KeyboardHook {
 public:
  Win32KeyboardHook() = default;
  Win32KeyboardHook(const Win32KeyboardHook&) = delete;
  Win32KeyboardHook& operator=(const Win32KeyboardHook&) = delete;
  ~Win32KeyboardHook() override { remove(); }

  bool install(WindowHandle owner, std::bitset<256> keys, Decide decide) override;
  void remove() override;
  bool installed() const override { return static_cast<bool>(hook_); }
  void sendNeutralKey() override;

 private:
  static LRESULT CALLBACK hookProcedure(int code, WPARAM wParam, LPARAM lParam);
  LRESULT handle(int code, WPARAM wParam, LPARAM lParam);

  struct Unhook {
    void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
  };
  std::unique_ptr<std::remove_pointer_t<HHOOK>, Unhook> hook_;
  HWND owner_ = nullptr;
  std::bitset<256> keys_;
  Decide decide_;
};

}  // namespace vesk::platform::win32
