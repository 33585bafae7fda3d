// Message pumping for the tests of windows, focus and input: the system
// delivers activation, focus and keyboard messages through the queue, so a
// test dispatches them before it looks at the result.
#pragma once

#include <windows.h>

#include <functional>

namespace vesk::platform::win32 {

inline void dispatchPending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Dispatches messages until the condition holds or five seconds pass.
inline bool pumpUntil(const std::function<bool()>& condition) {
  const ULONGLONG deadline = GetTickCount64() + 5000;
  while (!condition()) {
    if (GetTickCount64() > deadline) return false;
    dispatchPending();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

// Dispatches messages until none has come for 100 ms (at most five seconds
// in all): before a test asserts that something did not happen, whatever
// the system had on its way has arrived.
inline void settle() {
  const ULONGLONG deadline = GetTickCount64() + 5000;
  do {
    dispatchPending();
  } while (MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT) == WAIT_OBJECT_0 &&
           GetTickCount64() < deadline);
  dispatchPending();
}

}  // namespace vesk::platform::win32
