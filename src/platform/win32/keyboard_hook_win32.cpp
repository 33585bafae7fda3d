#include "platform/win32/keyboard_hook_win32.h"

#include <utility>

namespace vesk::platform::win32 {

namespace {

// The system calls a low-level hook procedure without a context; this
// reaches the one installed hook. Only touched on the user-interface thread.
Win32KeyboardHook* activeHook = nullptr;

// An unassigned virtual-key code: no program gives it a meaning.
constexpr WORD kNeutralKey = 0xE8;

bool held(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

unsigned heldModifiers() {
  unsigned modifiers = 0;
  if (held(VK_LWIN) || held(VK_RWIN)) modifiers |= kModWin;
  if (held(VK_CONTROL)) modifiers |= kModCtrl;
  if (held(VK_MENU)) modifiers |= kModAlt;
  if (held(VK_SHIFT)) modifiers |= kModShift;
  return modifiers;
}

}  // namespace

bool Win32KeyboardHook::install(WindowHandle owner, std::bitset<256> keys, Decide decide) {
  remove();
  owner_ = reinterpret_cast<HWND>(owner);
  keys_ = keys;
  decide_ = std::move(decide);
  activeHook = this;
  hook_.reset(SetWindowsHookExW(WH_KEYBOARD_LL, hookProcedure, GetModuleHandleW(nullptr), 0));
  if (!hook_) {
    activeHook = nullptr;
    decide_ = nullptr;
    return false;
  }
  return true;
}

void Win32KeyboardHook::remove() {
  hook_.reset();
  if (activeHook == this) activeHook = nullptr;
  decide_ = nullptr;
}

void Win32KeyboardHook::sendNeutralKey() {
  INPUT events[2]{};
  for (INPUT& e : events) {
    e.type = INPUT_KEYBOARD;
    e.ki.wVk = kNeutralKey;
  }
  events[1].ki.dwFlags = KEYEVENTF_KEYUP;
  // Nothing to do about a refusal: the worst outcome is an opened Start menu.
  SendInput(2, events, sizeof(INPUT));
}

LRESULT CALLBACK Win32KeyboardHook::hookProcedure(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && activeHook) return activeHook->handle(code, wParam, lParam);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT Win32KeyboardHook::handle(int code, WPARAM wParam, LPARAM lParam) {
  const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
  if (key.vkCode < keys_.size() && keys_.test(key.vkCode) && decide_) {
    const KeyEvent event{key.vkCode, wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN,
                         heldModifiers(), reinterpret_cast<WindowHandle>(GetForegroundWindow())};
    // No exception may cross the system's callback; a failed decision
    // passes the key on.
    HookVerdict verdict;
    try {
      verdict = decide_(event);
    } catch (...) {
      verdict = {};
    }
    if (verdict.action == HookAction::Swallow) return 1;
    // A key is only eaten when its action is on its way.
    if (verdict.action == HookAction::Act &&
        PostMessageW(owner_, WM_HOTKEY, static_cast<WPARAM>(verdict.id),
                     MAKELPARAM(event.modifiers, key.vkCode))) {
      return 1;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace vesk::platform::win32
