// The keyboard hook as a record: tests see whether it is installed, for
// which keys and owner, can refuse it, and count the neutral keys sent.
// FakeWindowing::hookKey runs a key event through it.
#pragma once

#include <utility>

#include "platform/keyboard_hook.h"

namespace vesk::platform::fake {

class FakeKeyboardHook : public KeyboardHook {
 public:
  bool install(WindowHandle hookOwner, std::bitset<256> watched, Decide decider) override {
    ++installCalls;
    if (refuse) return false;
    owner = hookOwner;
    keys = watched;
    decide = std::move(decider);
    return true;
  }
  void remove() override {
    ++removeCalls;
    decide = nullptr;
  }
  bool installed() const override { return static_cast<bool>(decide); }
  void sendNeutralKey() override { ++neutralKeys; }

  bool refuse = false;  // as a system that refuses the hook
  WindowHandle owner = 0;
  std::bitset<256> keys;
  Decide decide;
  int installCalls = 0;
  int removeCalls = 0;
  int neutralKeys = 0;
};

}  // namespace vesk::platform::fake
