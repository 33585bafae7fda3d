// The yardstick of the idle benchmark: a bare Win32 window with the same
// 100 ms timer as vesk's main strip and nothing else. The timer handler does
// no work, so what this process costs is the floor that vesk is held to.
#include <windows.h>

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"vesk.bench.bare";
  if (!RegisterClassExW(&windowClass)) return 1;
  HWND window =
      CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, windowClass.lpszClassName, L"bare",
                      WS_POPUP, 0, 600, 800, 200, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  if (!SetTimer(window, 1, 100, nullptr)) return 1;
  ShowWindow(window, SW_SHOWNOACTIVATE);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
