// The main window's display toggles and its layout call: each changes one
// setting, then brings the panel up to date.
#include "panel/layout.h"
#include "panel/toggles.h"
#include "shell/frm_vesk.h"

namespace vesk {

void FrmVESK::updMenu(bool bAllVisible) {
  const LayoutInput in{p_.clock.now(), static_cast<float>(mainWidth_)};
  vesk::updMenu(bAllVisible, s_, mod_, in, controls_, frmVESK2().controls());
}

void FrmVESK::updFontSize(bool clk) {
  stepFontSize(s_, clk);
  updMenu(s_.allVisible);
}

void FrmVESK::updFontBold() {
  toggleFontBold(s_);
  updMenu(s_.allVisible);
}

void FrmVESK::updHP(bool clk) {
  stepMaxHP(s_, clk);
  SetKajiMeter(s_.allVisible);
}

void FrmVESK::updDisp() {
  toggleAllVisible(s_);
  updMenu(s_.allVisible);
  SetKajiMeter(s_.allVisible);
}

void FrmVESK::updCompact() {
  stepCompact(s_);
  updMenu(s_.allVisible);
}

void FrmVESK::updBtnPos() {
  toggleBtnPos(s_);
  updMenu(s_.allVisible);
}

void FrmVESK::updPTLine() {
  togglePTLine(s_);
  updMenu(s_.allVisible);
}

}  // namespace vesk
