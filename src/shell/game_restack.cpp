// The game window's restack below the strips, and what a refusal of it
// tells: the game runs as administrator.
#include "shell/elevated_game.h"
#include "shell/frm_vesk.h"

namespace vesk {

void FrmVESK::restackGame(unsigned flags) {
  // A failed restack does no harm; what follows it runs as before.
  if (p_.windowing.setWindowPos(s_.gameHwnd, platform::kHwndNoTopmost, flags)) return;
  const ElevatedGameNotice notice =
      elevatedGameNotice(p_.windowing.restackDenied(), p_.system.elevated(),
                         !refusedChords_.empty(), elevatedGameTold_);
  if (notice == ElevatedGameNotice::None) return;
  // Marked first: ticks go on while the box is open.
  elevatedGameTold_ = true;
  p_.system.messageBox(elevatedGameMessage(notice));
}

}  // namespace vesk
