// WH_KEYBOARD_LL on a thread of its own. The system calls a low-level hook
// by a message to the thread that installed it and removes, without a
// word, a hook that answers slower than LowLevelHooksTimeout; the
// user-interface thread writes files, opens the editor and paints, so the
// hook lives on a thread that does nothing but decide and post. It reads
// the event, the held modifiers and the foreground window, asks the
// decision (which holds its own copy of the chords), hands an Act verdict
// to the relay and returns. Raw input on the same thread tells when the
// system removed the hook anyway, and the hook is installed again.
#pragma once

#include <windows.h>

#include <string>

#include "platform/keyboard_hook.h"
#include "platform/win32/hotkey_relay_win32.h"
#include "platform/win32/unique_handle.h"

namespace vesk::platform::win32 {

class Win32KeyboardHook final : public KeyboardHook {
 public:
  Win32KeyboardHook() = default;
  Win32KeyboardHook(const Win32KeyboardHook&) = delete;
  Win32KeyboardHook& operator=(const Win32KeyboardHook&) = delete;
  ~Win32KeyboardHook() override { remove(); }

  bool install(HookSetup setup) override;
  void remove() override;
  bool installed() const override { return static_cast<bool>(thread_); }

 private:
  static DWORD WINAPI threadMain(LPVOID self);
  static LRESULT CALLBACK hookProcedure(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK watchProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // On the hook's thread only, from here down.
  DWORD run();
  LRESULT handle(int code, WPARAM wParam, LPARAM lParam);
  // The held modifiers and the foreground window, for a watched key.
  void addContext(KeyEvent& event) const;
  bool watched(unsigned virtualKey) const;
  HWND watchRawInput();
  // A press of a watched key that raw input reported: true when counted.
  bool onRawInput(LPARAM input);
  void rehook();

  // Set by install before the thread starts, read-only while it runs.
  HookSetup setup_;
  std::wstring gameClass_;
  HotKeyRelay relay_;
  UniqueHandle ready_;   // signalled once the thread has tried to hook
  bool hooked_ = false;  // the thread's answer, read after ready_
  UniqueHandle thread_;
  DWORD threadId_ = 0;
  // The end-to-end tests' stand-in for the system removing the hook: with
  // VESK_TEST_DROP_HOOK_AFTER=N the hook unhooks itself after N presses.
  int dropAfter_ = 0;
  // The hook thread's own.
  HHOOK hook_ = nullptr;
  StartMenuMask mask_;
  HookLossCheck lossCheck_;
  int presses_ = 0;
};

}  // namespace vesk::platform::win32
