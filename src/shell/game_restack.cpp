// The game window's restack below the strips, and what a refusal of it
// tells: the game runs as administrator.
#include <algorithm>

#include "shell/elevated_game.h"
#include "shell/frm_vesk.h"

namespace vesk {

void FrmVESK::restackGame(unsigned flags) {
  // A failed restack does no harm; what follows it runs as before.
  if (p_.windowing.setWindowPos(s_.gameHwnd, platform::kHwndNoTopmost, flags)) return;
  // Only chords of the chosen modifier count: Windows key + S, always on
  // the Windows key, is no reason to tell a Ctrl or Alt player to choose
  // Ctrl or Alt.
  const auto modifier = static_cast<unsigned>(s_.hotkeyModifier);
  const bool chordsOnHook =
      std::any_of(refusedChords_.begin(), refusedChords_.end(),
                  [&](const HookChord& c) { return c.modifiers == modifier; });
  const ElevatedGameNotice notice = elevatedGameNotice(
      p_.windowing.restackDenied(), p_.system.elevated(), chordsOnHook, elevatedGameTold_);
  if (notice == ElevatedGameNotice::None) return;
  // Marked first: ticks go on while the box is open.
  elevatedGameTold_ = true;
  p_.system.messageBox(elevatedGameMessage(notice));
}

}  // namespace vesk
