#include "platform/win32/game_watch_win32.h"

#include <dwmapi.h>

#include <algorithm>
#include <utility>

namespace vesk::platform::win32 {

namespace {

// The hook procedure reaches its watch through this pointer: one watch per
// process, set while it has hooks.
Win32GameWatch* g_active = nullptr;

// Windows above a given one are walked at most this far; the z-order can
// change during the walk.
constexpr int kMaxWalk = 4096;

// A window on another virtual desktop (or hidden by the shell) is cloaked:
// still visible by its style, but not shown (Windows 8 and later).
constexpr DWORD kEventObjectCloaked = 0x8017;
constexpr DWORD kEventObjectUncloaked = 0x8018;
constexpr DWORD kAttributeCloaked = 14;  // DWMWA_CLOAKED

}  // namespace

void WinEventHook::reset(HWINEVENTHOOK hook) {
  if (hook_) UnhookWinEvent(hook_);
  hook_ = hook;
}

Win32GameWatch::~Win32GameWatch() { stop(); }

void Win32GameWatch::watch(WindowHandle window, std::function<void()> changed) {
  stop();
  window_ = reinterpret_cast<HWND>(window);
  changed_ = std::move(changed);
  constexpr DWORD kFlags = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;
  if (window_) {
    DWORD process = 0;
    if (GetWindowThreadProcessId(window_, &process) == 0) return;
    systemEvents_.reset(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_MINIMIZEEND, nullptr,
                                        &onEvent, process, 0, kFlags));
    objectEvents_.reset(SetWinEventHook(EVENT_OBJECT_DESTROY, EVENT_OBJECT_LOCATIONCHANGE, nullptr,
                                        &onEvent, process, 0, kFlags));
    cloakEvents_.reset(SetWinEventHook(kEventObjectCloaked, kEventObjectUncloaked, nullptr,
                                       &onEvent, process, 0, kFlags));
  } else {
    // No game: any other program's window shown may be a new one.
    objectEvents_.reset(
        SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_SHOW, nullptr, &onEvent, 0, 0, kFlags));
  }
  if (systemEvents_ || objectEvents_) g_active = this;
}

void Win32GameWatch::stop() {
  systemEvents_.reset();
  objectEvents_.reset();
  cloakEvents_.reset();
  movesReported_ = false;
  if (g_active == this) g_active = nullptr;
  changed_ = nullptr;
  window_ = nullptr;
}

void CALLBACK Win32GameWatch::onEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG idObject,
                                      LONG idChild, DWORD, DWORD) {
  Win32GameWatch* self = g_active;
  if (!self || !self->changed_ || idObject != OBJID_WINDOW || idChild != CHILDID_SELF) return;
  // The game's own window, or with no game any window of another program.
  if (self->window_ ? hwnd != self->window_ : event != EVENT_OBJECT_SHOW) return;
  if (self->window_ && event == EVENT_OBJECT_LOCATIONCHANGE) self->movesReported_ = true;
  self->changed_();
}

bool Win32GameWatch::isShown(WindowHandle window) {
  // One read of the style, cheaper than IsWindowVisible and IsIconic for
  // another process's top-level window.
  const HWND hwnd = reinterpret_cast<HWND>(window);
  const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  return (style & WS_VISIBLE) && !(style & WS_MINIMIZE) && !cloaked(hwnd);
}

bool Win32GameWatch::cloaked(HWND window) {
  if (!cloakingKnown_) return false;
  DWORD reason = 0;
  const HRESULT result = DwmGetWindowAttribute(window, kAttributeCloaked, &reason, sizeof reason);
  // A system that knows no cloaking (Wine, which also logs each such call)
  // says so once; the window is then never cloaked, and it is not asked
  // again on every look.
  if (result == E_NOTIMPL) cloakingKnown_ = false;
  return SUCCEEDED(result) && reason != 0;
}

bool Win32GameWatch::isAbove(WindowHandle window, std::span<const WindowHandle> own) {
  const HWND target = reinterpret_cast<HWND>(window);
  constexpr LONG kTopmost = WS_EX_TOPMOST;
  // A window outside the topmost band cannot lie above one inside it: the
  // usual answer costs one read of the other program's window (our own
  // windows' styles are read without a round trip to the system).
  const bool allTopmost = std::all_of(own.begin(), own.end(), [](WindowHandle w) {
    return GetWindowLongW(reinterpret_cast<HWND>(w), GWL_EXSTYLE) & kTopmost;
  });
  if (allTopmost && !(GetWindowLongW(target, GWL_EXSTYLE) & kTopmost)) return false;
  for (const WindowHandle w : own) {
    HWND above = reinterpret_cast<HWND>(w);
    for (int i = 0; i < kMaxWalk; ++i) {
      above = GetWindow(above, GW_HWNDPREV);
      if (above == nullptr) break;
      if (above == target) return true;
    }
  }
  return false;
}

}  // namespace vesk::platform::win32
