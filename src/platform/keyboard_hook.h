// A low-level keyboard hook: it sees every key of the desktop before the
// system's hotkeys and the foreground program do, and may swallow it. Used
// for the hotkey chords that the system refused to register.
#pragma once

#include <bitset>
#include <functional>

#include "platform/types.h"

namespace vesk::platform {

struct KeyEvent {
  unsigned virtualKey = 0;
  bool down = true;         // a press or an auto-repeat (false: a release)
  unsigned modifiers = 0;   // kMod* flags of the modifier keys held
  WindowHandle foreground;  // the window that has the keyboard, 0 if none
};

enum class HookAction {
  Pass,     // the key goes on to the system and the foreground program
  Swallow,  // the key is dropped
  Act,      // the key is dropped and the owner receives onHotKey(id)
};

struct HookVerdict {
  HookAction action = HookAction::Pass;
  int id = 0;  // for Act: the hotkey id delivered to the owner
};

class KeyboardHook {
 public:
  // Runs inside the hook for every event of one of the watched keys: it
  // must only decide, and quickly (the system removes a slow hook).
  using Decide = std::function<HookVerdict(const KeyEvent&)>;

  virtual ~KeyboardHook() = default;
  // Installs the hook; events of keys outside `keys` pass untouched. An
  // Act verdict reaches the owner's onHotKey through its message queue, as
  // a hotkey message does. False when the system refuses the hook; a hook
  // already installed is replaced.
  virtual bool install(WindowHandle owner, std::bitset<256> keys, Decide decide) = 0;
  virtual void remove() = 0;
  virtual bool installed() const = 0;
  // A key event without meaning, so that the system sees a key between a
  // Windows-key press and its release and does not open the Start menu.
  virtual void sendNeutralKey() = 0;
};

}  // namespace vesk::platform
