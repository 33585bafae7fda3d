// The global hotkeys of the main window: registered from the table, with a
// low-level keyboard hook for the chords the system refused, both released
// while the editor is open and at shut-down.
#include <string>

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
  const bool hooked = p_.windowing.keyboardHook().install(
      window_->handle(), hookedKeys(refusedChords_), [this](const platform::KeyEvent& event) {
        return decideHookedKey(refusedChords_, !hotkeysHeld_, event,
                               [this](WindowHandle w) { return foregroundOf(w); });
      });
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

HookForeground FrmVESK::foregroundOf(WindowHandle window) {
  if (window == 0) return HookForeground::Other;
  if ((window_ && window == window_->handle()) ||
      (frm2_ && !frm2_->unloaded() && window == frm2_->handle())) {
    return HookForeground::Own;
  }
  return p_.windowing.isWindowOfClass(window, kGameWindowClass) ? HookForeground::Game
                                                                : HookForeground::Other;
}

void FrmVESK::onHotKey(int id) {
  if (hookServes(id)) {
    // Sent by the hook: one that was still queued when the hotkeys were
    // released does nothing. The system must see a key between the
    // swallowed chord and the modifier's release, or a lone Windows key
    // opens the Start menu.
    if (!hotkeysHeld_) return;
    p_.windowing.keyboardHook().sendNeutralKey();
  }
  handleEvent([&] { dispatchHotKey(id); });
}

void FrmVESK::tellUnservedChords() {
  if (refusedChords_.empty() || p_.windowing.keyboardHook().installed()) return;
  p_.system.messageBox(unservedChordsMessage(refusedChords_));
}

}  // namespace vesk
