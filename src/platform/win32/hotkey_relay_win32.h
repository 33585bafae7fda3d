// The road of a hooked chord's action to the user-interface thread. A
// message posted there does not count as input: Windows then refuses that
// thread the foreground (the editor would open without the keyboard). So
// the hook thread injects a private chord, a key no keyboard has under the
// modifiers still held, which the relay's message-only window holds as a
// registered hotkey; the system delivers it as WM_HOTKEY, which lets the
// receiver take the foreground, and the relay hands the waiting id to the
// owner's window in the same call. Where the private chord is not held, or
// the system refuses the injected key, the id is posted as before.
#pragma once

#include <windows.h>

#include <deque>
#include <mutex>
#include <vector>

namespace vesk::platform::win32 {

// A press and release of `virtualKey` injected as keyboard input; false
// when the system did not take both.
bool injectKeyTap(WORD virtualKey);

class HotKeyRelay {
 public:
  HotKeyRelay() = default;
  HotKeyRelay(const HotKeyRelay&) = delete;
  HotKeyRelay& operator=(const HotKeyRelay&) = delete;
  ~HotKeyRelay() { close(); }

  // On the user-interface thread: the window and the private chord under
  // each of the modifier sets. False when no private chord is held.
  bool open(HWND owner, const std::vector<unsigned>& modifierSets);
  void close();

  // On the hook's thread: the action of chord `id`, pressed with
  // `modifiers` on `virtualKey`, on its way to the owner. False when
  // nothing could carry it.
  bool deliver(int id, unsigned modifiers, unsigned virtualKey);

  // An unassigned virtual-key code: the private chord's key.
  static constexpr WORD kPrivateKey = 0x97;

 private:
  static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool inject(int id);
  void handOver(LPARAM lParam);

  HWND owner_ = nullptr;
  HWND window_ = nullptr;
  unsigned heldSets_ = 0;  // bit m: the private chord is held under modifiers m
  std::mutex pendingLock_;
  std::deque<int> pending_;  // ids injected, not yet handed over
};

}  // namespace vesk::platform::win32
