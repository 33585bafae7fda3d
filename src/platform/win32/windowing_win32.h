// Windows of the program (Win32Window), the thread's message loop, other
// programs' windows and the global hotkeys.
#pragma once

#include "platform/win32/keyboard_hook_win32.h"
#include "platform/windowing.h"

namespace vesk::platform::win32 {

class Win32Windowing final : public Windowing {
 public:
  std::unique_ptr<Window> createWindow(const WindowDesign& design, WindowEvents& events) override;
  void runMessageLoop() override;
  void quit() override;

  WindowHandle findWindowByClass(std::string_view className) override;
  bool isWindowOfClass(WindowHandle window, std::string_view className) override;
  bool getWindowRect(WindowHandle window, Rect& out) override;
  bool getClientRect(WindowHandle window, Rect& out) override;
  bool setWindowPos(WindowHandle window, WindowHandle insertAfter, unsigned flags) override;
  bool restackDenied() const override { return restackDenied_; }

  bool registerHotKey(WindowHandle owner, int id, unsigned modifiers, unsigned virtualKey) override;
  bool unregisterHotKey(WindowHandle owner, int id) override;
  KeyboardHook& keyboardHook() override { return keyboardHook_; }

 private:
  Win32KeyboardHook keyboardHook_;
  bool restackDenied_ = false;
};

}  // namespace vesk::platform::win32
