#include "shell/hotkey_fallback.h"

#include <algorithm>

namespace vesk {

std::bitset<256> hookedKeys(std::span<const HookChord> chords) {
  std::bitset<256> keys;
  for (const HookChord& chord : chords) {
    if (chord.virtualKey < keys.size()) keys.set(chord.virtualKey);
  }
  return keys;
}

std::vector<unsigned> chordModifierSets(std::span<const HookChord> chords) {
  std::vector<unsigned> sets;
  for (const HookChord& chord : chords) {
    if (std::find(sets.begin(), sets.end(), chord.modifiers) == sets.end()) {
      sets.push_back(chord.modifiers);
    }
  }
  return sets;
}

std::string hotKeyName(unsigned modifiers, unsigned virtualKey) {
  std::string name;
  if (modifiers & platform::kModWin) name += "Win+";
  if (modifiers & platform::kModCtrl) name += "Ctrl+";
  if (modifiers & platform::kModAlt) name += "Alt+";
  if (virtualKey >= 0x60 && virtualKey <= 0x69)
    return name + "Num" + std::to_string(virtualKey - 0x60);
  switch (virtualKey) {
    case 0x25:
      return name + "Left";
    case 0x26:
      return name + "Up";
    case 0x27:
      return name + "Right";
    case 0x28:
      return name + "Down";
    default:
      return name + static_cast<char>(virtualKey);
  }
}

std::string unservedChordsMessage(std::span<const HookChord> chords) {
  std::string keys;
  for (const HookChord& chord : chords) {
    if (!keys.empty()) keys += ", ";
    keys += hotKeyName(chord.modifiers, chord.virtualKey);
  }
  return "次のキーはほかのプログラムが使っているため、vesk では使えません。\n" + keys +
         "\n\n引数を 1 (Ctrl) か 3 (Alt) で始めて vesk を起動すると、これらのキーを避けられます。";
}

}  // namespace vesk
