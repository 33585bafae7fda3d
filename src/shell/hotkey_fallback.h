// The fallback for hotkey chords that the system refused to register (the
// shell keeps most Windows-key chords): a low-level keyboard hook catches
// them while the game or one of vesk's windows is in front. This is the
// hook's decision, made for every event of a watched key, and the names
// and the message for chords that nothing serves.
#pragma once

#include <bitset>
#include <span>
#include <string>
#include <vector>

#include "platform/keyboard_hook.h"

namespace vesk {

struct HookChord {
  int id;
  unsigned modifiers;  // platform::kMod* flags
  unsigned virtualKey;
};

enum class HookForeground {
  Game,   // the game's window
  Own,    // one of vesk's windows
  Other,  // any other program, or none
};

// A press (or auto-repeat) of a chord with exactly its modifiers, while the
// game or vesk is in front, acts as the chord's hotkey; its release is
// swallowed too. Everything else passes, and so does every key while the
// hotkeys are released (the editor is open). `classify` names the
// foreground window; it is asked only for a chord.
template <class Classify>
platform::HookVerdict decideHookedKey(std::span<const HookChord> chords, bool released,
                                      const platform::KeyEvent& event, Classify&& classify) {
  if (released) return {};
  for (const HookChord& chord : chords) {
    if (chord.virtualKey != event.virtualKey || chord.modifiers != event.modifiers) continue;
    if (classify(event.foreground) == HookForeground::Other) return {};
    if (!event.down) return {platform::HookAction::Swallow, 0};
    return {platform::HookAction::Act, chord.id};
  }
  return {};
}

// The virtual keys of the chords, for the hook to look at.
std::bitset<256> hookedKeys(std::span<const HookChord> chords);

// The distinct modifier sets of the chords.
std::vector<unsigned> chordModifierSets(std::span<const HookChord> chords);

// "Win+2", "Ctrl+Num5", "Win+Up", "Win+S".
std::string hotKeyName(unsigned modifiers, unsigned virtualKey);

// The start-up message when chords were refused and the hook cannot serve
// them: which keys, and the way out through the Ctrl or Alt modifier.
std::string unservedChordsMessage(std::span<const HookChord> chords);

}  // namespace vesk
