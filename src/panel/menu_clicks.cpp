// The mouse on the strips: a press on a menu button, or a release on the
// text line over it, acts by slot and mouse button, then gives the
// keyboard back to the game.
#include "shell/frm_vesk.h"
#include "shell/placement.h"

namespace vesk {

void FrmVESK::onMouse(const platform::MouseEvent& event) {
  handleEvent([&] {
    if (event.down && event.control == "cmdMenu") {
      cmdMenu_MouseDown(event.index, event.button, event.shift, event.x, event.y);
    } else if (!event.down && event.control == "txtMenu") {
      txtMenu_MouseUp(event.index, event.button, event.shift, event.x, event.y);
    }
  });
}

void FrmVESK::txtMenu_MouseUp(int Index, int Button, int Shift, int X, int Y) {
  cmdMenu_MouseDown(Index, Button, Shift, X, Y);
}

void FrmVESK::cmdMenu_MouseDown(int Index, int Button, int /*Shift*/, int /*X*/, int /*Y*/) {
  if (window_) window_->setFocus("cmdDummy", -1);
  const bool left = Button == platform::kButtonLeft;
  const bool right = Button == platform::kButtonRight;
  switch (Index) {
    case 0:
      if (left || right) updSW(left);
      break;
    case 1:
      if (left || right) updHP(left);
      break;
    case 2:
      updDisp();
      break;
    case 3:
      // Ends both windows; there is nothing left to restack.
      endBothForms();
      return;
    case 4:
      // The deadline command restacks by itself once the editor is gone.
      if (!left) break;
      updLimit();
      return;
    default:
      break;
  }
  // An error above has left already: a failed action does not restack.
  restackAfterClick();
}

void FrmVESK::restackAfterClick() {
  // The panel stays above everything; then the game is shown and activated
  // again, so that the keyboard goes back to it after every click.
  if (window_) {
    p_.windowing.setWindowPos(
        window_->handle(), platform::kHwndTopmost,
        platform::kSwpNoSize | platform::kSwpNoMove | platform::kSwpNoActivate);
  }
  p_.system.sleep(10);
  if (gameWindowAlive()) {
    restackGame(platform::kSwpShowWindow | platform::kSwpNoSize | platform::kSwpNoMove);
  }
}

}  // namespace vesk
