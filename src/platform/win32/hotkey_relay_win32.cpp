#include "platform/win32/hotkey_relay_win32.h"

namespace vesk::platform::win32 {

namespace {

constexpr wchar_t kClassName[] = L"vesk.hotkey-relay";
// Hotkey ids of the private chord: the base plus the modifier set.
constexpr int kRelayIdBase = 0xBF00;
constexpr unsigned kModifierSets = 16;

bool registerClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kClassName;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

bool injectKeyTap(WORD virtualKey) {
  INPUT events[2]{};
  for (INPUT& e : events) {
    e.type = INPUT_KEYBOARD;
    e.ki.wVk = virtualKey;
  }
  events[1].ki.dwFlags = KEYEVENTF_KEYUP;
  return SendInput(2, events, sizeof(INPUT)) == 2;
}

bool HotKeyRelay::open(HWND owner, const std::vector<unsigned>& modifierSets) {
  close();
  owner_ = owner;
  if (!registerClass()) return false;
  window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (!window_) return false;
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&windowProcedure));
  for (const unsigned set : modifierSets) {
    if (set >= kModifierSets || (heldSets_ & (1u << set))) continue;
    if (RegisterHotKey(window_, kRelayIdBase + static_cast<int>(set), set, kPrivateKey)) {
      heldSets_ |= 1u << set;
    }
  }
  return heldSets_ != 0;
}

void HotKeyRelay::close() {
  if (window_) {
    for (unsigned set = 0; set < kModifierSets; ++set) {
      if (heldSets_ & (1u << set)) UnregisterHotKey(window_, kRelayIdBase + static_cast<int>(set));
    }
    DestroyWindow(window_);
  }
  window_ = nullptr;
  heldSets_ = 0;
  const std::lock_guard lock(pendingLock_);
  pending_.clear();
}

bool HotKeyRelay::deliver(int id, unsigned modifiers, unsigned virtualKey) {
  if (modifiers < kModifierSets && (heldSets_ & (1u << modifiers)) && inject(id)) return true;
  return PostMessageW(owner_, WM_HOTKEY, static_cast<WPARAM>(id),
                      MAKELPARAM(modifiers, virtualKey)) != 0;
}

bool HotKeyRelay::inject(int id) {
  {
    const std::lock_guard lock(pendingLock_);
    pending_.push_back(id);
  }
  if (injectKeyTap(kPrivateKey)) return true;
  // Blocked (another desktop in front, say): the id goes by post.
  const std::lock_guard lock(pendingLock_);
  if (!pending_.empty() && pending_.back() == id) pending_.pop_back();
  return false;
}

void HotKeyRelay::handOver(LPARAM lParam) {
  int id = 0;
  {
    const std::lock_guard lock(pendingLock_);
    if (pending_.empty()) return;  // the private chord typed by hand
    id = pending_.front();
    pending_.pop_front();
  }
  // Sent, not posted: the owner acts inside this hotkey message, while the
  // thread holds the right to the foreground it brought.
  SendMessageW(owner_, WM_HOTKEY, static_cast<WPARAM>(id), lParam);
}

LRESULT CALLBACK HotKeyRelay::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  auto* self = reinterpret_cast<HotKeyRelay*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && message == WM_HOTKEY && static_cast<int>(wParam) >= kRelayIdBase) {
    self->handOver(lParam);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace vesk::platform::win32
