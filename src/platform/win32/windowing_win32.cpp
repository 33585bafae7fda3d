#include "platform/win32/windowing_win32.h"

#include <windows.h>

#include <iterator>
#include <string_view>

#include "platform/win32/wide_text.h"
#include "platform/win32/window_win32.h"

namespace vesk::platform::win32 {

namespace {

HWND toHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

Rect toRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

}  // namespace

Win32Windowing::Win32Windowing() : ownDpi_(std::make_unique<DpiSupport>()), dpi_(*ownDpi_) {}

Win32Windowing::Win32Windowing(const DpiSupport& dpi) : dpi_(dpi) {}

std::unique_ptr<Window> Win32Windowing::createWindow(const WindowDesign& design,
                                                     WindowEvents& events) {
  auto window = std::make_unique<Win32Window>(design, events, &dpi_);
  if (window->handle() == 0) return nullptr;
  return window;
}

void Win32Windowing::runMessageLoop() {
  MSG message;
  // GetMessageW gives 0 for WM_QUIT and -1 on an error (which would repeat
  // for ever); both end the loop.
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Win32Windowing::quit() { PostQuitMessage(0); }

WindowHandle Win32Windowing::findWindowByClass(std::string_view className) {
  const std::wstring wide = toWide(className);
  if (wide.empty()) return 0;
  return reinterpret_cast<WindowHandle>(FindWindowW(wide.c_str(), nullptr));
}

bool Win32Windowing::isWindowOfClass(WindowHandle window, std::string_view className) {
  const HWND hwnd = toHwnd(window);
  // A handle that names no window has no parent: GetAncestor answers for
  // IsWindow too, one server round trip fewer on every look at the game.
  if (!window || GetAncestor(hwnd, GA_PARENT) != GetDesktopWindow()) {
    return false;
  }
  wchar_t name[256];
  const int length = GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
  return length > 0 &&
         std::wstring_view(name, static_cast<std::size_t>(length)) == toWide(className);
}

bool Win32Windowing::getWindowRect(WindowHandle window, Rect& out) {
  RECT r{};
  if (!window || !GetWindowRect(toHwnd(window), &r)) return false;
  out = toRect(r);
  return true;
}

bool Win32Windowing::getClientRect(WindowHandle window, Rect& out) {
  RECT r{};
  if (!window || !GetClientRect(toHwnd(window), &r)) return false;
  out = toRect(r);
  return true;
}

bool Win32Windowing::setWindowPos(WindowHandle window, WindowHandle insertAfter, unsigned flags) {
  const bool done = window && SetWindowPos(toHwnd(window), toHwnd(insertAfter), 0, 0, 0, 0, flags);
  restackDenied_ = !done && window && GetLastError() == ERROR_ACCESS_DENIED;
  return done;
}

bool Win32Windowing::getWindowDpi(WindowHandle window, WindowDpi& out) {
  return window && dpi_.windowDpi(toHwnd(window), out);
}

DisplayScaling Win32Windowing::displayScaling() {
  return {dpi_.ownPixels(), dpi_.startContextOnPrimary()};
}

bool Win32Windowing::registerHotKey(WindowHandle owner, int id, unsigned modifiers,
                                    unsigned virtualKey) {
  return RegisterHotKey(toHwnd(owner), id, modifiers, virtualKey);
}

bool Win32Windowing::unregisterHotKey(WindowHandle owner, int id) {
  return UnregisterHotKey(toHwnd(owner), id);
}

}  // namespace vesk::platform::win32
