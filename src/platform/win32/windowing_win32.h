// Windows of the program (Win32Window), the thread's message loop, other
// programs' windows and the global hotkeys.
#pragma once

#include <memory>

#include "platform/win32/dpi_support.h"
#include "platform/win32/keyboard_hook_win32.h"
#include "platform/windowing.h"

namespace vesk::platform::win32 {

class Win32Windowing final : public Windowing {
 public:
  // Without a DpiSupport, with one of its own for the process as it stands.
  Win32Windowing();
  explicit Win32Windowing(const DpiSupport& dpi);

  std::unique_ptr<Window> createWindow(const WindowDesign& design, WindowEvents& events) override;
  void runMessageLoop() override;
  void quit() override;

  WindowHandle findWindowByClass(std::string_view className) override;
  bool isWindowOfClass(WindowHandle window, std::string_view className) override;
  bool getWindowRect(WindowHandle window, Rect& out) override;
  bool getClientRect(WindowHandle window, Rect& out) override;
  bool setWindowPos(WindowHandle window, WindowHandle insertAfter, unsigned flags) override;
  bool restackDenied() const override { return restackDenied_; }
  bool getWindowDpi(WindowHandle window, WindowDpi& out) override;
  DisplayScaling displayScaling() override;

  bool registerHotKey(WindowHandle owner, int id, unsigned modifiers, unsigned virtualKey) override;
  bool unregisterHotKey(WindowHandle owner, int id) override;
  KeyboardHook& keyboardHook() override { return keyboardHook_; }

 private:
  std::unique_ptr<DpiSupport> ownDpi_;
  const DpiSupport& dpi_;
  Win32KeyboardHook keyboardHook_;
  bool restackDenied_ = false;
};

}  // namespace vesk::platform::win32
