// Key chords such as "win+0", "ctrl+numpad0" or "enter", injected as real
// keyboard input with SendInput.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace driver {

// Virtual-key codes of one chord: the modifiers first, the key last.
using Chord = std::vector<unsigned short>;

// Parses "mod+mod+key" (case-insensitive). Modifiers: win, ctrl, alt, shift.
// Keys: a-z, 0-9, numpad0-numpad9, left, right, up, down, enter, escape,
// space, tab. Empty when anything is not recognised.
std::optional<Chord> parseChord(const std::string& text);
// Presses the keys in order and releases them in reverse; false when
// SendInput did not take every event.
bool sendChord(const Chord& chord);

}  // namespace driver
