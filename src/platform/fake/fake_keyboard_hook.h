// The keyboard hook as a record: tests see whether it is installed, for
// which keys and owner, can refuse it, and count the neutral keys sent.
// FakeWindowing::hookKey runs a key event through it.
#pragma once

#include <utility>

#include "platform/keyboard_hook.h"

namespace vesk::platform::fake {

class FakeKeyboardHook : public KeyboardHook {
 public:
  bool install(HookSetup hookSetup) override {
    ++installCalls;
    if (refuse) return false;
    setup = std::move(hookSetup);
    owner = setup.owner;
    keys = setup.keys;
    decide = setup.decide;
    mask = StartMenuMask();
    return true;
  }
  void remove() override {
    ++removeCalls;
    decide = nullptr;
  }
  bool installed() const override { return static_cast<bool>(decide); }

  bool refuse = false;  // as a system that refuses the hook
  // As a system where the private chord that carries the hook's actions
  // as hotkeys cannot be held: they arrive as posted messages.
  bool relayRefused = false;
  HookSetup setup;
  WindowHandle owner = 0;
  std::bitset<256> keys;
  std::function<HookVerdict(const KeyEvent&)> decide;
  StartMenuMask mask;
  int installCalls = 0;
  int removeCalls = 0;
  int neutralKeys = 0;
};

}  // namespace vesk::platform::fake
