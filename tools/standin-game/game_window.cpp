#include "game_window.h"

#include <windowsx.h>

namespace standin {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kExStyle = 0;

}  // namespace

GameWindow::GameWindow(HINSTANCE instance, ClickLog& clicks)
    : instance_(instance), clicks_(clicks) {}

GameWindow::~GameWindow() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  if (classAtom_ != 0) UnregisterClassW(kGameClassName, instance_);
  if (brush_ != nullptr) DeleteObject(brush_);
  if (rulerBrush_ != nullptr) DeleteObject(rulerBrush_);
}

bool GameWindow::create(const Options& options) {
  brush_ = CreateSolidBrush(kGameColour);
  rulerBrush_ = CreateSolidBrush(kRulerColour);
  ruler_ = options.ruler;
  if (brush_ == nullptr || rulerBrush_ == nullptr) {
    error_ = L"CreateSolidBrush failed";
    return false;
  }
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &GameWindow::windowProc;  // no CS_DBLCLKS: every press is a plain press
  wc.hInstance = instance_;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kGameClassName;
  classAtom_ = RegisterClassExW(&wc);
  if (classAtom_ == 0) {
    error_ = L"RegisterClassExW failed";
    return false;
  }
  // The command line gives the client size; the outer size follows from the frame.
  RECT outer{0, 0, options.width, options.height};
  if (!AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle)) {
    error_ = L"AdjustWindowRectEx failed";
    return false;
  }
  hwnd_ = CreateWindowExW(kExStyle, kGameClassName, options.title.c_str(), kStyle, options.x,
                          options.y, outer.right - outer.left, outer.bottom - outer.top, nullptr,
                          nullptr, instance_, this);
  if (hwnd_ == nullptr) {
    error_ = L"CreateWindowExW failed";
    return false;
  }
  ShowWindow(hwnd_, SW_SHOWNORMAL);  // returns the previous visibility, not an error
  if (!UpdateWindow(hwnd_)) {
    error_ = L"UpdateWindow failed";
    return false;
  }
  return true;
}

LRESULT CALLBACK GameWindow::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<GameWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
  if (msg == WM_NCCREATE) self->hwnd_ = hwnd;
  if (msg == WM_NCDESTROY) self->hwnd_ = nullptr;  // gone: nothing left to destroy
  return self->handle(hwnd, msg, wParam, lParam);
}

LRESULT GameWindow::handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills the whole client area
    case WM_PAINT:
      paint(hwnd);
      return 0;
    case WM_LBUTTONDOWN:
      logPress("left", lParam);
      return 0;
    case WM_RBUTTONDOWN:
      logPress("right", lParam);
      return 0;
    case WM_MBUTTONDOWN:
      logPress("middle", lParam);
      return 0;
    case WM_XBUTTONDOWN:
      logPress(GET_XBUTTON_WPARAM(wParam) == XBUTTON1 ? "x1" : "x2", lParam);
      return TRUE;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      // WM_CLOSE reaches DefWindowProc, which destroys the window.
      return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

void GameWindow::paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc == nullptr) return;
  RECT client;
  if (GetClientRect(hwnd, &client)) {
    FillRect(dc, &client, brush_);
    for (int x = 0; ruler_ > 0 && x < client.right; x += ruler_) {
      const RECT line{x, kRulerTop, x + 1, kRulerTop + kRulerHeight};
      FillRect(dc, &line, rulerBrush_);
    }
  }
  EndPaint(hwnd, &ps);
}

void GameWindow::logPress(const char* button, LPARAM lParam) {
  // A failed write is not worth stopping the game for; the test that reads
  // the log reports the missing line.
  clicks_.record(button, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

}  // namespace standin
