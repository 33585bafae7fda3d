// A low-level keyboard hook: it sees every key of the desktop before the
// system's hotkeys and the foreground program do, and may swallow it. Used
// for the hotkey chords that the system refused to register.
#pragma once

#include <bitset>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/types.h"

namespace vesk::platform {

struct KeyEvent {
  unsigned virtualKey = 0;
  bool down = true;         // a press or an auto-repeat (false: a release)
  unsigned modifiers = 0;   // kMod* flags of the modifier keys held
  WindowHandle foreground;  // the window that has the keyboard, 0 if none
  // Filled in by the hook: the foreground window is of the class named at
  // install, or one of this process's own windows.
  bool foregroundIsGame = false;
  bool foregroundIsOwn = false;
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

// A Windows key pressed and released with no other key between opens the
// Start menu. When the hook ate a chord during a Windows-key press, the
// system saw no key between; a key without meaning, sent at the release
// and before the release goes on, keeps the menu shut. A lone press still
// opens it.
class StartMenuMask {
 public:
  // True when the neutral key must be sent now, before this event goes on.
  bool onKey(const KeyEvent& event, HookAction verdict) {
    if (event.virtualKey == kLeftWin || event.virtualKey == kRightWin) {
      const bool mask = !event.down && chordEaten_;
      chordEaten_ = false;
      return mask;
    }
    if (verdict != HookAction::Pass && (event.modifiers & kModWin)) chordEaten_ = true;
    return false;
  }

  static constexpr unsigned kLeftWin = 0x5B;
  static constexpr unsigned kRightWin = 0x5C;

 private:
  bool chordEaten_ = false;
};

// Windows removes a hook that answers too slowly, without a word. Raw
// input, which the system delivers whatever the hooks, tells: presses of
// the watched keys that raw input reports and the hook never saw mean the
// hook is gone. Which of the two hears of a press first is the system's
// affair (Wine's raw input may come first), and a press the hook eats may
// never reach raw input; so the count is settled only once the keyboard
// has been quiet for a moment, and only a shortfall of the hook counts.
class HookLossCheck {
 public:
  void onHookPress() { ++balance_; }
  void onRawPress() { --balance_; }
  // A moment after the last press raw input reported: true when the hook
  // missed a press and must be installed again.
  bool settle() { return std::exchange(balance_, 0) < 0; }

 private:
  int balance_ = 0;
};

struct HookSetup {
  // Receives onHotKey(id) for an Act verdict.
  WindowHandle owner = 0;
  // Events of other keys pass untouched.
  std::bitset<256> keys;
  // The class of the window that KeyEvent::foregroundIsGame names.
  std::string gameClass;
  // The kMod* sets held with the watched keys: an Act verdict reaches the
  // owner as a hotkey the system delivers under each of them.
  std::vector<unsigned> modifierSets;
  // Runs on the hook's own thread for every event of a watched key: it
  // must decide from what it holds (never from the user-interface thread's
  // objects), and quickly.
  std::function<HookVerdict(const KeyEvent&)> decide;
};

class KeyboardHook {
 public:
  virtual ~KeyboardHook() = default;
  // Installs the hook. An Act verdict reaches the owner's onHotKey through
  // its message queue as a hotkey message: where the system allows it, one
  // that gives the owner the right to take the foreground, as a registered
  // hotkey does. False when the system refuses the hook; a hook already
  // installed is replaced.
  virtual bool install(HookSetup setup) = 0;
  virtual void remove() = 0;
  virtual bool installed() const = 0;
};

}  // namespace vesk::platform
