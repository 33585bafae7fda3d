// The main window's tick, stopwatch and adrenaline meter methods.
#include "panel/layout.h"
#include "shell/frm_vesk.h"
#include "timers/adrenaline_meter.h"
#include "timers/stopwatch.h"
#include "timers/tick_rules.h"

namespace vesk {

void FrmVESK::Timer1_Timer() {
  {
    // The request is consumed even when the placement fails, so that one
    // unplaceable game window does not stop every later tick at this step.
    struct Consume {
      bool& pending;
      ~Consume() { pending = false; }
    } consume{s_.placePending};
    if (s_.placePending) {
      s_.allVisible = true;
      SetForm();
    }
  }
  followGame();

  if (s_.swRunning) {
    controls_.at("txtMenu", 0).text = fmtSW(stopwatchSeconds(s_, p_.clock.tickCount()));
  }

  const Timestamp now = p_.clock.now();
  if (takeFullRefresh(s_, now)) {
    updMenu(s_.allVisible);
    const Colour colour = gemBoxColour(s_, now);
    ControlSet& second = frmVESK2().controls();
    second.at("txtMenu", 4).backColour = colour;
    second.at("cmdMenu", 4).backColour = colour;
  }
}

void FrmVESK::updSW(bool clk) {
  vesk::updSW(clk, s_, controls_.at("txtMenu", 0).text, p_.clock.tickCount());
}

void FrmVESK::SetKajiMeter(bool bAllVisible) { vesk::SetKajiMeter(bAllVisible, s_, controls_); }

}  // namespace vesk
