// The global hotkeys of the main window: registered from the table, with a
// low-level keyboard hook for the chords the system refused, both released
// while the editor is open and at shut-down.
#include <string>
#include <utility>

#include "shell/frm_vesk.h"
#include "shell/hotkey_fallback.h"
#include "shell/hotkeys.h"
#include "shell/placement.h"

namespace vesk {

void FrmVESK::RegHotKeys() {
  if (!window_) return;
  refusedChords_.clear();
  const auto modifier = static_cast<unsigned>(s_.hotkeyModifier);
  for (const HotKeyDef& k : kHotKeyRegistrationOrder) {
    const unsigned mods = k.id == kHotKeySettingsShortcut ? platform::kModWin : modifier;
    if (!p_.windowing.registerHotKey(window_->handle(), k.id, mods, k.virtualKey)) {
      p_.system.debugOutput("vesk: hotkey " + std::to_string(k.id) + " (" +
                            hotKeyName(mods, k.virtualKey) + ") could not be registered");
      refusedChords_.push_back({k.id, mods, k.virtualKey});
    }
  }
  hotkeysHeld_ = true;
  if (refusedChords_.empty()) return;
  // Another program (on Windows 10 and 11 the shell) holds these chords;
  // the hook catches them while the game or vesk is in front.
  // The hook's thread decides from its own copy of the chords, never from
  // this object.
  platform::HookSetup setup;
  setup.owner = window_->handle();
  setup.keys = hookedKeys(refusedChords_);
  setup.gameClass = std::string(kGameWindowClass);
  setup.modifierSets = chordModifierSets(refusedChords_);
  setup.decide = [chords = refusedChords_](const platform::KeyEvent& event) {
    return decideHookedKey(chords, false, event, [&event](WindowHandle) {
      return event.foregroundIsOwn    ? HookForeground::Own
             : event.foregroundIsGame ? HookForeground::Game
                                      : HookForeground::Other;
    });
  };
  const bool hooked = p_.windowing.keyboardHook().install(std::move(setup));
  p_.system.debugOutput("vesk: keyboard hook for " + std::to_string(refusedChords_.size()) +
                        " refused hotkeys " + (hooked ? "installed" : "refused by the system"));
}

void FrmVESK::UnregHotKeys() {
  hotkeysHeld_ = false;
  p_.windowing.keyboardHook().remove();
  if (!window_) return;
  for (int id = 1025; id <= 1048; ++id) p_.windowing.unregisterHotKey(window_->handle(), id);
  p_.windowing.unregisterHotKey(window_->handle(), kHotKeySettingsShortcut);
}

bool FrmVESK::hookServes(int id) const {
  for (const HookChord& chord : refusedChords_) {
    if (chord.id == id) return true;
  }
  return false;
}

void FrmVESK::onHotKey(int id) {
  // Sent by the hook: one that was still queued when the hotkeys were
  // released does nothing.
  if (hookServes(id) && !hotkeysHeld_) return;
  handleEvent([&] { dispatchHotKey(id); });
}

void FrmVESK::tellUnservedChords() {
  if (refusedChords_.empty() || p_.windowing.keyboardHook().installed()) return;
  p_.system.messageBox(unservedChordsMessage(refusedChords_));
}

}  // namespace vesk
