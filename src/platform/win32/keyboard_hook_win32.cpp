#include "platform/win32/keyboard_hook_win32.h"

#include <iterator>
#include <string_view>
#include <utility>

#include "platform/win32/test_setting.h"
#include "platform/win32/wide_text.h"

namespace vesk::platform::win32 {

namespace {

// The system calls a low-level hook procedure without a context; each
// hook thread reaches its own hook through this.
thread_local Win32KeyboardHook* threadHook = nullptr;

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

bool ofClass(HWND window, std::wstring_view className) {
  wchar_t name[256];
  const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return length > 0 && std::wstring_view(name, static_cast<std::size_t>(length)) == className;
}

constexpr wchar_t kWatchClass[] = L"vesk.hook-watch";
// The count of presses is settled this long after the last one raw input
// reported, when the hook has long had its turn.
constexpr UINT kSettleMs = 250;
constexpr UINT_PTR kSettleTimer = 1;

bool ofThisProcess(HWND window) {
  DWORD process = 0;
  return GetWindowThreadProcessId(window, &process) != 0 && process == GetCurrentProcessId();
}

}  // namespace

bool Win32KeyboardHook::install(HookSetup setup) {
  remove();
  setup_ = std::move(setup);
  gameClass_ = toWide(setup_.gameClass);
  mask_ = StartMenuMask();
  lossCheck_ = HookLossCheck();
  presses_ = 0;
  dropAfter_ = static_cast<int>(testSetting(L"VESK_TEST_DROP_HOOK_AFTER"));
  const HWND owner = reinterpret_cast<HWND>(setup_.owner);
  if (!relay_.open(owner, setup_.modifierSets)) {
    OutputDebugStringW(L"vesk: no private hotkey for the hook; its chords arrive as posts\n");
  }
  ready_ = UniqueHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (ready_) thread_ = UniqueHandle(CreateThread(nullptr, 0, &threadMain, this, 0, &threadId_));
  if (!thread_) {
    remove();
    return false;
  }
  // The thread makes its message queue, hooks and answers; it never waits
  // for this thread, so the wait is short.
  WaitForSingleObject(ready_.get(), INFINITE);
  if (!hooked_) {
    remove();
    return false;
  }
  return true;
}

void Win32KeyboardHook::remove() {
  if (thread_) {
    // The thread unhooks on its way out, on the thread that hooked; a
    // thread that already ended (refused hook) has nothing to receive.
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_.get(), INFINITE);
    thread_.reset();
  }
  threadId_ = 0;
  hooked_ = false;
  ready_.reset();
  relay_.close();
  setup_ = HookSetup();
}

DWORD WINAPI Win32KeyboardHook::threadMain(LPVOID self) {
  return static_cast<Win32KeyboardHook*>(self)->run();
}

DWORD Win32KeyboardHook::run() {
  // Above the user-interface thread, so that a busy one never delays a key.
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_ABOVE_NORMAL);
  MSG message;
  // The queue exists before install() returns, so WM_QUIT always lands.
  PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  threadHook = this;
  hook_ = SetWindowsHookExW(WH_KEYBOARD_LL, &hookProcedure, GetModuleHandleW(nullptr), 0);
  hooked_ = hook_ != nullptr;
  SetEvent(ready_.get());
  if (!hook_) return 1;
  const HWND watch = watchRawInput();
  // The system calls the hook from inside GetMessageW; raw input arrives
  // as WM_INPUT; nothing else is posted here but the quit.
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  if (watch) {
    RAWINPUTDEVICE device{0x01, 0x06, RIDEV_REMOVE, nullptr};
    RegisterRawInputDevices(&device, 1, sizeof device);
    DestroyWindow(watch);
  }
  if (hook_) UnhookWindowsHookEx(hook_);
  hook_ = nullptr;
  threadHook = nullptr;
  return 0;
}

HWND Win32KeyboardHook::watchRawInput() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &watchProcedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kWatchClass;
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
  const HWND window = CreateWindowExW(0, kWatchClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  if (!window) return nullptr;
  // The keyboard (generic desktop page, usage 6), also while another
  // program is in front.
  RAWINPUTDEVICE device{0x01, 0x06, RIDEV_INPUTSINK, window};
  if (!RegisterRawInputDevices(&device, 1, sizeof device)) {
    DestroyWindow(window);
    return nullptr;
  }
  return window;
}

LRESULT CALLBACK Win32KeyboardHook::watchProcedure(HWND window, UINT message, WPARAM wParam,
                                                   LPARAM lParam) {
  if (message == WM_INPUT && threadHook) {
    if (threadHook->onRawInput(lParam)) SetTimer(window, kSettleTimer, kSettleMs, nullptr);
  } else if (message == WM_TIMER && wParam == kSettleTimer && threadHook) {
    KillTimer(window, kSettleTimer);
    if (threadHook->lossCheck_.settle()) threadHook->rehook();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool Win32KeyboardHook::watched(unsigned virtualKey) const {
  return virtualKey < setup_.keys.size() && setup_.keys.test(virtualKey);
}

bool Win32KeyboardHook::onRawInput(LPARAM input) {
  RAWINPUT raw{};
  UINT size = sizeof raw;
  if (GetRawInputData(reinterpret_cast<HRAWINPUT>(input), RID_INPUT, &raw, &size,
                      sizeof(RAWINPUTHEADER)) == static_cast<UINT>(-1) ||
      raw.header.dwType != RIM_TYPEKEYBOARD || (raw.data.keyboard.Flags & RI_KEY_BREAK) ||
      !watched(raw.data.keyboard.VKey)) {
    return false;
  }
  lossCheck_.onRawPress();
  return true;
}

void Win32KeyboardHook::rehook() {
  if (hook_) UnhookWindowsHookEx(hook_);
  hook_ = SetWindowsHookExW(WH_KEYBOARD_LL, &hookProcedure, GetModuleHandleW(nullptr), 0);
  OutputDebugStringW(hook_ ? L"vesk: the system removed the keyboard hook; installed again\n"
                           : L"vesk: the system removed the keyboard hook; installing it again "
                             L"failed\n");
}

LRESULT CALLBACK Win32KeyboardHook::hookProcedure(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && threadHook) return threadHook->handle(code, wParam, lParam);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void Win32KeyboardHook::addContext(KeyEvent& event) const {
  event.modifiers = heldModifiers();
  const HWND foreground = GetForegroundWindow();
  event.foreground = reinterpret_cast<WindowHandle>(foreground);
  if (foreground) {
    event.foregroundIsOwn = ofThisProcess(foreground);
    event.foregroundIsGame = !event.foregroundIsOwn && ofClass(foreground, gameClass_);
  }
}

LRESULT Win32KeyboardHook::handle(int code, WPARAM wParam, LPARAM lParam) {
  const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
  KeyEvent event;
  event.virtualKey = key.vkCode;
  event.down = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
  HookAction action = HookAction::Pass;
  if (watched(key.vkCode) && setup_.decide) {
    addContext(event);
    if (event.down) {
      lossCheck_.onHookPress();
      if (++presses_ == dropAfter_) {
        // As the system would, behind this thread's back.
        UnhookWindowsHookEx(std::exchange(hook_, nullptr));
      }
    }
    // No exception may cross the system's callback; a failed decision
    // passes the key on.
    HookVerdict verdict;
    try {
      verdict = setup_.decide(event);
    } catch (...) {
      verdict = {};
    }
    action = verdict.action;
    // A key is only eaten when its action is on its way.
    if (action == HookAction::Act && !relay_.deliver(verdict.id, event.modifiers, key.vkCode)) {
      action = HookAction::Pass;
    }
  }
  // Injected here, inside the hook, the neutral key reaches the system
  // before the Windows key's release that is waiting on this call.
  // Nothing to do about a refusal: the worst outcome is an opened Start menu.
  if (mask_.onKey(event, action)) injectKeyTap(kNeutralKey);
  if (action != HookAction::Pass) return 1;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace vesk::platform::win32
