#include "platform/win32/window_win32.h"

#include <windowsx.h>

#include "platform/win32/colour_ref.h"
#include "platform/win32/control_geometry.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/program_icon.h"
#include "platform/win32/test_setting.h"
#include "platform/win32/wide_text.h"

namespace vesk::platform::win32 {

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr BYTE kOpaque = 255;
constexpr char kClickableButton[] = "Command1";

int shiftOf(WPARAM keys) {
  return ((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
         (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

struct ThreadWindows {
  HWND except;
  std::vector<HWND> found;
};

BOOL CALLBACK collectEnabledWindow(HWND window, LPARAM context) {
  auto* windows = reinterpret_cast<ThreadWindows*>(context);
  if (window != windows->except && IsWindowEnabled(window)) windows->found.push_back(window);
  return TRUE;
}

}  // namespace

Win32Window::Win32Window(const WindowDesign& design, WindowEvents& events, const DpiSupport* dpi)
    : events_(events), dpi_(dpi), backColour_(design.backColour) {
  if (dpi && design.style == WindowStyle::ToolDialog) context_ = dpi->startContext();
  if (dpi) painter_.setFontDpi(dpi->startDpiY());
  const auto scope = ownContext();
  create(design);
}

Win32Window::~Win32Window() {
  *alive_ = false;
  destroy();
}

bool Win32Window::registerClass(const std::wstring& className) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &Win32Window::windowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  // The program's own icon wherever the system shows a window's icon.
  windowClass.hIcon = programIcon(SM_CXICON, SM_CYICON);
  windowClass.hIconSm = programIcon(SM_CXSMICON, SM_CYSMICON);
  // A device context of the window's own: the ten blits a second of the
  // stopwatch line need not have the visible region worked out each time.
  windowClass.style = CS_OWNDC;
  windowClass.lpszClassName = className.c_str();
  // No background brush: WM_PAINT covers every pixel itself.
  if (RegisterClassExW(&windowClass)) return true;
  return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void Win32Window::create(const WindowDesign& design) {
  const std::wstring className = L"vesk." + toWide(design.name);
  if (!registerClass(className)) return;

  const bool strip = design.style == WindowStyle::Strip;
  // The dialog's children (combo boxes) are not painted over.
  const DWORD style = strip ? WS_POPUP : WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  // A strip never takes the activation, not even when clicked: the game
  // keeps the keyboard. The dialog is a fixed tool window: a small caption
  // (which shows no icon on Windows) and no taskbar button.
  const DWORD exStyle =
      strip ? WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE : WS_EX_TOOLWINDOW;
  RECT outer{0, 0, design.clientWidth, design.clientHeight};
  if (!strip && !AdjustWindowRectEx(&outer, style, FALSE, exStyle)) return;
  const int x = strip ? 0 : CW_USEDEFAULT;
  const int y = strip ? 0 : CW_USEDEFAULT;
  const std::wstring caption = toWide(design.caption);
  // windowProc stores `this` at WM_NCCREATE and sets window_.
  if (!CreateWindowExW(exStyle, className.c_str(), caption.c_str(), style, x, y,
                       outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                       GetModuleHandleW(nullptr), this)) {
    window_ = nullptr;
    return;
  }
  // Frame metrics can differ from what AdjustWindowRectEx predicts (themes,
  // Wine's window manager): correct the outer size so that the client fits.
  RECT client{};
  RECT now{};
  if (!strip && GetClientRect(window_, &client) && GetWindowRect(window_, &now)) {
    const int dx = design.clientWidth - client.right;
    const int dy = design.clientHeight - client.bottom;
    if (dx != 0 || dy != 0) {
      SetWindowPos(window_, nullptr, 0, 0, now.right - now.left + dx, now.bottom - now.top + dy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
}

LRESULT CALLBACK Win32Window::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    self->savedFocus_ = nullptr;
    self->keyWindow_ = nullptr;
    self->combos_.release();  // destroyed with this window
    self->enableOtherWindows();
    return DefWindowProcW(window, message, wParam, lParam);
  }
  // No exception may cross the system's callback: an error in a handler
  // ends that handler, never the program.
  try {
    return self->handleMessage(message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

namespace {

// The end-to-end tests' stand-in for a handler that runs long: with
// VESK_TEST_STALL_HOTKEY_MS in the environment every hotkey holds the
// user-interface thread that long, so a test can show that no key waits
// on this thread. Unset (as for every player), it costs nothing.
void stallForTests() {
  static const auto stall = static_cast<DWORD>(testSetting(L"VESK_TEST_STALL_HOTKEY_MS"));
  if (stall > 0) Sleep(stall);
}

}  // namespace

LRESULT Win32Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Each event call comes last: the handler may destroy or delete this.
  switch (message) {
    case WM_HOTKEY:
      stallForTests();
      events_.onHotKey(static_cast<int>(wParam));
      return 0;
    case WM_TIMER:
      if (wParam == kTimerId) events_.onTimer();
      return 0;
    // No context menu and no double-click behaviour of the system's own.
    case WM_CONTEXTMENU:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      return 0;
    case WM_CLOSE:
      events_.onCloseRequest();
      return 0;
    // Log-off or shut-down: the session ends, so the program closes as on
    // any other close request.
    case WM_ENDSESSION:
      if (wParam) events_.onCloseRequest();
      return 0;
    case WM_LBUTTONDOWN:
      return onMouseButton(kButtonLeft, true, wParam, lParam);
    case WM_LBUTTONUP:
      return onMouseButton(kButtonLeft, false, wParam, lParam);
    case WM_RBUTTONDOWN:
      return onMouseButton(kButtonRight, true, wParam, lParam);
    case WM_RBUTTONUP:
      return onMouseButton(kButtonRight, false, wParam, lParam);
    case WM_MBUTTONDOWN:
      return onMouseButton(kButtonMiddle, true, wParam, lParam);
    case WM_MBUTTONUP:
      return onMouseButton(kButtonMiddle, false, wParam, lParam);
    case WM_CAPTURECHANGED:
      press_ = Press();
      return 0;
    case WM_CHAR:
      events_.onKeyPress(focusName_, focusIndex_, static_cast<int>(wParam));
      return 0;
    case WM_COMMAND:
      onCommand(wParam, lParam);
      return 0;
    case WM_ACTIVATE:
      return onActivateMessage(wParam, lParam);
    // Not resized to the system's suggestion: the program places and
    // scales the strips itself.
    case WM_DPICHANGED:
      events_.onDpiChange();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      paint();
      return 0;
    case WM_SIZE: {
      // A new client size: the back buffer and the shape follow, and the
      // whole window is shown again at once (and once more on the WM_PAINT
      // the system may send for what the new size uncovered).
      const RECT client = clientArea();
      if (client.right != painter_.width() || client.bottom != painter_.height()) {
        fitBuffer();
        if (const WindowDc dc(window_); dc) painter_.show(dc.get(), client);
        InvalidateRect(window_, nullptr, FALSE);
      }
      return 0;
    }
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

LRESULT Win32Window::onMouseButton(int button, bool down, WPARAM wParam, LPARAM lParam) {
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  MouseEvent event;
  event.down = down;
  event.button = button;
  event.shift = shiftOf(wParam);
  RECT rect{};
  bool click = false;

  if (press_.active && (down || (press_.buttons & button))) {
    // A further button pressed, or one released, over the pressed control.
    event.control = press_.name;
    event.index = press_.index;
    rect = press_.rect;
    if (down) {
      press_.buttons |= button;
    } else {
      press_.buttons &= ~button;
      click = button == kButtonLeft && press_.kind == ControlKind::Button &&
              press_.name == kClickableButton && PtInRect(&press_.rect, point);
      if (press_.buttons == 0) {
        press_ = Press();
        ReleaseCapture();
      }
    }
  } else {
    const Control* hit = controlAt(controls_, point, painter_.scale());
    if (!hit) return 0;
    event.control = hit->name;
    event.index = hit->index;
    rect = controlRect(*hit, painter_.scale());
    if (down) {
      press_ = Press{true, hit->name, hit->index, hit->kind, rect, button};
      SetCapture(window_);
    }
  }
  event.x = point.x - rect.left;
  event.y = point.y - rect.top;

  const std::shared_ptr<bool> alive = alive_;
  events_.onMouse(event);
  if (click && *alive) events_.onClick(event.control, event.index);
  return 0;
}

void Win32Window::onCommand(WPARAM wParam, LPARAM lParam) {
  const auto from = reinterpret_cast<HWND>(lParam);
  if (from && HIWORD(wParam) == CBN_SELCHANGE) {
    const auto selection = combos_.selectionChanged(from);
    if (!selection) return;
    // The kept copy follows, so the next present() sends nothing back.
    for (Control& control : controls_) {
      if (control.name == selection->name && control.index == selection->index)
        control.selected = selection->selected;
    }
    events_.onSelect(selection->name, selection->index, selection->selected);
    return;
  }
  // Enter and Escape as the dialog keyboard handling sends them.
  const WORD id = LOWORD(wParam);
  if (HIWORD(wParam) != 0 || from || (id != IDOK && id != IDCANCEL)) return;
  std::string name = focusName_;
  int index = focusIndex_;
  if (const auto* owner = combos_.controlOf(keyWindow_ ? keyWindow_ : GetFocus())) {
    name = owner->first;
    index = owner->second;
  }
  events_.onKeyPress(name, index, id == IDOK ? 13 : 27);
}

LRESULT Win32Window::onActivateMessage(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    const HWND focus = GetFocus();
    if (focus && IsChild(window_, focus)) savedFocus_ = focus;
    return DefWindowProcW(window_, WM_ACTIVATE, wParam, lParam);
  }
  // The system gives the window itself the keyboard; a dialog gives it back
  // to the child that had it.
  const LRESULT result = DefWindowProcW(window_, WM_ACTIVATE, wParam, lParam);
  if (savedFocus_ && IsWindow(savedFocus_) && IsChild(window_, savedFocus_)) SetFocus(savedFocus_);
  savedFocus_ = nullptr;
  events_.onActivate();
  return result;
}

void Win32Window::paint() {
  // An exposure: the back buffer already holds every pixel.
  fitBuffer();
  const PaintScope paint(window_);
  if (paint.get()) painter_.show(paint.get(), paint.area());
}

RECT Win32Window::clientArea() const {
  RECT client{};
  if (!window_ || !GetClientRect(window_, &client)) return RECT{};
  return client;
}

bool Win32Window::fitBuffer() {
  const RECT client = clientArea();
  if (!painter_.resize(client.right, client.bottom)) return painter_.width() > 0;
  painter_.render(client, backColour_, controls_);
  if (keyed_) reshape({client}, true);
  return true;
}

void Win32Window::refresh(const std::vector<RECT>& areas) {
  if (!window_ || areas.empty()) return;
  const RECT client = clientArea();
  const bool fresh = painter_.resize(client.right, client.bottom);
  if (painter_.width() <= 0) return;
  const std::vector<RECT> drawn = fresh ? std::vector<RECT>{client} : areas;
  for (const RECT& area : drawn) painter_.render(area, backColour_, controls_);
  if (keyed_) reshape(drawn, fresh);
  const WindowDc dc(window_);
  if (!dc) return;
  for (const RECT& area : drawn) painter_.show(dc.get(), area);
}

void Win32Window::reshape(const std::vector<RECT>& areas, bool force) {
  const PixelRows pixels = painter_.pixels();
  bool changed = force;
  for (const RECT& area : areas) changed = shape_.rescan(pixels, area, colourRef(key_)) || changed;
  if (!changed) return;
  // The region is in window coordinates: offset by where the client area
  // lies in the window (nothing for a frameless strip).
  POINT origin{0, 0};
  RECT outer{};
  if (!ClientToScreen(window_, &origin) || !GetWindowRect(window_, &outer)) return;
  GdiObject<HRGN> region = shape_.region(origin.x - outer.left, origin.y - outer.top);
  if (!region) return;
  // Not redrawn by the system: the caller shows the new pixels right after.
  // Once set, the region is the system's; on failure it is ours to delete.
  if (SetWindowRgn(window_, region.get(), FALSE)) region.release();
}

WindowHandle Win32Window::handle() const { return reinterpret_cast<WindowHandle>(window_); }

void Win32Window::setColourKey(Colour key) { setColourKey(key, keyTechnique()); }

void Win32Window::setColourKey(Colour key, KeyTechnique technique) {
  if (!window_) return;
  const auto scope = ownContext();
  const LONG exStyle = GetWindowLongW(window_, GWL_EXSTYLE);
  SetLastError(ERROR_SUCCESS);
  if (!SetWindowLongW(window_, GWL_EXSTYLE, exStyle | WS_EX_LAYERED) &&
      GetLastError() != ERROR_SUCCESS) {
    return;
  }
  if (technique == KeyTechnique::ColourKey) {
    // The system drops the key pixels itself; a region set before goes.
    if (keyed_ && SetWindowRgn(window_, nullptr, FALSE)) keyed_ = false;
    SetLayeredWindowAttributes(window_, colourRef(key), kOpaque, LWA_COLORKEY);
    return;
  }
  // Layered and fully opaque, without a colour key: the key pixels are cut
  // out by the window region instead.
  if (!SetLayeredWindowAttributes(window_, 0, kOpaque, LWA_ALPHA)) return;
  keyed_ = true;
  key_ = key;
  // Shaped at once, before the window is first shown: until the first
  // present() every pixel is the back colour.
  shape_.reset();
  const RECT client = clientArea();
  painter_.resize(client.right, client.bottom);
  painter_.render(client, backColour_, controls_);
  reshape({client}, true);
}

void Win32Window::setBounds(int x, int y, int width, int height) {
  if (!window_) return;
  // A window of its own context keeps the size the system scaled it to:
  // only its place is in the caller's (screen) pixels.
  const UINT keepSize = context_ ? SWP_NOSIZE : 0;
  SetWindowPos(window_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | keepSize);
}

Rect Win32Window::bounds() const {
  RECT r{};
  if (!window_ || !GetWindowRect(window_, &r)) return Rect{};
  return Rect{r.left, r.top, r.right, r.bottom};
}

void Win32Window::setVisible(bool visible) {
  if (window_) ShowWindow(window_, visible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

bool Win32Window::visible() const { return window_ && IsWindowVisible(window_); }

void Win32Window::setBackColour(Colour colour) {
  if (colour == backColour_) return;
  backColour_ = colour;
  const auto scope = ownContext();
  refresh({clientArea()});
}

void Win32Window::setScale(ScreenScale scale) {
  if (scale == painter_.scale()) return;
  painter_.setScale(scale);
  const auto scope = ownContext();
  refresh({clientArea()});
}

void Win32Window::setTimer(int intervalMs, bool enabled) {
  if (!window_) return;
  if (enabled && intervalMs > 0) {
    SetTimer(window_, kTimerId, static_cast<UINT>(intervalMs), nullptr);
  } else {
    KillTimer(window_, kTimerId);
  }
}

void Win32Window::present(const std::vector<Control>& controls) {
  const std::vector<RECT> areas = adoptChanges(controls_, controls, painter_.scale());
  if (window_) {
    const auto scope = ownContext();
    refresh(areas);
    combos_.sync(window_, controls);
    if (focusPending_) {
      if (const HWND child = combos_.childOf(focusName_, focusIndex_)) {
        focusPending_ = false;
        takeFocus(child);
      }
    }
  }
}

void Win32Window::setFocus(const std::string& control, int index) {
  focusName_ = control;
  focusIndex_ = index;
  if (!window_) return;
  // Take the keyboard only when this window is the active one already; a
  // strip must never pull the focus away from the game by itself.
  const HWND child = combos_.childOf(control, index);
  // A combo box not made yet gets the keyboard when present() makes it.
  focusPending_ = !child && !control.empty();
  takeFocus(child);
}

void Win32Window::takeFocus(HWND child) {
  if (GetActiveWindow() == window_) {
    SetFocus(child ? child : window_);
    savedFocus_ = nullptr;
  } else {
    savedFocus_ = child;
  }
}

void Win32Window::runModal() {
  if (!window_) return;
  ThreadWindows others{window_, {}};
  EnumThreadWindows(GetCurrentThreadId(), &collectEnabledWindow, reinterpret_cast<LPARAM>(&others));
  for (HWND other : others.found) {
    EnableWindow(other, FALSE);
    disabledByModal_.push_back(other);
  }
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);

  // The thread's context as it is now, back after the loop: fetching a
  // mouse message for a window switches the thread to the window's context
  // under Wine 10 and leaves it so.
  const DpiSupport::ThreadScope keep(dpi_, dpi_ ? dpi_->threadContext() : nullptr);
  const std::shared_ptr<bool> alive = alive_;
  MSG message;
  while (*alive && window_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      // Leave the quit request for the outer loop.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got == -1) break;
    if (message.message == WM_KEYDOWN) keyWindow_ = message.hwnd;
    // The dialog keyboard: Tab between the lists, Enter and Escape as
    // WM_COMMAND IDOK and IDCANCEL. It dispatches what it handles.
    if (IsDialogMessageW(window_, &message)) {
      if (*alive) keyWindow_ = nullptr;
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (*alive) enableOtherWindows();
}

void Win32Window::enableOtherWindows() {
  for (HWND other : disabledByModal_) {
    if (IsWindow(other)) EnableWindow(other, TRUE);
  }
  disabledByModal_.clear();
}

void Win32Window::destroy() {
  if (!window_) return;
  // Enable the other windows first, so that one of them can take the
  // activation when this one goes.
  enableOtherWindows();
  const HWND window = window_;
  DestroyWindow(window);  // WM_NCDESTROY clears window_
  window_ = nullptr;
}

}  // namespace vesk::platform::win32
