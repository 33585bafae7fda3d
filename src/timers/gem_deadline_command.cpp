// updLimit: the one modal road. The panel pauses (no tick, no hotkeys)
// while the deadline editor is open; then the deadline is read back from
// its file, the panel laid out, the secondary strip placed and shown, a
// full refresh with a fresh calendar requested for the next tick, and the
// keyboard handed back to the game.
#include "editor/frm_caravan.h"
#include "shell/frm_vesk.h"
#include "shell/placement.h"

namespace vesk {

void FrmVESK::updLimit() {
  if (window_) window_->setTimer(kTimerIntervalMs, false);
  UnregHotKeys();
  {
    // Whatever fails below, the panel comes back to life: hotkeys and the
    // timer are restored on the way out, and the game, not the strip the
    // system activated when the editor went, gets the keyboard back.
    struct Resume {
      FrmVESK& form;
      void hotkeys() {
        if (!form.unloaded_ && !form.hotkeysHeld_) form.RegHotKeys();
      }
      ~Resume() {
        if (form.unloaded_) return;
        hotkeys();
        if (form.window_) form.window_->setTimer(kTimerIntervalMs, true);
        form.restackAfterClick();
      }
    } resume{*this};

    const Rect mainBounds = window_ ? window_->bounds() : Rect{};
    // The hotkeys come back just before the editor's window goes, not after
    // the work below: a chord pressed the moment it is gone waits in the
    // queue for the panel instead of being lost (or, where the shell holds
    // the chord, going to the shell). No message is dispatched between.
    FrmCaravan editor(p_, mod_, mainBounds, [&resume] { resume.hotkeys(); });
    editor.showModal();
    if (unloaded_) return;  // the program was closed meanwhile (log-off)

    s_.gemFileState = mod_.getCaravanDate(s_.P_CaravanDate, s_.P_CaravanFlg) ? -1 : 0;
    updMenu(s_.allVisible);
    // A game window never measured would put the strip off the screen's
    // top-left; it goes to the fallback corner then.
    if (s_.gameWindowRect.isZero()) {
      placeSecondary(kFallbackWidth, kFallbackHeight);
    } else {
      placeSecondary(s_.gameWindowRect.right, s_.gameWindowRect.bottom);
    }
    frmVESK2().setVisible(true);
    s_.calendarDirty = true;
    s_.refreshTick = 1000;
  }
}

}  // namespace vesk
