// A plain window of the tests' own that notes the keys and hotkeys it
// receives: it stands in for the game in front, or for another program
// that holds a hotkey. A tool popup, which Wine leaves unmanaged: Wine 8
// waits up to 2 s for a window manager to withdraw each managed window
// that closes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vesk::platform::win32 {

class RecorderWindow {
 public:
  explicit RecorderWindow(int x = 300, int y = 300) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &RecorderWindow::procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClass;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return;
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClass, L"recorder", WS_POPUP | WS_VISIBLE, x, y,
                              400, 300, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  }
  ~RecorderWindow() {
    if (window_) DestroyWindow(window_);
  }
  RecorderWindow(const RecorderWindow&) = delete;
  RecorderWindow& operator=(const RecorderWindow&) = delete;

  HWND get() const { return window_; }
  // "down 50", "up 50", "sysdown 50", "sysup 50" (virtual-key codes in
  // decimal) and "hotkey 7", in the order they came.
  const std::vector<std::string>& log() const { return log_; }
  void clearLog() { log_.clear(); }
  // The entries about one virtual key.
  std::vector<std::string> keyLog(unsigned virtualKey) const {
    std::vector<std::string> found;
    const std::string suffix = " " + std::to_string(virtualKey);
    for (const std::string& entry : log_) {
      if (entry.rfind("hotkey", 0) != 0 && entry.size() > suffix.size() &&
          entry.compare(entry.size() - suffix.size(), suffix.size(), suffix) == 0)
        found.push_back(entry);
    }
    return found;
  }

 private:
  static constexpr wchar_t kClass[] = L"vesk.test.recorder";

  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      SetWindowLongPtrW(
          window, GWLP_USERDATA,
          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<RecorderWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    const char* what = message == WM_KEYDOWN      ? "down"
                       : message == WM_KEYUP      ? "up"
                       : message == WM_SYSKEYDOWN ? "sysdown"
                       : message == WM_SYSKEYUP   ? "sysup"
                       : message == WM_HOTKEY     ? "hotkey"
                                                  : nullptr;
    if (self && what) {
      self->log_.push_back(std::string(what) + " " + std::to_string(wParam));
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
  std::vector<std::string> log_;
};

}  // namespace vesk::platform::win32
