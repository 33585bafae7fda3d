#include "shell/app.h"

#include "caravan/mod_vesk.h"
#include "shell/frm_vesk.h"

namespace vesk {

int runApp(platform::Platform& platform) {
  ModVESK mod(platform.files, platform.clock);
  FrmVESK main(platform, mod);
  switch (main.Form_Load()) {
    case FrmVESK::LoadOutcome::Loaded:
      break;
    case FrmVESK::LoadOutcome::AlreadyRunning:
      return 0;
    case FrmVESK::LoadOutcome::NoWindow:
      return 1;
  }
  main.window()->setVisible(true);
  platform.windowing.runMessageLoop();
  return 0;
}

}  // namespace vesk
